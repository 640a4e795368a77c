#include "databases/CaesarCipher.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray TJvCaesarCipher::shift(const QByteArray& text, quint8 k)
{
    QByteArray result(text);
    for (char& c : result)
        c = char(quint8(quint8(c) + k));
    return result;
}

void TJvCaesarCipher::setDecoded(const QByteArray& plain)
{
    FDecoded = plain;
    FEncoded = shift(plain, FN);
}

void TJvCaesarCipher::setEncoded(const QByteArray& scrambled)
{
    FEncoded = scrambled;
    FDecoded = shift(scrambled, quint8(256 - FN));
}

namespace Cp1251 {

std::optional<QByteArray> encode(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return bytes;
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

} // namespace Cp1251

namespace StoredPassword {

QByteArray scramble(const QByteArray& plain)
{
    TJvCaesarCipher cipher;
    cipher.setN(quint8(plain.size() % 256));
    cipher.setDecoded(plain);
    return cipher.Encoded();
}

QByteArray unscramble(const QByteArray& stored)
{
    TJvCaesarCipher cipher;
    cipher.setN(quint8(stored.size() % 256));
    cipher.setEncoded(stored);
    return cipher.Decoded();
}

} // namespace StoredPassword
