#pragma once

#include <QString>

#include <optional>

// One row of the call table, as the import writes it.
struct ForgRow {
    QString kezdnap;    // yyyy.mm.dd
    QString kezdido;    // hh:mm:ss
    QString hossz;      // duration hh:mm:ss
    qint64 cseng = 0;   // ring time
    QString hivoszam;   // calling party (the extension for collector records)
    QString irany;      // "I" incoming, "O" outgoing
    QString hivottszam; // called party
    QString azon1;      // account or secret code
    bool belso = false; // internal call
    QString id;
    QString eszk1;
    QString nev1;
    QString eszk2; // trunk line
    QString nev2;
    qint64 osszeg = 0;  // fee; kNotPriced for an outgoing call not yet priced
    QString importfajl; // file name without folder
};

// The fee of an outgoing call that has not been priced yet.
inline constexpr qint64 kNotPriced = -999999;

// Import types of the program parameter IMPTIPUS.
inline constexpr int kImportDelimited = 1;
inline constexpr int kImportCollector = 2;

// Where a line came from, for the messages about it.
struct LineSource {
    QString fullName; // the file with its folder
    QString name;     // the file's name alone
    qint64 lineNumber = 0;
};

// Shortest collector record line the import accepts.
inline constexpr int kMinimumCollectorLine = 74;

// A collector record line (80 columns: date MM/DD/YY, time with DE/DU/AM/PM,
// extension, trunk, number, duration, account). A line shorter than 74
// characters is reported and skipped (nothing returned); a time without a
// known marker is reported and stored as it stands. The running key and the
// account code are the caller's: id and azon1 hold the line's own values.
std::optional<ForgRow> parseCollectorLine(const QString& line, const LineSource& source);

// A line of a delimited file: 15 fields separated by ";" or ",". Missing
// fields are reported and stored empty; a ring time that is not a number is 0.
ForgRow parseDelimitedLine(const QString& line, const LineSource& source);
