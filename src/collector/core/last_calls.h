#pragma once

#include <QString>
#include <QStringList>

// The window's list of the last calls and record defects: at most eight
// lines, the oldest dropped first, and a placeholder until the first line.
class LastCallsList {
public:
    static constexpr qsizetype kMaxLines = 8;
    static const QString& placeholder();

    const QStringList& lines() const { return m_lines; }
    void add(const QString& line);
    // Back to the placeholder alone.
    void reset() { m_lines = {placeholder()}; }
    // Empty, as the record tester starts it.
    void clear() { m_lines.clear(); }

private:
    QStringList m_lines{placeholder()};
};

// The text the record tester hands to the parser: every line but the last
// followed by the line end; the last line without one, or left out when it is
// exactly "." (so that a line end can be given to the last real line).
QString testerText(const QStringList& lines, const QString& lineEnd);
