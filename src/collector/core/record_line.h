#pragma once

#include "core/line_parser.h"

#include <QDate>
#include <QString>

// The lines the collector files and what the window shows of them.

// The 80-column record line: date, time, extension, trunk, number (36),
// duration followed by a double quote, account. Each field is filled with
// blanks to its width; a longer one is written whole and shifts the rest.
QString fixedWidthLine(const CallFields& fields);

// "CSV;" and seven fields: check date, time, duration with ":" for "'",
// extension, trunk, number, account; each without ";" and trimmed.
QString semicolonLine(const QString& checkDate, const CallFields& fields);

// Which dated file a record belongs to, and the date it must pass.
struct RecordDate {
    QString key;       // MMDDYY, or yyyy.mm.dd for the day of receipt
    QString checkDate; // yyyy.mm.dd
};
RecordDate recordDate(int outputMode, const QString& recordLine, const QDate& dayOfReceipt);

// The record line of a parsed line for the output mode: fixed width, the
// received line, the empty line, or (mode 2) the semicolon line.
struct RecordLine {
    QString text;
    RecordDate date;
};
RecordLine buildRecordLine(int outputMode, const ParsedLine& parsed, const QDate& dayOfReceipt);

// What the last-calls list shows of a good record.
QString displayText(int outputMode, const RecordLine& record);
