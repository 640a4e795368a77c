#pragma once

#include <QString>

#include <stdexcept>

// A settings file that could not be written. The text is shown to the user as it is.
class ProfileError : public std::runtime_error
{
public:
    explicit ProfileError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// An INI file read and written one integer at a time, the way the Windows private profile functions do it: the file
// is opened for every call and closed again, so edits made by others between calls are seen and nothing is lost when
// a later write fails. Section and key names are case-insensitive; the rest of the file is kept byte for byte.
class ProfileFile
{
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return m_path; }

    // Decimal with an optional sign, or 32-bit hexadecimal written 0x.. or $.. (read as unsigned, then taken as
    // signed). Anything else, a missing file, section or key, or a value out of range gives defaultValue.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;

    // Writes the value in decimal straight to the file. Throws ProfileError when the file cannot be written.
    void writeInteger(const QString& section, const QString& key, int value);

private:
    [[noreturn]] void raiseWriteError() const;

    QString m_path;
};
