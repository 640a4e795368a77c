#include "app/Settings.h"
#include "platform/ProfileFile.h"
#include "platform/SystemColors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN
const QByteArray NewFileBreak = "\r\n";
#else
const QByteArray NewFileBreak = "\n";
#endif

const QFileDevice::Permissions ReadOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

void writeBytes(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
}

// The mode bits only: the "user" flags say what the current user may do, which for root is everything.
QFileDevice::Permissions modeOf(const QString& path)
{
    return QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

// Every role of every group has its own colour, so a wrong role or group cannot go unnoticed. None is black.
QPalette fixturePalette()
{
    QPalette palette(QColor(1, 2, 3));
    for (const auto group : {QPalette::Active, QPalette::Disabled, QPalette::Inactive}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(group, QPalette::ColorRole(role), QColor(20 + 80 * int(group), 10 * role, 7));
    }
    return palette;
}

const Settings::Key* const AllKeys[] = {&Settings::FirstColor,   &Settings::SecondColor, &Settings::IsShowNumber,
                                        &Settings::IsShowExpert, &Settings::TypeGraph,   &Settings::Splitter,
                                        &Settings::DoubleClick};

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readWithoutFileGivesDefaults();
    void readInteger_data();
    void readInteger();
    void readSeesChangesBetweenCalls();

    void writeInteger_data();
    void writeInteger();
    void writeCreatesMissingFile();
    void writeFailure_data();
    void writeFailure();
    void shortWriteIsAFailure();

    void settingsDefaults_data();
    void settingsDefaults();
    void settingsFilePath();
    void settingsFailedWriteKeepsEarlierWrites();

    void toColor_data();
    void toColor();
    void systemColorIndex_data();
    void systemColorIndex();
    void toValue_data();
    void toValue();

private:
    QString filePath(const QString& name = QStringLiteral("Koltra.ini")) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_startDir;
};

void TestProfileFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_startDir = QDir::currentPath();
}

void TestProfileFile::cleanup()
{
    QDir::setCurrent(m_startDir);
    Settings::setFilePathForTesting(QString());
    // A read-only file must not keep the folder from being removed on other systems.
    const auto entries = QDir(m_dir->path()).entryInfoList(QDir::Files);
    for (const QFileInfo& entry : entries)
        QFile::setPermissions(entry.filePath(), entry.permissions() | QFileDevice::WriteOwner);
    m_dir.reset();
}

void TestProfileFile::readWithoutFileGivesDefaults()
{
    const ProfileFile profile(filePath());
    QCOMPARE(profile.readInteger("Interface", "FirstColor", -16777192), -16777192);
    QCOMPARE(profile.readInteger("Interface", "TypeGraph", 0), 0);
    QVERIFY2(!QFile::exists(filePath()), "reading must not create the file");
}

void TestProfileFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expected"); // the default is 77

    QTest::newRow("decimal") << QByteArray("[Interface]\nA=42\n") << 42;
    QTest::newRow("negative") << QByteArray("[Interface]\nA=-16777192\n") << -16777192;
    QTest::newRow("plus sign") << QByteArray("[Interface]\nA=+7\n") << 7;
    QTest::newRow("int max") << QByteArray("[Interface]\nA=2147483647\n") << 2147483647;
    QTest::newRow("int min") << QByteArray("[Interface]\nA=-2147483648\n") << int(-2147483647 - 1);
    QTest::newRow("whitespace around") << QByteArray("  [ Interface ] \n \t A \t=  42 \t\n") << 42;
    QTest::newRow("CRLF") << QByteArray("[Interface]\r\nA=42\r\n") << 42;
    QTest::newRow("no final break") << QByteArray("[Interface]\nA=42") << 42;
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[Interface]\nA=42\n") << 42;

    QTest::newRow("hex 0x red") << QByteArray("[Interface]\nA=0x000000FF\n") << 255;
    QTest::newRow("hex system colour") << QByteArray("[Interface]\nA=0xFF000018\n") << -16777192;
    QTest::newRow("hex 0X lower digits") << QByteArray("[Interface]\nA=0Xffffffff\n") << -1;
    QTest::newRow("hex dollar") << QByteArray("[Interface]\nA=$FF\n") << 255;
    QTest::newRow("hex dollar high bit") << QByteArray("[Interface]\nA=$ff000018\n") << -16777192;

    QTest::newRow("above int max") << QByteArray("[Interface]\nA=2147483648\n") << 77;
    QTest::newRow("below int min") << QByteArray("[Interface]\nA=-2147483649\n") << 77;
    QTest::newRow("huge decimal") << QByteArray("[Interface]\nA=99999999999999999999999\n") << 77;
    QTest::newRow("hex above 32 bits") << QByteArray("[Interface]\nA=0x100000000\n") << 77;

    QTest::newRow("trailing letters") << QByteArray("[Interface]\nA=12abc\n") << 77;
    QTest::newRow("letters") << QByteArray("[Interface]\nA=abc\n") << 77;
    QTest::newRow("fraction") << QByteArray("[Interface]\nA=1.5\n") << 77;
    QTest::newRow("exponent") << QByteArray("[Interface]\nA=1e3\n") << 77;
    QTest::newRow("inner space") << QByteArray("[Interface]\nA=1 2\n") << 77;
    QTest::newRow("empty value") << QByteArray("[Interface]\nA=\n") << 77;
    QTest::newRow("sign only") << QByteArray("[Interface]\nA=-\n") << 77;
    QTest::newRow("0x only") << QByteArray("[Interface]\nA=0x\n") << 77;
    QTest::newRow("dollar only") << QByteArray("[Interface]\nA=$\n") << 77;
    QTest::newRow("bad hex digit") << QByteArray("[Interface]\nA=0xFG\n") << 77;

    QTest::newRow("names case-insensitive") << QByteArray("[iNTERFACE]\na=3\n") << 3;
    QTest::newRow("missing section") << QByteArray("[Other]\nA=1\n") << 77;
    QTest::newRow("missing key") << QByteArray("[Interface]\nB=1\n") << 77;
    QTest::newRow("key in the next section") << QByteArray("[Interface]\nB=1\n[Other]\nA=1\n") << 77;
    QTest::newRow("key before any section") << QByteArray("A=1\n[Interface]\n") << 77;
    QTest::newRow("commented out") << QByteArray("[Interface]\n;A=1\n") << 77;
    QTest::newRow("first of two lines") << QByteArray("[Interface]\nA=1\nA=2\n") << 1;
}

void TestProfileFile::readInteger()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expected);

    writeBytes(filePath(), content);
    QCOMPARE(ProfileFile(filePath()).readInteger("Interface", "A", 77), expected);
}

void TestProfileFile::readSeesChangesBetweenCalls()
{
    const ProfileFile profile(filePath());
    writeBytes(filePath(), "[Interface]\nA=1\n");
    QCOMPARE(profile.readInteger("Interface", "A", 77), 1);
    writeBytes(filePath(), "[Interface]\nA=2\n");
    QCOMPARE(profile.readInteger("Interface", "A", 77), 2);
    QVERIFY(QFile::remove(filePath()));
    QCOMPARE(profile.readInteger("Interface", "A", 77), 77);
}

void TestProfileFile::writeInteger_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("after"); // section is always "Interface"

    const QByteArray mixed = "; Koltra settings\n"
                             "[Other]\n"
                             "FirstColor=7\n"
                             "\n"
                             "[Interface]\n"
                             "; colours\n"
                             "FirstColor=1\n"
                             "SecondColor=2\n"
                             "\n"
                             "[Tail]\n"
                             "X=1\n";
    QTest::newRow("replace value, rest kept")
        << mixed << "FirstColor" << 255 << QByteArray(mixed).replace("FirstColor=1\n", "FirstColor=255\n");
    QTest::newRow("replace value in CRLF file")
        << QByteArray("[Interface]\r\nA=1\r\n\r\n[Tail]\r\nX=1\r\n") << "A" << -16777192
        << QByteArray("[Interface]\r\nA=-16777192\r\n\r\n[Tail]\r\nX=1\r\n");
    QTest::newRow("names case-insensitive, file's spelling and spacing kept")
        << QByteArray("[INTERFACE]\n firstcolor = 0xFF000018 \r\n") << "FirstColor" << 5
        << QByteArray("[INTERFACE]\n firstcolor = 5 \r\n");
    QTest::newRow("fill empty value") << QByteArray("[Interface]\nA=\n") << "A" << 3
                                      << QByteArray("[Interface]\nA=3\n");
    QTest::newRow("first of duplicate sections") << QByteArray("[Interface]\nA=1\n[Other]\n[Interface]\nA=9\n") << "A"
                                                 << 2 << QByteArray("[Interface]\nA=2\n[Other]\n[Interface]\nA=9\n");
    QTest::newRow("BOM kept") << QByteArray("\xEF\xBB\xBF[Interface]\nA=1\n") << "A" << 2
                              << QByteArray("\xEF\xBB\xBF[Interface]\nA=2\n");

    QTest::newRow("new key after last non-blank line")
        << QByteArray("[Interface]\nA=1\n; note\n\n\n[Tail]\nX=1\n") << "B" << 2
        << QByteArray("[Interface]\nA=1\n; note\nB=2\n\n\n[Tail]\nX=1\n");
    QTest::newRow("new key in CRLF file")
        << QByteArray("[Interface]\r\nA=1\r\n") << "B" << 2 << QByteArray("[Interface]\r\nA=1\r\nB=2\r\n");
    QTest::newRow("new key, last line without break")
        << QByteArray("[Interface]\nA=1") << "B" << 2 << QByteArray("[Interface]\nA=1\nB=2");
    QTest::newRow("new key in empty last section")
        << QByteArray("[Other]\nX=1\n[Interface]\n") << "B" << 2 << QByteArray("[Other]\nX=1\n[Interface]\nB=2\n");
    QTest::newRow("commented key is not the key")
        << QByteArray("[Interface]\n;A=1\n") << "A" << 2 << QByteArray("[Interface]\n;A=1\nA=2\n");
    QTest::newRow("key before any section is not the key")
        << QByteArray("A=1\n[Interface]\n") << "A" << 2 << QByteArray("A=1\n[Interface]\nA=2\n");

    QTest::newRow("new section in CRLF file") << QByteArray("[Other]\r\nX=1\r\n\r\n") << "B" << 2
                                              << QByteArray("[Other]\r\nX=1\r\n\r\n[Interface]\r\nB=2\r\n");
    QTest::newRow("new section, last line without break")
        << QByteArray("[Other]\nX=1") << "B" << 2 << QByteArray("[Other]\nX=1\n[Interface]\nB=2");
    QTest::newRow("empty file") << QByteArray() << "B" << 2 << "[Interface]" + NewFileBreak + "B=2" + NewFileBreak;
}

void TestProfileFile::writeInteger()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(int, value);
    QFETCH(QByteArray, after);

    writeBytes(filePath(), before);
    // Not the mode a new file would get, so a replaced file that lost its mode shows.
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(filePath(), mode));

    ProfileFile profile(filePath());
    profile.writeInteger("Interface", key, value);
    QCOMPARE(readBytes(filePath()), after);
    QCOMPARE(profile.readInteger("Interface", key, 77), value);
    QCOMPARE(modeOf(filePath()), mode);
}

void TestProfileFile::writeCreatesMissingFile()
{
    ProfileFile profile(filePath());
    profile.writeInteger("Interface", "A", 1);
    QCOMPARE(readBytes(filePath()), "[Interface]" + NewFileBreak + "A=1" + NewFileBreak);
    profile.writeInteger("Other", "X", -2);
    profile.writeInteger("Interface", "B", 3);
    QCOMPARE(readBytes(filePath()), "[Interface]" + NewFileBreak + "A=1" + NewFileBreak + "B=3" + NewFileBreak +
                                        "[Other]" + NewFileBreak + "X=-2" + NewFileBreak);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Koltra.ini"});
}

void TestProfileFile::writeFailure_data()
{
    QTest::addColumn<QString>("path"); // relative to the temporary folder
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<bool>("relative"); // pass the path relative to the current folder

    QTest::newRow("read-only file") << "Koltra.ini"
                                    << "read-only" << false;
    QTest::newRow("missing folder") << "missing/Koltra.ini"
                                    << "" << false;
    QTest::newRow("path is a folder") << "Koltra.ini"
                                      << "folder" << false;
    QTest::newRow("relative path, message has the full path") << "missing/Koltra.ini"
                                                              << "" << true;
}

void TestProfileFile::writeFailure()
{
    QFETCH(QString, path);
    QFETCH(QString, obstacle);
    QFETCH(bool, relative);

    const QByteArray content = "[Interface]\r\nA=1\r\n";
    if (obstacle == "read-only") {
        writeBytes(filePath(path), content);
        QVERIFY(QFile::setPermissions(filePath(path), ReadOnly));
    } else if (obstacle == "folder") {
        QVERIFY(QDir(m_dir->path()).mkdir(path));
    }
    if (relative)
        QVERIFY(QDir::setCurrent(m_dir->path()));
    const QString expected =
        "Unable to write to " +
        QDir::toNativeSeparators(QDir::current().absoluteFilePath(relative ? path : filePath(path)));
    const QStringList entriesBefore = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    ProfileFile profile(relative ? path : filePath(path));
    for (const QString& key : {QStringLiteral("A"), QStringLiteral("B")}) { // an existing key and a new one
        try {
            profile.writeInteger("Interface", key, 2);
            QFAIL("the write did not fail");
        } catch (const ProfileError& error) {
            QCOMPARE(error.message(), expected);
            QCOMPARE(QString::fromUtf8(error.what()), expected);
        }
    }

    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entriesBefore);
    if (obstacle == "read-only") {
        QCOMPARE(readBytes(filePath(path)), content);
        QCOMPARE(modeOf(filePath(path)), ReadOnly);
    }
}

void TestProfileFile::shortWriteIsAFailure()
{
#ifdef Q_OS_UNIX
    // A full disk, played by a file size limit. The limit is set in a child process so that the test's own output
    // is not cut off; the child reports by its exit code.
    const QString path = filePath(QStringLiteral("Koltra.ini"));
    const QByteArray content = "[Interface]\nA=1\n";
    writeBytes(path, content);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(content.size() + 8), rlim_t(content.size() + 8)};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            ProfileFile(path).writeInteger(QStringLiteral("Interface"), QStringLiteral("LongKeyName"), 123456789);
        } catch (const ProfileError&) {
            _exit(0);
        }
        _exit(1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);   // the write failed loudly
    QCOMPARE(readBytes(path), content); // and the file is as it was
#else
    QSKIP("needs a file size limit");
#endif
}

void TestProfileFile::settingsDefaults_data()
{
    QTest::addColumn<int>("key"); // index into AllKeys
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expected");

    QTest::newRow("FirstColor") << 0 << "FirstColor" << -16777192;
    QTest::newRow("SecondColor") << 1 << "SecondColor" << 16777215;
    QTest::newRow("IsShowNumber") << 2 << "IsShowNumber" << 1;
    QTest::newRow("IsShowExpert") << 3 << "IsShowExpert" << 1;
    QTest::newRow("TypeGraph") << 4 << "TypeGraph" << 0;
    QTest::newRow("Splitter") << 5 << "Splitter" << 0;
    QTest::newRow("DoubleClick") << 6 << "DoubleClick" << 0;
}

void TestProfileFile::settingsDefaults()
{
    QFETCH(int, key);
    QFETCH(QString, name);
    QFETCH(int, expected);

    const Settings::Key& k = *AllKeys[key];
    QCOMPARE(QString::fromLatin1(k.name), name);
    Settings::setFilePathForTesting(filePath());
    QCOMPARE(Settings::read(k), expected); // first run: no file

    // Another section with the same key must not count; the key's own line must.
    writeBytes(filePath(), "[Other]\n" + name.toLatin1() + "=12345\n");
    QCOMPARE(Settings::read(k), expected);
    writeBytes(filePath(), "[interface]\n" + name.toLower().toLatin1() + "=12345\n");
    QCOMPARE(Settings::read(k), 12345);
}

void TestProfileFile::settingsFilePath()
{
    QCOMPARE(Settings::filePath(), QCoreApplication::applicationDirPath() + "/Koltra.ini");
    Settings::setFilePathForTesting(filePath("other.ini"));
    QCOMPARE(Settings::filePath(), filePath("other.ini"));
    Settings::write(Settings::TypeGraph, 2);
    QCOMPARE(readBytes(filePath("other.ini")), "[Interface]" + NewFileBreak + "TypeGraph=2" + NewFileBreak);
    Settings::setFilePathForTesting(QString());
    QCOMPARE(Settings::filePath(), QCoreApplication::applicationDirPath() + "/Koltra.ini");
}

void TestProfileFile::settingsFailedWriteKeepsEarlierWrites()
{
    Settings::setFilePathForTesting(filePath());
    Settings::write(Settings::FirstColor, 255);
    Settings::write(Settings::SecondColor, 0);
    QVERIFY(QFile::setPermissions(filePath(), ReadOnly));
    QVERIFY_THROWS_EXCEPTION(ProfileError, Settings::write(Settings::IsShowNumber, 0));
    QCOMPARE(Settings::read(Settings::FirstColor), 255);
    QCOMPARE(Settings::read(Settings::SecondColor), 0);
    QCOMPARE(Settings::read(Settings::IsShowNumber), 1);
}

void TestProfileFile::toColor_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<QColor>("expected");
    QTest::addColumn<bool>("system");

    const QPalette palette = fixturePalette();
    QTest::newRow("red") << qint32(255) << QColor(255, 0, 0) << false;
    QTest::newRow("green") << qint32(0x00FF00) << QColor(0, 255, 0) << false;
    QTest::newRow("blue") << qint32(0xFF0000) << QColor(0, 0, 255) << false;
    QTest::newRow("white") << qint32(16777215) << QColor(255, 255, 255) << false;
    QTest::newRow("black") << qint32(0) << QColor(0, 0, 0) << false;
    QTest::newRow("byte order") << qint32(0x563412) << QColor(0x12, 0x34, 0x56) << false;
    QTest::newRow("high byte 1 is RGB") << qint32(0x010000FF) << QColor(255, 0, 0) << false;
    QTest::newRow("tooltip background") << qint32(-16777192) << palette.color(QPalette::Active, QPalette::ToolTipBase)
                                        << true;
    QTest::newRow("index in low byte only")
        << qint32(0xFF000118) << palette.color(QPalette::Active, QPalette::ToolTipBase) << true;
    QTest::newRow("index 25 is no colour") << qint32(0xFF000019) << QColor(Qt::black) << true;
    QTest::newRow("index past the last") << qint32(0xFF00001F) << QColor(Qt::black) << true;
    QTest::newRow("index 255") << qint32(-1) << QColor(Qt::black) << true;
}

void TestProfileFile::toColor()
{
    QFETCH(qint32, value);
    QFETCH(QColor, expected);
    QFETCH(bool, system);

    QCOMPARE(SystemColors::toColor(value, fixturePalette()), expected);
    QCOMPARE(SystemColors::isSystemColor(value), system);
}

void TestProfileFile::systemColorIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("role");

    QTest::newRow("COLOR_MENU") << 4 << int(QPalette::Active) << int(QPalette::Window);
    QTest::newRow("COLOR_WINDOW") << 5 << int(QPalette::Active) << int(QPalette::Base);
    QTest::newRow("COLOR_MENUTEXT") << 7 << int(QPalette::Active) << int(QPalette::WindowText);
    QTest::newRow("COLOR_WINDOWTEXT") << 8 << int(QPalette::Active) << int(QPalette::Text);
    QTest::newRow("COLOR_ACTIVECAPTION") << 2 << int(QPalette::Active) << int(QPalette::Highlight);
    QTest::newRow("COLOR_INACTIVECAPTION") << 3 << int(QPalette::Inactive) << int(QPalette::Highlight);
    QTest::newRow("COLOR_CAPTIONTEXT") << 9 << int(QPalette::Active) << int(QPalette::HighlightedText);
    QTest::newRow("COLOR_INACTIVECAPTIONTEXT") << 19 << int(QPalette::Inactive) << int(QPalette::HighlightedText);
    QTest::newRow("COLOR_APPWORKSPACE") << 12 << int(QPalette::Active) << int(QPalette::Mid);
    QTest::newRow("COLOR_HIGHLIGHT") << 13 << int(QPalette::Active) << int(QPalette::Highlight);
    QTest::newRow("COLOR_HIGHLIGHTTEXT") << 14 << int(QPalette::Active) << int(QPalette::HighlightedText);
    QTest::newRow("COLOR_BTNFACE") << 15 << int(QPalette::Active) << int(QPalette::Button);
    QTest::newRow("COLOR_BTNSHADOW") << 16 << int(QPalette::Active) << int(QPalette::Dark);
    QTest::newRow("COLOR_GRAYTEXT") << 17 << int(QPalette::Disabled) << int(QPalette::Text);
    QTest::newRow("COLOR_BTNTEXT") << 18 << int(QPalette::Active) << int(QPalette::ButtonText);
    QTest::newRow("COLOR_BTNHIGHLIGHT") << 20 << int(QPalette::Active) << int(QPalette::Light);
    QTest::newRow("COLOR_3DDKSHADOW") << 21 << int(QPalette::Active) << int(QPalette::Shadow);
    QTest::newRow("COLOR_3DLIGHT") << 22 << int(QPalette::Active) << int(QPalette::Midlight);
    QTest::newRow("COLOR_INFOTEXT") << 23 << int(QPalette::Active) << int(QPalette::ToolTipText);
    QTest::newRow("COLOR_INFOBK") << 24 << int(QPalette::Active) << int(QPalette::ToolTipBase);
    QTest::newRow("COLOR_HOTLIGHT") << 26 << int(QPalette::Active) << int(QPalette::Link);
    QTest::newRow("COLOR_MENUHILIGHT") << 29 << int(QPalette::Active) << int(QPalette::Highlight);
    QTest::newRow("COLOR_MENUBAR") << 30 << int(QPalette::Active) << int(QPalette::Window);
}

void TestProfileFile::systemColorIndex()
{
    QFETCH(int, index);
    QFETCH(int, group);
    QFETCH(int, role);

    const QPalette palette = fixturePalette();
    const QColor expected = palette.color(QPalette::ColorGroup(group), QPalette::ColorRole(role));
    QCOMPARE(SystemColors::toColor(qint32(0xFF000000u | quint32(index)), palette), expected);
}

void TestProfileFile::toValue_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<qint32>("value");

    QTest::newRow("red") << QColor(Qt::red) << qint32(255);
    QTest::newRow("white") << QColor(Qt::white) << qint32(16777215);
    QTest::newRow("black") << QColor(Qt::black) << qint32(0);
    QTest::newRow("byte order") << QColor(0x12, 0x34, 0x56) << qint32(0x563412);
    QTest::newRow("alpha ignored") << QColor(255, 0, 0, 100) << qint32(255);
}

void TestProfileFile::toValue()
{
    QFETCH(QColor, color);
    QFETCH(qint32, value);

    QCOMPARE(SystemColors::toValue(color), value);
    QVERIFY(!SystemColors::isSystemColor(value));
    QCOMPARE(SystemColors::toColor(value, fixturePalette()).rgb(), color.rgb());
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
