#include "reports/report_file.h"

#include "frame/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvelta {
namespace {

// The system's reason in English, whatever the user's locale: the other file and number
// messages of the program are English too.
QString SystemReason(int error)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return QString::fromLocal8Bit(cLocale ? strerror_l(error, cLocale) : std::strerror(error));
}

[[noreturn]] void RaiseCannotCreate(const QString& fileName, int error)
{
    throw KveltaError(
        QStringLiteral("Cannot create file \"%1\". %2").arg(FullNativePath(fileName), SystemReason(error)));
}

[[noreturn]] void RaiseUnableToWrite(const QString& fileName)
{
    throw KveltaError(QStringLiteral("Unable to write to %1").arg(FullNativePath(fileName)));
}

// Why an existing file cannot be written: opened for writing without truncating, so the probe
// changes nothing (and a FIFO without a reader cannot block it). 0 when it can be written.
int ExistingFileError(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

// Why a new file cannot be made in its folder.
int CreateError(const QByteArray& path, int mkstempError)
{
    struct stat st;
    if (::stat(path.constData(), &st) != 0 && errno != ENOENT)
        return errno;  // a path component that is not a folder, a name too long, no search right
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
    if (::stat(folder.constData(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    if (::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return errno;
    return mkstempError;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

mode_t NewFileMode()
{
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return 0666 & ~mask;
}

// A device or a FIFO: written as it is, never replaced by a regular file.
void WriteInPlace(const QString& fileName, const QByteArray& path, const QByteArray& bytes)
{
    // Opening without blocking: a FIFO that nobody reads is an error, not a hang.
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        RaiseCannotCreate(fileName, errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool written = WriteAll(fd, bytes);
    if (::close(fd) != 0 || !written)
        RaiseUnableToWrite(fileName);
}

}  // namespace

QString FullNativePath(const QString& fileName)
{
    if (fileName.isEmpty())
        return fileName;
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()));
}

void WriteFileAtomically(const QString& fileName, const QByteArray& bytes, FileSync sync)
{
    if (fileName.isEmpty())
        RaiseCannotCreate(fileName, ENOENT);
    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    const QByteArray path = QFile::encodeName(absolute);

    struct stat st;
    const bool exists = ::stat(path.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        RaiseCannotCreate(fileName, EISDIR);
    if (exists && !S_ISREG(st.st_mode))
        return WriteInPlace(fileName, path, bytes);
    // The rename below would replace a read-only file: it is refused as opening it would be.
    if (exists)
        if (const int error = ExistingFileError(path))
            RaiseCannotCreate(fileName, error);

    QByteArray temporary = QFile::encodeName(QFileInfo(absolute).absolutePath()) + "/.kvelta-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        RaiseCannotCreate(fileName, CreateError(path, errno));
    // The temporary is private; the file gets the old file's permissions or the usual ones.
    const bool complete = ::fchmod(fd, exists ? (st.st_mode & 07777) : NewFileMode()) == 0 && WriteAll(fd, bytes)
                          && (sync == FileSync::Later || ::fsync(fd) == 0);
    if (::close(fd) != 0 || !complete || ::rename(temporary.constData(), path.constData()) != 0) {
        ::unlink(temporary.constData());
        RaiseUnableToWrite(fileName);
    }
    if (sync == FileSync::Now) {
        // The rename itself reaches the disk with the folder.
        const int folder = ::open(QFile::encodeName(QFileInfo(absolute).absolutePath()).constData(),
                                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
}

void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;  // nothing written there can be synced through it; the files were checked
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    if (!synced)
        throw KveltaError(QStringLiteral("Unable to write to %1").arg(FullNativePath(folder)));
}

}  // namespace kvelta
