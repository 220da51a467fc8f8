#pragma once

#include <QString>

#include <expected>

class Tdm1;

// The processing around the secret-code naming (menu item mpKodok). The codes
// are stored encoded in Kodok.tkod; for the table form they are decoded into
// Kodok.kod, and afterwards every code gets an account code, is mirrored into
// Account, encoded again and its plain text cleared.
//
// Kodok has no key of its own, so each step rewrites the table in one
// transaction, keeping the order of its rows.

// Steps 1 to 3: decodes every stored code into kod. Returns the highest
// account code of the table, "A0000" when there is none.
std::expected<QString, QString> decodeSecretCodes(Tdm1& dm);

// Steps 5 to 7, after the table form closed (by either button): a code
// without an account code gets the next one after highest (A0007 -> A0008);
// Account gets or updates the row of every code with its name and type; a
// new code is encoded (EncodeTextA, width 40) and every plain text cleared.
// A code that cannot be encoded keeps its plain text rather than being lost.
std::expected<void, QString> encodeSecretCodes(Tdm1& dm, const QString& highestAccount);
