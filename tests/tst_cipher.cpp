// The password cipher: the byte shift, the stored form keyed by the password's length, and code page 1251.

#include "databases/CaesarCipher.h"

#include <QStringDecoder>
#include <QTest>

namespace {

// Bytes 0..size-1 cycling through every value, so a shift of any byte cannot go unnoticed.
QByteArray everyByte(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(quint8(i % 256));
    return bytes;
}

QByteArray shiftedBy(const QByteArray& text, int k)
{
    QByteArray result(text);
    for (char& c : result)
        c = char(quint8(quint8(c) + k));
    return result;
}

} // namespace

class TestCipher : public QObject
{
    Q_OBJECT

private slots:
    void shiftBothWays_data();
    void shiftBothWays();
    void valuesKeptUntilNextAssignment();
    void cp1251RoundTrip_data();
    void cp1251RoundTrip();
    void cp1251RejectsForeignCharacters_data();
    void cp1251RejectsForeignCharacters();
    void cp1251TableAgreesWithSystemConverter();
};

void TestCipher::shiftBothWays_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<int>("key");
    QTest::addColumn<QByteArray>("stored");
    // A stored password is keyed by its own length; the other rows set N by hand.
    QTest::addColumn<bool>("password");

    const QByteArray page = everyByte(256);
    const QByteArray pageAndOne = everyByte(257);

    QTest::newRow("one byte, key = its length") << QByteArray("a") << 1 << QByteArray("b") << true;
    QTest::newRow("abc with key 3") << QByteArray("abc") << 3 << QByteArray("def") << true;
    QTest::newRow("256 bytes: key 0, unchanged") << page << 0 << page << true;
    QTest::newRow("257 bytes: key 1") << pageAndOne << 1 << shiftedBy(pageAndOne, 1) << true;
    QTest::newRow("byte 254 wraps to 1") << QByteArray("\xFE\xFE\xFE") << 3 << QByteArray("\x01\x01\x01") << true;
    // Code 248 + 8 = 256: the stored text holds a zero byte, which must not cut it short.
    QTest::newRow("code 248 in 8 bytes becomes 0") << QByteArray("abc\xF8"
                                                                 "defg")
                                                   << 8 << QByteArray("ijk\0lmno", 8) << true;
    QTest::newRow("empty password stays empty") << QByteArray() << 0 << QByteArray() << true;
    QTest::newRow("N = 0 leaves the text")
        << QByteArray("Text\xFF\x00", 6) << 0 << QByteArray("Text\xFF\x00", 6) << false;
    QTest::newRow("N = 255 is one back") << QByteArray("b\x00", 2) << 255 << QByteArray("a\xFF") << false;
}

void TestCipher::shiftBothWays()
{
    QFETCH(QByteArray, plain);
    QFETCH(int, key);
    QFETCH(QByteArray, stored);
    QFETCH(bool, password);

    TJvCaesarCipher cipher;
    cipher.setN(quint8(key));
    cipher.setDecoded(plain);
    QCOMPARE(cipher.Encoded(), stored);
    QCOMPARE(cipher.Encoded().size(), plain.size());

    TJvCaesarCipher back;
    back.setN(quint8(key));
    back.setEncoded(stored);
    QCOMPARE(back.Decoded(), plain);

    if (password) {
        QCOMPARE(key, int(plain.size() % 256)); // guards the table itself
        QCOMPARE(StoredPassword::scramble(plain), stored);
        QCOMPARE(StoredPassword::unscramble(stored), plain);
    }
}

void TestCipher::valuesKeptUntilNextAssignment()
{
    TJvCaesarCipher cipher;
    cipher.setN(3);
    cipher.setDecoded("abc");
    QCOMPARE(cipher.Encoded(), QByteArray("def"));

    // A new key alone computes nothing: both sides still hold the values of the last assignment.
    cipher.setN(5);
    QCOMPARE(cipher.N(), quint8(5));
    QCOMPARE(cipher.Encoded(), QByteArray("def"));
    QCOMPARE(cipher.Decoded(), QByteArray("abc"));

    cipher.setEncoded("fgh");
    QCOMPARE(cipher.Decoded(), QByteArray("abc"));
    QCOMPARE(cipher.Encoded(), QByteArray("fgh"));

    cipher.setN(0);
    cipher.setDecoded("xyz");
    QCOMPARE(cipher.Encoded(), QByteArray("xyz"));
}

void TestCipher::cp1251RoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("Пароль") << QStringLiteral("Пароль") << QByteArray("\xCF\xE0\xF0\xEE\xEB\xFC");
    QTest::newRow("Ё and ё") << QStringLiteral("Ёё") << QByteArray("\xA8\xB8");
    QTest::newRow("Latin and digits") << QStringLiteral("pass123") << QByteArray("pass123");
    QTest::newRow("euro sign is in the page") << QStringLiteral("€") << QByteArray("\x88");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCipher::cp1251RoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    const std::optional<QByteArray> encoded = Cp1251::encode(text);
    QVERIFY(encoded.has_value());
    QCOMPARE(*encoded, bytes);
    QCOMPARE(Cp1251::decode(bytes), text);

    // The way a password travels: code page bytes, scrambled, stored, and back.
    QCOMPARE(Cp1251::decode(StoredPassword::unscramble(StoredPassword::scramble(*encoded))), text);
}

void TestCipher::cp1251RejectsForeignCharacters_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("CJK") << QStringLiteral("密");
    QTest::newRow("Hungarian ő") << QStringLiteral("ő");
    QTest::newRow("foreign character after Cyrillic") << QStringLiteral("Пароль密");
    QTest::newRow("emoji (surrogate pair)") << QStringLiteral("ab😀");
}

void TestCipher::cp1251RejectsForeignCharacters()
{
    QFETCH(QString, text);
    QVERIFY(!Cp1251::encode(text).has_value());
}

void TestCipher::cp1251TableAgreesWithSystemConverter()
{
    // Where Qt has the ICU codec (as here), our table must give the same text for every byte.
    QStringDecoder system("windows-1251");
    if (!system.isValid())
        QSKIP("no system converter for code page 1251");
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98)
            continue; // unassigned in the code page
        const QByteArray one(1, char(byte));
        const QString expected = system.decode(one);
        QCOMPARE(Cp1251::decode(one), expected);
        QCOMPARE(Cp1251::encode(expected).value_or(QByteArray()), one);
    }
}

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
