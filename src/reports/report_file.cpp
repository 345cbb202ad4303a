#include "reports/report_file.h"

#include "frame/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>  // renameat2
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

[[noreturn]] void RaiseUnableToWrite(const QString& fileName, int error)
{
    throw KveltaError(QStringLiteral("Unable to write to %1. %2").arg(FullNativePath(fileName), SystemReason(error)));
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

QString CannotOpenText(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(FullNativePath(fileName), reason);
}

QString TooLargeText(qint64 maxSize) { return QStringLiteral("Larger than %1 bytes").arg(maxSize); }

// Writes everything; false with errno set when it cannot.
bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = ENOSPC;
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
    const int writeError = errno;
    if (!written) {
        ::close(fd);
        RaiseUnableToWrite(fileName, writeError);
    }
    if (::close(fd) != 0)
        RaiseUnableToWrite(fileName, errno);
}

// A new private temporary file beside `path`, open for writing: its name goes into `temporary`.
int CreateTemporary(const QString& fileName, const QByteArray& path, QByteArray& temporary)
{
    temporary = QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath()) + "/.kvelta-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        RaiseCannotCreate(fileName, CreateError(path, errno));
    return fd;
}

// Writes the bytes to a new private temporary file in the folder and returns its name; the
// caller renames it into place or removes it. `mode` becomes the file's permissions.
QByteArray WriteTemporary(const QString& fileName, const QByteArray& path, const QByteArray& bytes, mode_t mode,
                          FileSync sync)
{
    QByteArray temporary;
    const int fd = CreateTemporary(fileName, path, temporary);
    const bool complete =
        ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && (sync == FileSync::Later || ::fsync(fd) == 0);
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!complete || !closed) {
        const int error = complete ? errno : writeError;
        ::unlink(temporary.constData());
        RaiseUnableToWrite(fileName, error);
    }
    return temporary;
}

void SyncParentFolder(const QByteArray& path)
{
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

// Moves the temporary to `path` unless a file of that name exists: false then.
bool RenameIfNew(const QByteArray& temporary, const QByteArray& path)
{
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, path.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without an exclusive rename: a hard link is exclusive too.
    if (::link(temporary.constData(), path.constData()) != 0)
        return false;
    ::unlink(temporary.constData());
    return true;
}

// Reads to the end; a null array with errno set (EFBIG: more than maxSize) on failure. `expected`:
// the size the file says it has, room made for it at once.
QByteArray ReadAll(int fd, qint64 maxSize, qint64 expected = 0)
{
    QByteArray bytes("");  // not null: a null result means failure
    bytes.reserve(static_cast<qsizetype>(std::clamp<qint64>(expected, 0, maxSize)));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return QByteArray();
        if (got == 0)
            return bytes;
        if (bytes.size() + got > maxSize) {
            errno = EFBIG;
            return QByteArray();
        }
        bytes.append(buffer, got);
    }
}

}  // namespace

QString FullNativePath(const QString& fileName)
{
    if (fileName.isEmpty())
        return fileName;
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()));
}

namespace {

// The file a path names: a symbolic link followed to its target (even one not made yet), so that
// writing keeps the link as editors do. The path itself when it is no link or a loop of links.
QByteArray LinkTarget(const QByteArray& path)
{
    QByteArray target = path;
    for (int hop = 0; hop < 40; ++hop) {  // the kernel's own limit of links in a row
        struct stat st;
        if (::lstat(target.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.constData(), link.data(), static_cast<size_t>(link.size()));
        if (length <= 0 || length >= link.size())
            return target;
        link.truncate(length);
        const QString folder = QFileInfo(QFile::decodeName(target)).absolutePath();
        target = QFile::encodeName(QDir::cleanPath(QDir(folder).absoluteFilePath(QFile::decodeName(link))));
    }
    return path;
}

// A file on its way: written in place (a device, a FIFO), or complete in a temporary that a
// rename puts in place.
struct StagedFile {
    QString fileName;
    QByteArray path;
    QByteArray temporary;  // empty: written already
};

// Where a file goes and how: the path a link leads to; whether it is written in place (a device,
// a FIFO); the permissions its temporary gets. Throws when it cannot be written at all.
struct Target {
    QByteArray path;
    bool inPlace = false;
    mode_t mode = 0;
};

Target TargetOf(const QString& fileName)
{
    if (fileName.isEmpty())
        RaiseCannotCreate(fileName, ENOENT);
    const QByteArray path = LinkTarget(QFile::encodeName(QFileInfo(fileName).absoluteFilePath()));

    struct stat st;
    const bool exists = ::stat(path.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        RaiseCannotCreate(fileName, EISDIR);
    if (exists && !S_ISREG(st.st_mode))
        return {path, true, 0};
    // The rename that puts the file in place would replace a read-only file: it is refused as
    // opening it would be.
    if (exists)
        if (const int error = ExistingFileError(path))
            RaiseCannotCreate(fileName, error);
    // The temporary is private; the file gets the old file's permissions or the usual ones.
    return {path, false, exists ? (st.st_mode & 07777) : NewFileMode()};
}

StagedFile Stage(const QString& fileName, const QByteArray& bytes, FileSync sync)
{
    const Target target = TargetOf(fileName);
    if (target.inPlace) {
        WriteInPlace(fileName, target.path, bytes);
        return {fileName, target.path, {}};
    }
    return {fileName, target.path, WriteTemporary(fileName, target.path, bytes, target.mode, sync)};
}

void Discard(const std::vector<StagedFile>& staged)
{
    for (const StagedFile& file : staged)
        if (!file.temporary.isEmpty())
            ::unlink(file.temporary.constData());
}

}  // namespace

void WriteFileAtomically(const QString& fileName, const QByteArray& bytes, FileSync sync)
{
    WriteFilesTogether({{fileName, bytes}}, sync);
}

void WriteFilesTogether(const std::vector<std::pair<QString, QByteArray>>& files, FileSync sync)
{
    std::vector<StagedFile> staged;
    try {
        for (const auto& [fileName, bytes] : files)
            staged.push_back(Stage(fileName, bytes, sync));
    } catch (...) {
        Discard(staged);
        throw;
    }
    // Every file is complete before the first replaces its old one.
    for (std::size_t i = 0; i < staged.size(); ++i) {
        const StagedFile& file = staged[i];
        if (file.temporary.isEmpty())
            continue;
        if (::rename(file.temporary.constData(), file.path.constData()) != 0) {
            const int error = errno;
            Discard({staged.begin() + static_cast<std::ptrdiff_t>(i), staged.end()});
            RaiseUnableToWrite(file.fileName, error);
        }
        if (sync == FileSync::Now)
            SyncParentFolder(file.path);
    }
}

bool WriteNewFile(const QString& fileName, const QByteArray& bytes)
{
    const QByteArray path = QFile::encodeName(QFileInfo(fileName).absoluteFilePath());
    struct stat st;
    if (::lstat(path.constData(), &st) == 0)
        return false;
    const QByteArray temporary = WriteTemporary(fileName, path, bytes, NewFileMode(), FileSync::Now);
    if (!RenameIfNew(temporary, path)) {
        const int error = errno;
        ::unlink(temporary.constData());
        if (error == EEXIST)
            return false;
        RaiseCannotCreate(fileName, error);
    }
    SyncParentFolder(path);
    return true;
}

StreamedFile::StreamedFile(const QString& fileName) : fileName_(fileName)
{
    const Target target = TargetOf(fileName);
    path_ = target.path;
    inPlace_ = target.inPlace;
    if (inPlace_)
        return;
    fd_ = CreateTemporary(fileName, path_, temporary_);
    if (::fchmod(fd_, target.mode) != 0) {
        const int error = errno;
        discard();
        RaiseCannotCreate(fileName, error);
    }
}

StreamedFile::~StreamedFile() { discard(); }

void StreamedFile::discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

void StreamedFile::append(const QByteArray& bytes)
{
    pending_ += bytes;
    if (!inPlace_ && pending_.size() >= kChunk)
        flush();
}

void StreamedFile::flush()
{
    if (!WriteAll(fd_, pending_)) {
        const int error = errno;
        discard();
        RaiseUnableToWrite(fileName_, error);
    }
    pending_.clear();  // keeps its room for the next chunk
}

void StreamedFile::commit(FileSync sync)
{
    if (inPlace_) {
        WriteInPlace(fileName_, path_, pending_);
        pending_ = QByteArray();
        return;
    }
    if (fd_ < 0)  // committed already, or discarded after a failure
        RaiseUnableToWrite(fileName_, EBADF);
    flush();
    const bool complete = sync == FileSync::Later || ::fsync(fd_) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!complete || !closed) {
        const int error = complete ? errno : writeError;
        discard();
        RaiseUnableToWrite(fileName_, error);
    }
    if (::rename(temporary_.constData(), path_.constData()) != 0) {
        const int error = errno;
        discard();
        RaiseUnableToWrite(fileName_, error);
    }
    temporary_.clear();
    if (sync == FileSync::Now)
        SyncParentFolder(path_);
}

QByteArray ReadInputFile(const QString& fileName, qint64 maxSize)
{
    // Opened without blocking: a FIFO without a writer must not hold the program.
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        throw FileReadError(CannotOpenText(fileName, SystemReason(error)), error);
    }
    struct stat st;
    QString fault;
    if (::fstat(fd, &st) != 0)
        fault = SystemReason(errno);
    else if (S_ISDIR(st.st_mode))
        fault = SystemReason(EISDIR);
    else if (!S_ISREG(st.st_mode))
        fault = QStringLiteral("Not a regular file");
    else if (st.st_size > maxSize)
        fault = TooLargeText(maxSize);
    QByteArray bytes;
    if (fault.isEmpty()) {
        bytes = ReadAll(fd, maxSize, st.st_size);
        if (bytes.isNull())
            fault = errno == EFBIG ? TooLargeText(maxSize) : SystemReason(errno);
    }
    ::close(fd);
    if (!fault.isEmpty())
        throw FileReadError(CannotOpenText(fileName, fault), 0);
    return bytes;
}

QByteArray ReadStandardInput(qint64 maxSize)
{
    const QByteArray bytes = ReadAll(STDIN_FILENO, maxSize);
    if (bytes.isNull()) {
        const int error = errno;
        throw FileReadError(QStringLiteral("Cannot read standard input. %1")
                                .arg(error == EFBIG ? TooLargeText(maxSize) : SystemReason(error)),
                            error);
    }
    return bytes;
}

void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;  // nothing written there can be synced through it; the files were checked
    const bool synced = ::syncfs(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    if (!synced)
        RaiseUnableToWrite(folder, errno);
}

}  // namespace kvelta
