#pragma once

#include <QString>

// Texts and addresses that name the program and its maker, kept in one place.
namespace ProgramInfo {
inline const QString Title = QStringLiteral("Методика оценки уровня развития группы \"Ласпен\"");
inline const QString MainCaptionPrefix = Title + QStringLiteral(" - ");
inline const QString Maker = QStringLiteral("Таркис");
inline const QString MakerLine = QStringLiteral("© %1, 2026").arg(Maker);
// Reserved example addresses until the maker supplies real ones.
inline const QString WebSite = QStringLiteral("www.example.com");
inline const QString SupportMail = QStringLiteral("mailto:support@example.com");
} // namespace ProgramInfo
