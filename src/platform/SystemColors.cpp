#include "platform/SystemColors.h"

#include <QGuiApplication>

#include <array>
#include <optional>

namespace SystemColors {

namespace {

struct PaletteEntry
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette colour standing in for each Windows system colour index; nullopt where Windows has none (25).
const std::array<std::optional<PaletteEntry>, 31>& systemColorTable()
{
    using P = QPalette;
    static const std::array<std::optional<PaletteEntry>, 31> table{{
        PaletteEntry{P::Active, P::Button},            // 0 COLOR_SCROLLBAR
        PaletteEntry{P::Active, P::Dark},              // 1 COLOR_BACKGROUND (desktop)
        PaletteEntry{P::Active, P::Highlight},         // 2 COLOR_ACTIVECAPTION
        PaletteEntry{P::Inactive, P::Highlight},       // 3 COLOR_INACTIVECAPTION
        PaletteEntry{P::Active, P::Window},            // 4 COLOR_MENU
        PaletteEntry{P::Active, P::Base},              // 5 COLOR_WINDOW
        PaletteEntry{P::Active, P::Shadow},            // 6 COLOR_WINDOWFRAME
        PaletteEntry{P::Active, P::WindowText},        // 7 COLOR_MENUTEXT
        PaletteEntry{P::Active, P::Text},              // 8 COLOR_WINDOWTEXT
        PaletteEntry{P::Active, P::HighlightedText},   // 9 COLOR_CAPTIONTEXT
        PaletteEntry{P::Active, P::Button},            // 10 COLOR_ACTIVEBORDER
        PaletteEntry{P::Inactive, P::Button},          // 11 COLOR_INACTIVEBORDER
        PaletteEntry{P::Active, P::Mid},               // 12 COLOR_APPWORKSPACE
        PaletteEntry{P::Active, P::Highlight},         // 13 COLOR_HIGHLIGHT
        PaletteEntry{P::Active, P::HighlightedText},   // 14 COLOR_HIGHLIGHTTEXT
        PaletteEntry{P::Active, P::Button},            // 15 COLOR_BTNFACE
        PaletteEntry{P::Active, P::Dark},              // 16 COLOR_BTNSHADOW
        PaletteEntry{P::Disabled, P::Text},            // 17 COLOR_GRAYTEXT
        PaletteEntry{P::Active, P::ButtonText},        // 18 COLOR_BTNTEXT
        PaletteEntry{P::Inactive, P::HighlightedText}, // 19 COLOR_INACTIVECAPTIONTEXT
        PaletteEntry{P::Active, P::Light},             // 20 COLOR_BTNHIGHLIGHT
        PaletteEntry{P::Active, P::Shadow},            // 21 COLOR_3DDKSHADOW
        PaletteEntry{P::Active, P::Midlight},          // 22 COLOR_3DLIGHT
        PaletteEntry{P::Active, P::ToolTipText},       // 23 COLOR_INFOTEXT
        PaletteEntry{P::Active, P::ToolTipBase},       // 24 COLOR_INFOBK
        std::nullopt,                                  // 25 not a system colour
        PaletteEntry{P::Active, P::Link},              // 26 COLOR_HOTLIGHT
        PaletteEntry{P::Active, P::Highlight},         // 27 COLOR_GRADIENTACTIVECAPTION
        PaletteEntry{P::Inactive, P::Highlight},       // 28 COLOR_GRADIENTINACTIVECAPTION
        PaletteEntry{P::Active, P::Highlight},         // 29 COLOR_MENUHILIGHT
        PaletteEntry{P::Active, P::Window},            // 30 COLOR_MENUBAR
    }};
    return table;
}

} // namespace

bool isSystemColor(qint32 value)
{
    return (quint32(value) >> 24) == 0xFF;
}

QColor toColor(qint32 value, const QPalette& palette)
{
    const quint32 bits = quint32(value);
    if (isSystemColor(value)) {
        const quint32 index = bits & 0xFF;
        const auto& table = systemColorTable();
        if (index >= table.size() || !table[index])
            return QColor(Qt::black); // what Windows gives for an index it does not know
        return palette.color(table[index]->group, table[index]->role);
    }
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

QColor toColor(qint32 value)
{
    return toColor(value, QGuiApplication::palette());
}

qint32 toValue(const QColor& color)
{
    const QRgb rgb = color.rgb();
    return qint32(quint32(qRed(rgb)) | quint32(qGreen(rgb)) << 8 | quint32(qBlue(rgb)) << 16);
}

} // namespace SystemColors
