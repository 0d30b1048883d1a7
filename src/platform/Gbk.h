#pragma once
// GBK, the code page every text of the system is counted, stored and compared in.
// Qt strings are UTF-16; these helpers give their GBK bytes (through glibc iconv)
// and back. A character that has no GBK form becomes '?' in the bytes.

#include <QByteArray>
#include <QString>

namespace Gbk {

// The GBK bytes of text. Characters without a GBK form become a single '?';
// *lossless (when given) tells whether every character had one.
QByteArray encode(const QString& text, bool* lossless = nullptr);

// The text of GBK bytes; an invalid sequence becomes U+FFFD.
QString decode(const QByteArray& bytes);

// Number of bytes text takes in GBK (a Chinese character counts two).
int byteLength(const QString& text);

// The longest prefix of text whose GBK form has at most maxBytes bytes;
// a character is never cut in half.
QString truncateToBytes(const QString& text, int maxBytes);

} // namespace Gbk
