#pragma once

class QWidget;
class QSize;

namespace DialogFrame {
// The look of the program's dialog windows: a title with the close box as the only border icon.
void apply(QWidget* dialog);
// Centres a window of the given size (its current size when none) on the screen it is on.
void centerOnScreen(QWidget* window);
void centerOnScreen(QWidget* window, const QSize& size);
} // namespace DialogFrame
