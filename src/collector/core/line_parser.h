#pragma once

#include "core/layout.h"
#include "core/pbx_type.h"

#include <QString>
#include <QStringList>

#include <optional>

// The normalized fields of one call record.
struct CallFields {
    QString date; // MM/DD/YY
    QString time; // hh:mm followed by DE, DU or ??
    QString extension;
    QString trunk;
    QString number;   // holds "<" and ">" exactly for an incoming call
    QString duration; // hh:mm'ss
    QString account;  // "...." when there is none
};

// What the parser makes of one line.
struct ParsedLine {
    bool hasFields = false; // fixed or configured columns
    QString line;           // pass-through types: the line itself, line end included
    CallFields fields;
    QStringList defects; // one message per failed check, in order
    bool bad = false;    // a check failed (some checks fail without a message)
};

// Assembles lines from received chunks and cuts them into fields by the
// PBX type's layout, checking and normalizing every field.
class LineParser {
public:
    LineParser();

    const PbxType& pbxType() const { return m_type; }
    void setPbxType(const PbxType& type) { m_type = type; }
    const CallRecordLayout& layout() const { return m_layout; }
    // Takes a configured layout and the line end it names (when it names one).
    void setLayout(const CallRecordLayout& layout);
    const QString& lineEnd() const { return m_lineEnd; }
    void setLineEnd(const QString& lineEnd) { m_lineEnd = lineEnd; }

    // Joins text to the pending remainder and takes the first complete line,
    // line end included. Anything after it stays pending for the next call;
    // without a complete line everything stays pending.
    std::optional<QString> takeLine(const QString& text);
    bool hasCompleteLine() const;
    const QString& remainder() const { return m_remainder; }
    QString takeRemainder();

    ParsedLine parse(const QString& line) const;

private:
    qsizetype lineEndPosition(const QString& text) const;

    PbxType m_type;
    CallRecordLayout m_layout;
    QString m_lineEnd;
    QString m_remainder;
};

// The text from position start (from 1), count characters long; a start
// below 1 counts as 1, a negative count as 0, positions past the end drop.
QString cut(const QString& text, int start, int count);
