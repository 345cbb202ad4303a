#include "instructor/run_folder.h"

#include "frame/errors.h"
#include "reports/report_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kvelta {

namespace {

const QString kStalePrefix = QStringLiteral(".kvelta-");

QByteArray IncompleteText()
{
    return QByteArrayLiteral("Запуск, который пишет эту папку, не завершён или прерван: файлы в ней могут быть "
                             "неполными. Запустите его снова.\r\n"
                             "The run writing this folder has not finished or was stopped: its files may be "
                             "incomplete. Run it again.\r\n");
}

[[noreturn]] void RaiseFolderError(const QDir& dir, const QString& what)
{
    throw KveltaError(QStringLiteral("Cannot prepare folder %1: %2. %3")
                          .arg(FullNativePath(dir.path()), what, QString::fromLocal8Bit(std::strerror(errno))));
}

// Temporaries and set-aside runs of a run that died: nobody else writes them while the lock is held.
void RemoveStale(const QDir& dir)
{
    const QStringList names = dir.entryList(QStringList{kStalePrefix + QLatin1Char('*')},
                                            QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

}  // namespace

const QString RunFolder::kIncompleteMark = QStringLiteral("INCOMPLETE.txt");

bool IsRunFile(const QString& fileName)
{
    static const QRegularExpression runFile(QStringLiteral(
        "^(?:[0-9]{3,}(?:-.*)?\\.(?:txt|docx|pdf)|summary\\.(?:csv|xlsx)|answer-book\\.pdf|cards\\.pdf)$"));
    return runFile.match(fileName).hasMatch();
}

RunFolder::RunFolder(const QDir& dir) : dir_(dir)
{
    if (!dir_.mkpath(QStringLiteral(".")))
        throw KveltaError(QStringLiteral("Cannot create folder %1").arg(dir.path()));
    lock_ = ::open(QFile::encodeName(dir_.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_ < 0)
        RaiseFolderError(dir_, QStringLiteral("cannot open it"));
    if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock_);
        lock_ = -1;
        throw KveltaError(QStringLiteral("The folder %1 is being written by another run; wait until it ends")
                              .arg(FullNativePath(dir.path())));
    }
    RemoveStale(dir_);
    const bool markedBefore = QFileInfo::exists(dir_.filePath(kIncompleteMark));
    // The mark goes first: until the earlier run is out of the way and the new one whole, the
    // folder says it is incomplete.
    WriteFileAtomically(dir_.filePath(kIncompleteMark), IncompleteText());
    QByteArray aside = QFile::encodeName(dir_.absoluteFilePath(kStalePrefix + QStringLiteral("previous-XXXXXX")));
    if (!::mkdtemp(aside.data()))
        RaiseFolderError(dir_, QStringLiteral("cannot set the earlier run aside"));
    const QString previous = QFile::decodeName(aside);
    // Only a folder a run wrote (summary.csv, cards.pdf or the mark is there) has an earlier run: in
    // any other folder "001-….txt" may be the user's own.
    const bool earlierRun = markedBefore || QFileInfo::exists(dir_.filePath(QStringLiteral("summary.csv")))
                            || QFileInfo::exists(dir_.filePath(QStringLiteral("cards.pdf")));
    for (const QString& name : dir_.entryList(QDir::Files | QDir::System | QDir::Hidden))
        if (earlierRun && IsRunFile(name) && !QFile::rename(dir_.filePath(name), QDir(previous).filePath(name)))
            RaiseFolderError(dir_, QStringLiteral("cannot move %1 aside").arg(name));
    QDir(previous).removeRecursively();
}

void RunFolder::finish()
{
    SyncFolder(dir_.path());
    if (!QFile::remove(dir_.filePath(kIncompleteMark)))
        RaiseFolderError(dir_, QStringLiteral("cannot remove %1").arg(kIncompleteMark));
    SyncFolder(dir_.path());
}

RunFolder::~RunFolder()
{
    // A run that did not finish leaves its mark.
    if (lock_ >= 0)
        ::close(lock_);
}

}  // namespace kvelta
