#include "core/last_calls.h"

using namespace Qt::StringLiterals;

const QString& LastCallsList::placeholder()
{
    static const QString text = u" ... még nem volt hívás"_s;
    return text;
}

void LastCallsList::add(const QString& line)
{
    if (!m_lines.isEmpty() && m_lines.front() == placeholder())
        m_lines.clear();
    if (m_lines.size() >= kMaxLines)
        m_lines.remove(0, m_lines.size() - kMaxLines + 1);
    m_lines.append(line);
}

QString testerText(const QStringList& lines, const QString& lineEnd)
{
    QString text;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        text += lines[i] + lineEnd;
    if (!lines.isEmpty() && lines.back() != u".")
        text += lines.back();
    return text;
}
