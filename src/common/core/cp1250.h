#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1250, the code page of every file the two programs exchange and of
// the settings files. The mapping here is one-to-one over all 256 bytes: the
// five bytes Windows-1250 leaves undefined map to the control characters of
// the same number (U+0081 ...), as Windows itself does. So bytes read from the
// serial line, a record file or an INI file come back unchanged when the text
// is written out again, and a QString holding such text has exactly the
// positions and widths of the bytes.
namespace cp1250 {

QString decode(QByteArrayView bytes);

// Characters outside Windows-1250 become '?'.
QByteArray encode(QStringView text);
inline QByteArray encode(const QString& text)
{
    return encode(QStringView(text));
}

// The Windows-1250 byte of a character, or -1 when it has none.
int byteOf(QChar c);

QChar charOf(unsigned char byte);

// Ordinal comparison of two texts by their Windows-1250 bytes, as the
// single-byte programs compare strings (-1, 0, 1).
int compare(QStringView a, QStringView b);

} // namespace cp1250
