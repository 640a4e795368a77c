#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The shift cipher of stored passwords: every byte shifted by the key N, modulo 256.
class TJvCaesarCipher
{
public:
    quint8 N() const { return FN; }
    void setN(quint8 n) { FN = n; }

    const QByteArray& Encoded() const { return FEncoded; }
    const QByteArray& Decoded() const { return FDecoded; }
    // Stores the plain text and scrambles it with N.
    void setDecoded(const QByteArray& plain);
    // Stores the scrambled text and unscrambles it with N.
    void setEncoded(const QByteArray& scrambled);

    static QByteArray shift(const QByteArray& text, quint8 k);

private:
    quint8 FN = 0;
    QByteArray FEncoded;
    QByteArray FDecoded;
};

// Passwords are defined on single-byte code page 1251 text.
namespace Cp1251 {
// The text's bytes, or nothing when a character has no place in the code page.
std::optional<QByteArray> encode(const QString& text);
QString decode(const QByteArray& bytes);
} // namespace Cp1251

// The stored form of a password: scrambled with its own length (mod 256) as the key; empty stays empty.
namespace StoredPassword {
QByteArray scramble(const QByteArray& plain);
QByteArray unscramble(const QByteArray& stored);
} // namespace StoredPassword
