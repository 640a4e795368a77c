#pragma once

#include <QSize>

#include <memory>

class QSettings;
class QWidget;

// The main window's remembered position, size and state, kept per user (the registry on Windows, the user's
// configuration folder elsewhere) in group "Form".
namespace Placement {
// The per-user store of placements.
std::unique_ptr<QSettings> userSettings();
void save(QWidget* window, QSettings& settings);
// Restores before the window is shown: the state always; position and size only when the saved dots per inch equal
// the screen's, otherwise the window is centred at `designSize`. Returns the state to show the window in.
Qt::WindowStates restore(QWidget* window, QSettings& settings, const QSize& designSize);
} // namespace Placement
