#pragma once

#include "core/file_io.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The steps of the collector's file work, named so that a test can make any
// of them fail as a crash or a full disk would.
enum class FileStep { Open, Create, Write, Sync, Rename, SyncFolder };

// Returns the errno a step should fail with, or 0 to let it run.
using FaultHook = std::function<int(FileStep step, const QString& path)>;
void setFaultHook(FaultHook hook);

// Asks the installed hook about a step (0 when none is installed).
int injectedFault(FileStep step, const QString& path);

// A record file the collector appends to. With durability on, every append
// is on the disk (fdatasync) before it returns; a failed append leaves the
// file as it was, so a retry never writes half a line twice.
class WorkingFile {
public:
    WorkingFile(QString path, bool durable);
    ~WorkingFile();
    WorkingFile(const WorkingFile&) = delete;
    WorkingFile& operator=(const WorkingFile&) = delete;

    const QString& path() const { return m_path; }
    bool isOpen() const { return m_fd >= 0; }

    // Opens for appending; creates the file when it is missing.
    FileResult open();
    FileResult append(const QByteArray& bytes);
    void close();
    // Forgets the open file without any further step, as a crash would.
    void abandon();

private:
    QString m_path;
    bool m_durable;
    int m_fd = -1;
};

// Moves a closed working file to the first free name the names function
// gives (tried in order), in one step that keeps its content and time.
// Returns the name it took.
std::expected<QString, QString> moveToFreeName(const QString& from, const std::function<QString(int)>& names);

// Makes the folder's entries durable (a step a test can make fail).
FileResult syncFolderStep(const QString& folder);
