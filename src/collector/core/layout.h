#pragma once

#include <QString>

#include <optional>

class IniFile;

// Columns of one field of a configured layout: first and last column,
// counted from 1, both included.
struct ColumnRange {
    int first = 0;
    int last = 0;
};

// The column layout the administrator configures for a PBX (section
// "KIND999" of Kalvix.ini). Its defaults describe the same columns as the
// fixed layout type 2.
struct CallRecordLayout {
    ColumnRange date{1, 8};
    ColumnRange time{10, 16};
    ColumnRange extension{18, 21};
    ColumnRange trunk{23, 24};
    ColumnRange number{26, 45};
    ColumnRange duration{47, 54};
    ColumnRange code{0, 0}; // stored and edited, not used when parsing
    ColumnRange account{0, 0};
    ColumnRange direction{0, 0};
    QString dateSeparator = QStringLiteral("/");   // DatVal
    int dateOrder = 0;                             // DatSor
    QString timeSeparator = QStringLiteral(":");   // IdoVal
    bool clock24 = false;                          // Ido24E
    QString amMarker = QStringLiteral("am");       // IdoDEJ
    QString pmMarker = QStringLiteral("pm");       // IdoDUJ
    QString minuteSeparator = QStringLiteral(":"); // TrtMin
    QString secondSeparator = QStringLiteral("'"); // TrtSec
    bool accountCodes = true;                      // AccVan
    bool accountInExtension = true;                // AccEgy
    QString accountMark = QStringLiteral("*");     // AccJel
    bool directionFromNumber = true;               // HivEgy
    QString incomingMarks = QStringLiteral("<,>"); // HivBEJ
    QString outgoingValue;                         // HivKIJ
    int lineEndChoice = 0;                         // LineFd
};

inline const QString kSectionLayout = QStringLiteral("KIND999");

// Reads section "KIND999"; missing keys take the defaults.
CallRecordLayout readLayout(const IniFile& ini);

// Line ends a PBX may use.
inline const QString kLineEndCrLf = QStringLiteral("\r\n");
inline const QString kLineEndLfCr = QStringLiteral("\n\r");

// The line end a "LineFd" value selects: 0 CR LF, 1 LF CR; any other value
// keeps the line end in force.
std::optional<QString> lineEndOf(int lineEndChoice);
