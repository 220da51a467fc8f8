#include "core/working_file.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

FaultHook& faultHook()
{
    static FaultHook hook;
    return hook;
}

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(path);
}

FileResult failure(const QString& what, const QString& path, int error)
{
    return std::unexpected(fileErrorText(what, path, error));
}

} // namespace

void setFaultHook(FaultHook hook)
{
    faultHook() = std::move(hook);
}

int injectedFault(FileStep step, const QString& path)
{
    return faultHook() ? faultHook()(step, path) : 0;
}

WorkingFile::WorkingFile(QString path, bool durable) : m_path(std::move(path)), m_durable(durable) {}

WorkingFile::~WorkingFile()
{
    close();
}

FileResult WorkingFile::open()
{
    if (isOpen())
        return {};
    const bool existed = QFileInfo::exists(m_path);
    if (const int error = injectedFault(existed ? FileStep::Open : FileStep::Create, m_path))
        return failure(u"A fájl nem nyitható meg"_s, m_path, error);
    m_fd = ::open(nativePath(m_path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        return failure(u"A fájl nem nyitható meg"_s, m_path, errno);
    if (!existed && m_durable)
        return syncFolderStep(QFileInfo(m_path).absolutePath());
    return {};
}

FileResult WorkingFile::append(const QByteArray& bytes)
{
    if (!isOpen())
        return failure(u"A fájl nincs megnyitva"_s, m_path, EBADF);
    struct stat before {};
    if (::fstat(m_fd, &before) != 0)
        return failure(u"A fájl nem írható"_s, m_path, errno);

    int error = injectedFault(FileStep::Write, m_path);
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (!error && left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            break;
        }
        p += n;
        left -= n;
    }
    if (!error && m_durable) {
        error = injectedFault(FileStep::Sync, m_path);
        if (!error && ::fdatasync(m_fd) != 0)
            error = errno;
    }
    if (error) {
        // Take back whatever part of the line did get written.
        if (::ftruncate(m_fd, before.st_size) != 0) {
            // Nothing more can be done here; the next append reports again.
        }
        return failure(u"A fájl nem írható"_s, m_path, error);
    }
    return {};
}

void WorkingFile::close()
{
    if (!isOpen())
        return;
    ::close(m_fd);
    m_fd = -1;
}

void WorkingFile::abandon()
{
    close();
}

std::expected<QString, QString> moveToFreeName(const QString& from, const std::function<QString(int)>& names)
{
    for (int i = 0;; ++i) {
        const QString to = names(i);
        if (QFileInfo::exists(to))
            continue;
        int error = injectedFault(FileStep::Rename, to);
        // Never replace a dated file that appeared since the check above.
        if (!error && ::renameat2(AT_FDCWD, nativePath(from).constData(), AT_FDCWD,
                                  nativePath(to).constData(), RENAME_NOREPLACE) != 0) {
            error = errno;
            // A file system that cannot refuse to replace: the name was free a moment ago.
            if (error == EINVAL)
                error = ::rename(nativePath(from).constData(), nativePath(to).constData()) == 0 ? 0 : errno;
        }
        if (error == EEXIST)
            continue;
        if (error)
            return std::unexpected(fileErrorText(u"A fájl nem nevezhető át"_s, from, error));
        return to;
    }
}

FileResult syncFolderStep(const QString& folder)
{
    if (const int error = injectedFault(FileStep::SyncFolder, folder))
        return failure(u"A mappa nem írható lemezre"_s, folder, error);
    return syncFolder(folder);
}
