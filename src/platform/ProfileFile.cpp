#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <limits>
#include <utility>

ProfileError::ProfileError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Where a section and a key were found in the file's bytes. Offsets are byte positions in the whole file.
struct Location
{
    bool sectionFound = false;
    qsizetype afterLastLine = -1; // end of the section's last non-blank line, its line break included
    bool lastLineBroken = true;   // whether that line ends with a line break (the file's last line may not)
    bool keyFound = false;
    qsizetype valueBegin = 0; // the value without the whitespace around it
    qsizetype valueEnd = 0;
};

bool sameName(const QByteArray& data, qsizetype begin, qsizetype end, const QString& name)
{
    while (begin < end && isBlank(data[begin]))
        ++begin;
    while (end > begin && isBlank(data[end - 1]))
        --end;
    return QString::fromUtf8(data.constData() + begin, end - begin).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// Only the first section of a name counts, and in it only the first line of a key, as with the Windows functions.
Location locate(const QByteArray& data, const QString& section, const QString& key)
{
    Location loc;
    const qsizetype size = data.size();
    qsizetype pos = data.startsWith("\xEF\xBB\xBF") ? 3 : 0; // a UTF-8 byte order mark is not part of the first line
    while (pos < size) {
        qsizetype lineEnd = data.indexOf('\n', pos);
        const bool broken = lineEnd >= 0;
        const qsizetype next = broken ? lineEnd + 1 : size;
        if (!broken)
            lineEnd = size;

        qsizetype begin = pos;
        qsizetype end = lineEnd;
        while (begin < end && isBlank(data[begin]))
            ++begin;
        while (end > begin && isBlank(data[end - 1]))
            --end;

        if (begin < end && data[begin] == '[') {
            if (loc.sectionFound)
                break;
            qsizetype close = data.indexOf(']', begin + 1);
            if (close < 0 || close > end)
                close = end;
            if (sameName(data, begin + 1, close, section)) {
                loc.sectionFound = true;
                loc.afterLastLine = next;
                loc.lastLineBroken = broken;
            }
        } else if (loc.sectionFound && begin < end) {
            loc.afterLastLine = next;
            loc.lastLineBroken = broken;
            const qsizetype eq = data.indexOf('=', begin);
            if (data[begin] != ';' && eq >= 0 && eq < end && sameName(data, begin, eq, key)) {
                loc.keyFound = true;
                loc.valueBegin = eq + 1;
                while (loc.valueBegin < end && isBlank(data[loc.valueBegin]))
                    ++loc.valueBegin;
                loc.valueEnd = end;
                return loc;
            }
        }
        pos = next;
    }
    return loc;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool parseInteger(QByteArrayView text, int& result)
{
    if (text.isEmpty())
        return false;

    qsizetype digits = 0;
    if (text.startsWith("0x") || text.startsWith("0X"))
        digits = 2;
    else if (text.startsWith('$'))
        digits = 1;
    if (digits > 0) {
        if (digits == text.size())
            return false;
        quint64 value = 0;
        for (qsizetype i = digits; i < text.size(); ++i) {
            const int digit = hexDigit(text[i]);
            if (digit < 0)
                return false;
            value = value * 16 + quint64(digit);
            if (value > 0xFFFFFFFFu)
                return false;
        }
        // Stored colours like 0xFF000018 are meant as the signed 32-bit number with the same bits.
        result = int(qint32(quint32(value)));
        return true;
    }

    const bool negative = text.startsWith('-');
    if (negative || text.startsWith('+'))
        digits = 1;
    if (digits == text.size())
        return false;
    qint64 value = 0;
    for (qsizetype i = digits; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return false;
    result = int(value);
    return true;
}

QByteArray lineBreakOf(const QByteArray& data)
{
    const qsizetype lf = data.indexOf('\n');
    if (lf > 0 && data[lf - 1] == '\r')
        return QByteArrayLiteral("\r\n");
    if (lf >= 0)
        return QByteArrayLiteral("\n");
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

} // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

int ProfileFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    const QByteArray data = file.readAll();
    file.close();

    const Location loc = locate(data, section, key);
    int value = 0;
    if (!loc.keyFound ||
        !parseInteger(QByteArrayView(data).sliced(loc.valueBegin, loc.valueEnd - loc.valueBegin), value))
        return defaultValue;
    return value;
}

void ProfileFile::writeInteger(const QString& section, const QString& key, int value)
{
    const QFileInfo info(m_path);
    if (info.isDir())
        raiseWriteError();

    QByteArray data;
    if (info.exists()) {
        // The owner-write bit stands for the read-only attribute: honoured even for root, who could write anyway.
        if (!(QFile::permissions(m_path) & QFileDevice::WriteOwner))
            raiseWriteError();
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            raiseWriteError(); // writing without the old contents would lose them
        data = file.readAll();
    }

    const QByteArray number = QByteArray::number(value);
    const QByteArray eol = lineBreakOf(data);
    const Location loc = locate(data, section, key);
    QByteArray out;
    if (loc.keyFound) {
        out = data.left(loc.valueBegin) + number + data.mid(loc.valueEnd);
    } else {
        const QByteArray keyLine = key.toUtf8() + '=' + number;
        // A file whose last line has no line break keeps it that way: the break goes before the new line instead.
        if (loc.sectionFound && loc.lastLineBroken)
            out = data.left(loc.afterLastLine) + keyLine + eol + data.mid(loc.afterLastLine);
        else if (loc.sectionFound)
            out = data + eol + keyLine;
        else if (data.isEmpty() || data.endsWith('\n'))
            out = data + '[' + section.toUtf8() + ']' + eol + keyLine + eol;
        else
            out = data + eol + '[' + section.toUtf8() + ']' + eol + keyLine;
    }

    // The new contents go to a temporary file that replaces the old one only when complete. Unbuffered, so that a
    // short write (a full disk, a file size limit) is seen here: a buffered one is reported complete and committed.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(out) != out.size() || !file.commit())
        raiseWriteError();
}

void ProfileFile::raiseWriteError() const
{
    throw ProfileError(QStringLiteral("Unable to write to ") +
                       QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath()));
}
