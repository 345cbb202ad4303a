#include "reports/report_file.h"

#include "frame/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
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

// Why a file of that name cannot be created, found after the save itself failed to open.
int CreateError(const QString& absolutePath)
{
    const QByteArray path = QFile::encodeName(absolutePath);
    struct stat st;
    if (::stat(path.constData(), &st) == 0)
        return ExistingFileError(path);
    if (errno != ENOENT)
        return errno;  // a path component that is not a folder, a name too long, no search right
    const QByteArray folder = QFile::encodeName(QFileInfo(absolutePath).absolutePath());
    if (::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return errno;
    return 0;
}

[[noreturn]] void RaiseCannotCreate(const QString& fileName, const QString& reason)
{
    throw KveltaError(QStringLiteral("Cannot create file \"%1\". %2").arg(FullNativePath(fileName), reason));
}

}  // namespace

QString FullNativePath(const QString& fileName)
{
    if (fileName.isEmpty())
        return fileName;
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()));
}

void WriteFileAtomically(const QString& fileName, const QByteArray& bytes)
{
    const QString absolutePath = fileName.isEmpty() ? fileName : QFileInfo(fileName).absoluteFilePath();

    // The save below replaces the file by a rename, which a read-only file would not stop; the
    // file is refused as it would be if it were opened for writing.
    struct stat st;
    const QByteArray encoded = QFile::encodeName(absolutePath);
    if (!encoded.isEmpty() && ::stat(encoded.constData(), &st) == 0) {
        if (const int error = ExistingFileError(encoded))
            RaiseCannotCreate(fileName, SystemReason(error));
    }

    QSaveFile file(absolutePath);
    if (absolutePath.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        const int error = absolutePath.isEmpty() ? ENOENT : CreateError(absolutePath);
        RaiseCannotCreate(fileName, error ? SystemReason(error) : file.errorString());
    }
    // Until commit() the bytes go to a temporary file beside the target; on any failure the
    // temporary is removed and the target is left as it was. The buffer is flushed and checked
    // first: commit() renames a temporary whose buffered write failed (a full disk) as if it
    // were complete.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        file.cancelWriting();
        throw KveltaError(QStringLiteral("Unable to write to %1").arg(FullNativePath(fileName)));
    }
}

}  // namespace kvelta
