#pragma once

#include <QString>

// The program's settings file Koltra.ini beside the executable: integers in section [Interface]. Every read and
// write goes to the file at once.
namespace Settings {

struct Key
{
    const char* name;
    int defaultValue;
};

inline constexpr Key FirstColor{"FirstColor", -16777192};  // 0xFF000018: system colour 24, tooltip background
inline constexpr Key SecondColor{"SecondColor", 16777215}; // white
inline constexpr Key IsShowNumber{"IsShowNumber", 1};
inline constexpr Key IsShowExpert{"IsShowExpert", 1};
inline constexpr Key TypeGraph{"TypeGraph", 0};
inline constexpr Key Splitter{"Splitter", 0};
inline constexpr Key DoubleClick{"DoubleClick", 0};

inline constexpr char Section[] = "Interface";

// Koltra.ini in the executable's folder, unless a test has set another path.
QString filePath();
// An empty path restores the default.
void setFilePathForTesting(const QString& path);

int read(const Key& key);
// Throws ProfileError when the file cannot be written.
void write(const Key& key, int value);

} // namespace Settings
