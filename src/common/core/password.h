#pragma once

#include <QString>

// Passwords, administrator names and secret codes are stored scattered over
// a fixed-width field: the characters sit at random positions chained by
// links, every free position holds a random filler, so the same text encodes
// differently each time. Variant A serves the accounting program (user
// passwords, secret codes), variant B the collector (administrators); a
// variant B value always starts with a code of 130 or more.
//
// Values are texts whose characters are Windows-1250 bytes. When width is
// less than four times the length of text, the encoders report it and return
// an empty text.

QString EncodeTextA(const QString& text, int width);
QString DecodeTextA(const QString& value);
QString EncodeTextB(const QString& text, int width);
QString DecodeTextB(const QString& value);
