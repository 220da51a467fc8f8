#include "core/ini_file.h"

#include "core/cp1250.h"
#include "core/text_utils.h"

#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Profile files trim blanks and tabs around names and values.
QString trimmed(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && (text[start] == u' ' || text[start] == u'\t'))
        ++start;
    while (end > start && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.mid(start, end - start).toString();
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::exists() const
{
    return QFile::exists(m_path);
}

std::vector<IniFile::Entry> IniFile::load() const
{
    std::vector<Entry> entries;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QString text = cp1250::decode(file.readAll());
    QString section;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        Entry entry;
        entry.line = line.toString();
        const QString content = trimmed(line);
        if (content.startsWith(u'[')) {
            const qsizetype close = content.indexOf(u']');
            section = trimmed(QStringView(content).mid(1, close < 0 ? -1 : close - 1));
            entry.header = true;
        } else if (!content.startsWith(u';')) {
            const qsizetype equals = content.indexOf(u'=');
            if (equals > 0) {
                entry.key = trimmed(QStringView(content).left(equals));
                entry.value = trimmed(QStringView(content).mid(equals + 1));
            }
        }
        entry.section = section;
        entries.push_back(std::move(entry));
    }
    // The split leaves one empty piece after the final line end.
    if (!entries.empty() && entries.back().line.isEmpty())
        entries.pop_back();
    return entries;
}

FileResult IniFile::save(const std::vector<Entry>& entries) const
{
    QString text;
    for (const Entry& entry : entries)
        text += entry.line + u"\r\n"_s;
    return writeFileAtomically(m_path, cp1250::encode(text));
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    for (const Entry& entry : load()) {
        if (!entry.key.isEmpty() && sameName(entry.section, section) && sameName(entry.key, key))
            return entry.value;
    }
    return defaultValue;
}

qint64 IniFile::readInteger(const QString& section, const QString& key, qint64 defaultValue) const
{
    return parseInteger(readString(section, key)).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::sectionExists(const QString& section) const
{
    const auto entries = load();
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Entry& e) { return e.header && sameName(e.section, section); });
}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    const auto entries = load();
    return std::any_of(entries.begin(), entries.end(), [&](const Entry& e) {
        return !e.key.isEmpty() && sameName(e.section, section) && sameName(e.key, key);
    });
}

QStringList IniFile::readSection(const QString& section) const
{
    QStringList keys;
    for (const Entry& entry : load()) {
        if (!entry.key.isEmpty() && sameName(entry.section, section))
            keys.append(entry.key);
    }
    return keys;
}

FileResult IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    std::vector<Entry> entries = load();
    const QString line = key + u'=' + value;
    qsizetype headerAt = -1;
    qsizetype lastKeyAt = -1;
    for (qsizetype i = 0; i < qsizetype(entries.size()); ++i) {
        Entry& entry = entries[i];
        if (!sameName(entry.section, section) || (headerAt < 0 && !entry.header))
            continue;
        if (entry.header) {
            if (headerAt >= 0)
                break; // a repeated section: the first one counts
            headerAt = lastKeyAt = i;
        } else if (!entry.key.isEmpty()) {
            if (sameName(entry.key, key)) {
                // The key keeps the spelling it has in the file.
                entry.line = entry.key + u'=' + value;
                return save(entries);
            }
            lastKeyAt = i;
        }
    }
    Entry added;
    added.line = line;
    if (headerAt >= 0) {
        entries.insert(entries.begin() + lastKeyAt + 1, added);
    } else {
        if (!entries.empty() && !trimmed(entries.back().line).isEmpty())
            entries.push_back(Entry{});
        Entry header;
        header.line = u'[' + section + u']';
        header.header = true;
        entries.push_back(header);
        entries.push_back(added);
    }
    return save(entries);
}

FileResult IniFile::writeInteger(const QString& section, const QString& key, qint64 value)
{
    return writeString(section, key, QString::number(value));
}

FileResult IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    return writeString(section, key, value ? u"1"_s : u"0"_s);
}

FileResult IniFile::deleteKey(const QString& section, const QString& key)
{
    std::vector<Entry> entries = load();
    const auto first = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
        return !e.key.isEmpty() && sameName(e.section, section) && sameName(e.key, key);
    });
    if (first == entries.end())
        return {};
    entries.erase(first);
    return save(entries);
}

FileResult IniFile::eraseSection(const QString& section)
{
    std::vector<Entry> entries = load();
    const auto end = std::remove_if(entries.begin(), entries.end(),
                                    [&](const Entry& e) { return sameName(e.section, section); });
    if (end == entries.end())
        return {};
    entries.erase(end, entries.end());
    return save(entries);
}
