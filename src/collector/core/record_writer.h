#pragma once

#include "core/file_io.h"
#include "core/working_file.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

// Files the records in the collector's folder: good records of received data
// in "KVdata.txt", bad records and discarded data in "KVerrs.txt". When the
// date key of the records of a working file changes, the file is closed into
// a dated file ("D" or "E" + key + first free letter + ".txt").
//
// No record is lost: every record is on the disk before the next one is
// taken (durable mode), and a record that cannot be written (full disk,
// folder not writable) waits in memory, in order, until a later attempt
// succeeds.
class RecordWriter {
public:
    enum Kind { DataPacket = 1, Discarded = 2 };

    struct Options {
        bool durable = true;
    };

    explicit RecordWriter(const QString& folder, Options options);
    RecordWriter(const QString& folder) : RecordWriter(folder, Options{}) {}
    ~RecordWriter();

    const QString& folder() const { return m_folder; }

    // Opens both working files for appending (creating them when missing).
    FileResult open();

    // One record: a bad one goes to the error log; a good one of kind 1 to
    // the data file, of kind 2 to the error log, each under its date key.
    // text is written exactly as given, line end included; display is what
    // the window shows of a good record once it is written.
    FileResult file(int kind, bool bad, const QString& text, const QString& key, const QString& display);

    // Writes the records that are still waiting, oldest first.
    FileResult flush();
    qsizetype waitingCount() const { return qsizetype(m_waiting.size()); }

    // Closes the working file of a kind into its dated file under key.
    FileResult RotateFile(int kind, const QString& key);

    // At program end: closes each working file into its dated file when its
    // key was set during the run. Records that still could not be written are
    // returned, so the caller can show them.
    QStringList close();

    // Drops the open files without any further step, as a crash would.
    void abandon();

    const QString& dataKey() const { return m_data.key; }
    const QString& errorKey() const { return m_errors.key; }

    // Good records shown since the last call (for the window's list).
    QStringList takeShown();

private:
    struct Target {
        WorkingFile file;
        QString prefix; // of the dated files
        QString key;    // date key of the records in the working file
    };
    struct Waiting {
        Target* target;
        bool keyed;
        QString key;
        QString text;
        std::optional<QString> display;
    };

    Target& targetOf(int kind) { return kind == DataPacket ? m_data : m_errors; }
    FileResult writeOne(const Waiting& record);
    QString datedName(const Target& target, const QString& key, int index) const;

    QString m_folder;
    Target m_data;
    Target m_errors;
    std::deque<Waiting> m_waiting;
    QStringList m_shown;
};

// The letters of the n-th dated file of a key: "A" .. "Z", then "ZA" .. "ZZ",
// "ZZA" and so on, so that ascending names keep the order of closing.
QString datedFileLetters(int index);
