#include "instructor/file_set.h"

#include "frame/errors.h"
#include "reports/report_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace kvelta {

namespace {

bool IsPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/'))
           && !name.contains(QChar(0));
}

// The marker's line of a file the new set no longer has.
const QChar kGoneMark = QLatin1Char('-');

// An earlier set's file that the new set does not have: only a plain file of the folder goes,
// never a link the user made or a folder.
void RemoveGone(const QDir& dir, const QString& name)
{
    const QFileInfo file(dir.filePath(name));
    if (file.isFile() && !file.isSymLink() && !QFile::remove(file.filePath()))
        throw KveltaError(QStringLiteral("Cannot remove %1").arg(FullNativePath(file.filePath())));
}

void RenameInto(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw KveltaError(QStringLiteral("Unable to write to %1. %2")
                              .arg(FullNativePath(to), QString::fromLocal8Bit(std::strerror(errno))));
}

}  // namespace

void FinishFileSet(const QDir& dir, const QString& marker)
{
    const QString markerPath = dir.filePath(marker);
    if (!QFile::exists(markerPath))
        return;
    const QStringList names = QString::fromUtf8(ReadInputFile(markerPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : names) {
        const bool gone = line.startsWith(kGoneMark);
        const QString name = gone ? line.mid(1) : line;
        if (!IsPlainName(name))
            continue;  // never a file outside the folder, whatever the marker says
        const QString fresh = dir.filePath(name + kNewFileSuffix);
        if (gone)
            RemoveGone(dir, name);
        else if (QFile::exists(fresh))
            RenameInto(fresh, dir.filePath(name));
    }
    SyncFolder(dir.path());
    if (!QFile::remove(markerPath))
        throw KveltaError(QStringLiteral("Cannot remove %1").arg(FullNativePath(markerPath)));
}

void ReplaceFileSet(const QDir& dir, const QString& marker, const std::vector<SetFile>& files,
                    const std::function<void()>& afterRename)
{
    FinishFileSet(dir, marker);
    for (const auto& [name, bytes] : files) {
        if (!IsPlainName(name) || name.startsWith(kGoneMark))
            throw std::invalid_argument("a file of a set is named by a folder or as a gone one");
        if (!bytes)
            continue;
        // Refused before anything is written, as writing into such a file would be.
        // A link is not followed: the set's files are renamed into this folder, never elsewhere.
        const QFileInfo old(dir.filePath(name));
        const QString reason = old.isSymLink()  ? QStringLiteral("It is a symbolic link; the files of a set are files of their own")
                               : !old.exists() ? QString()
                               : old.isDir()   ? QStringLiteral("Is a directory")
                               : !old.isFile() || !old.isWritable() ? QStringLiteral("Permission denied")
                                                                    : QString();
        if (!reason.isEmpty())
            throw KveltaError(QStringLiteral("Cannot create file \"%1\". %2").arg(FullNativePath(old.filePath()), reason));
    }
    QStringList names, gone;
    try {
        for (const auto& [name, bytes] : files) {
            if (!bytes) {
                gone << name;
                continue;
            }
            WriteFileAtomically(dir.filePath(name + kNewFileSuffix), *bytes, FileSync::Now);
            names << name;
        }
        // The point of no return: the whole new set is on the disk.
        QStringList lines = names;
        for (const QString& name : gone)
            lines << kGoneMark + name;
        WriteFileAtomically(dir.filePath(marker), lines.join(QLatin1Char('\n')).toUtf8() + '\n', FileSync::Now);
    } catch (...) {
        for (const QString& name : names)  // the old set stays as it was, alone
            QFile::remove(dir.filePath(name + kNewFileSuffix));
        throw;
    }
    for (const QString& name : names) {
        RenameInto(dir.filePath(name + kNewFileSuffix), dir.filePath(name));
        if (afterRename)
            afterRename();
    }
    for (const QString& name : gone)
        RemoveGone(dir, name);
    SyncFolder(dir.path());
    if (!QFile::remove(dir.filePath(marker)))
        throw KveltaError(QStringLiteral("Cannot remove %1").arg(FullNativePath(dir.filePath(marker))));
}

}  // namespace kvelta
