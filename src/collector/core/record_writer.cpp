#include "core/record_writer.h"

#include "core/cp1250.h"

#include <QDir>

using namespace Qt::StringLiterals;

QString datedFileLetters(int index)
{
    QString letters;
    for (; index >= 26; index -= 26)
        letters += u'Z';
    return letters + QChar(u'A' + index);
}

RecordWriter::RecordWriter(const QString& folder, Options options)
    : m_folder(QDir(folder).absolutePath()), m_data{WorkingFile(m_folder + u"/KVdata.txt"_s, options.durable),
                                                    u"D"_s,
                                                    {}},
      m_errors{WorkingFile(m_folder + u"/KVerrs.txt"_s, options.durable), u"E"_s, {}}
{
}

RecordWriter::~RecordWriter() = default;

FileResult RecordWriter::open()
{
    const FileResult data = m_data.file.open();
    const FileResult errors = m_errors.file.open();
    return data ? errors : data;
}

QString RecordWriter::datedName(const Target& target, const QString& key, int index) const
{
    return m_folder + u'/' + target.prefix + key + datedFileLetters(index) + u".txt"_s;
}

FileResult RecordWriter::RotateFile(int kind, const QString& key)
{
    Target& target = targetOf(kind);
    target.file.close();
    const auto moved =
        moveToFreeName(target.file.path(), [&](int index) { return datedName(target, key, index); });
    if (!moved)
        return std::unexpected(moved.error());
    // From here on the records are in the dated file only; the working file
    // starts afresh with no key.
    target.key.clear();
    if (const FileResult synced = syncFolderStep(m_folder); !synced)
        return synced;
    return target.file.open();
}

FileResult RecordWriter::writeOne(const Waiting& record)
{
    Target& target = *record.target;
    if (const FileResult opened = target.file.open(); !opened)
        return opened;
    if (record.keyed && !target.key.isEmpty() && target.key != record.key) {
        if (const FileResult rotated = RotateFile(&target == &m_data ? DataPacket : Discarded, target.key);
            !rotated)
            return rotated;
    }
    if (const FileResult written = target.file.append(cp1250::encode(record.text)); !written)
        return written;
    // The key names what the working file holds, so it changes only once the
    // record is there: a dated file is never made of an empty working file.
    if (record.keyed)
        target.key = record.key;
    if (record.display)
        m_shown.append(*record.display);
    return {};
}

FileResult RecordWriter::flush()
{
    while (!m_waiting.empty()) {
        if (const FileResult written = writeOne(m_waiting.front()); !written)
            return written;
        m_waiting.pop_front();
    }
    return {};
}

FileResult RecordWriter::file(int kind, bool bad, const QString& text, const QString& key,
                              const QString& display)
{
    if (bad)
        m_waiting.push_back({&m_errors, false, {}, text, std::nullopt});
    else
        m_waiting.push_back({&targetOf(kind), true, key, text, display});
    return flush();
}

QStringList RecordWriter::close()
{
    (void)flush();
    for (Target* target : {&m_data, &m_errors}) {
        if (!target->key.isEmpty())
            (void)RotateFile(target == &m_data ? DataPacket : Discarded, target->key);
        target->file.close();
    }
    QStringList unwritten;
    for (const Waiting& record : m_waiting)
        unwritten.append(record.text);
    m_waiting.clear();
    return unwritten;
}

void RecordWriter::abandon()
{
    m_data.file.abandon();
    m_errors.file.abandon();
    m_waiting.clear();
}

QStringList RecordWriter::takeShown()
{
    return std::exchange(m_shown, QStringList());
}
