#include "core/file_io.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

QString fileErrorText(const QString& what, const QString& path, int error)
{
    return what + u": "_s + path + u" ("_s + QString::fromLocal8Bit(std::strerror(error)) + u')';
}

FileResult syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return std::unexpected(fileErrorText(u"A mappa nem nyitható meg"_s, folder, errno));
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        return std::unexpected(fileErrorText(u"A mappa nem írható lemezre"_s, folder, error));
    return {};
}

namespace {

bool writeAll(int fd, const QByteArray& data)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

mode_t modeForNewFile(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileResult writeFileAtomically(const QString& path, const QByteArray& data)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    QByteArray temporary = QFile::encodeName(folder + u"/."_s + info.fileName() + u".XXXXXX"_s);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return std::unexpected(fileErrorText(u"A fájl nem írható"_s, path, errno));
    ::fchmod(fd, modeForNewFile(path));
    const bool written = writeAll(fd, data) && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!written || ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        const int failure = written ? errno : error;
        ::unlink(temporary.constData());
        return std::unexpected(fileErrorText(u"A fájl nem írható"_s, path, failure));
    }
    return syncFolder(folder);
}
