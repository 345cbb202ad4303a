#pragma once
// The one way Kvelta writes a file: the bytes go to a temporary file beside the target, which
// replaces the target only once it is complete, so a failure (a full disk, a size limit) leaves
// the old file whole and no temporary behind. A target that exists and is not a regular file (a
// device, a FIFO) is written straight into and never replaced; a folder is refused.

#include "frame/errors.h"

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace kvelta {

// The full path of a file as the error messages show it.
QString FullNativePath(const QString& fileName);

// Whether the file reaches the disk before the call returns, or with the next SyncFolder (a
// batch of files syncs once, at its end).
enum class FileSync { Now, Later };

// Writes the bytes to the file. Throws KveltaError `Cannot create file "%s". %s` (full path,
// the system's reason) when the file cannot be created or an existing one cannot be written,
// and "Unable to write to %s. %s" when writing fails after that.
// A symbolic link is followed: its target is written and the link stays.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes, FileSync sync = FileSync::Now);

// Writes files that belong together (a report and its table): every one complete in a temporary
// before the first replaces its old file, so a full disk leaves all old files or none.
void WriteFilesTogether(const std::vector<std::pair<QString, QByteArray>>& files, FileSync sync = FileSync::Now);

// Writes the bytes to a new file of that name, complete or not at all, never replacing anything:
// false when the name is taken (even by a file made meanwhile). Throws as WriteFileAtomically.
bool WriteNewFile(const QString& fileName, const QByteArray& bytes);

// A file written piece by piece (a batch's summary, row by row), which appears under its name only
// once commit() has it whole: until then the pieces go to a temporary beside it, as
// WriteFileAtomically's bytes do, and a kill leaves only that temporary. Destroyed without
// commit(), it removes the temporary. A device or a FIFO is written in place by commit().
// Throws as WriteFileAtomically: when created, "Cannot create file"; when writing, "Unable to write to".
class StreamedFile {
public:
    explicit StreamedFile(const QString& fileName);
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    void append(const QByteArray& bytes);
    void commit(FileSync sync = FileSync::Now);

private:
    static constexpr qsizetype kChunk = 64 * 1024;  // bytes kept before they are written
    void flush();
    void discard();

    QString fileName_;
    QByteArray path_;       // the target, a link followed
    QByteArray temporary_;  // empty once renamed or discarded
    int fd_ = -1;           // the temporary's
    bool inPlace_ = false;  // a device or a FIFO: the bytes wait for commit()
    QByteArray pending_;
};

// An input that cannot be read: `Cannot open file "%s". %s`. error() is the system's error
// number when opening failed (ENOENT: no such file), else 0.
class FileReadError : public KveltaError {
public:
    FileReadError(QString text, int error) : KveltaError(std::move(text)), error_(error) {}
    int error() const { return error_; }

private:
    int error_;
};

// What an input file Kvelta reads may hold at most.
inline constexpr qint64 kMaxInputSize = qint64(64) * 1024 * 1024;

// The whole of a regular file of at most maxSize bytes; a folder, a device, a FIFO or a larger
// file is refused (never read forever) with FileReadError.
QByteArray ReadInputFile(const QString& fileName, qint64 maxSize = kMaxInputSize);
// The whole of standard input, at most maxSize bytes, else FileReadError.
QByteArray ReadStandardInput(qint64 maxSize = kMaxInputSize);

// Puts on the disk what was written into the folder (one sync of its file system).
void SyncFolder(const QString& folder);

}  // namespace kvelta
