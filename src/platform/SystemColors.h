#pragma once

#include <QColor>
#include <QPalette>

// Colours as the settings file stores them: a signed 32-bit number. High byte 0 is RGB with red in the lowest byte;
// high byte 0xFF names a Windows system colour by its index in the low byte (COLOR_INFOBK = 24 and so on), which
// here is taken from the matching role of the desktop palette. Other high bytes count as RGB in the low 24 bits.
namespace SystemColors {

QColor toColor(qint32 value, const QPalette& palette);
QColor toColor(qint32 value);        // with the application palette
qint32 toValue(const QColor& color); // plain RGB, never a system colour
bool isSystemColor(qint32 value);

} // namespace SystemColors
