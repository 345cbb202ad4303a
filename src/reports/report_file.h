#pragma once
// The one way Kvelta writes a file: the bytes go to a temporary file beside the target, which
// replaces the target only once it is complete, so a failure (a full disk, a size limit) leaves
// the old file whole and no temporary behind. A target that exists and is not a regular file (a
// device, a FIFO) is written straight into and never replaced; a folder is refused.

#include <QByteArray>
#include <QString>

namespace kvelta {

// The full path of a file as the error messages show it.
QString FullNativePath(const QString& fileName);

// Whether the file reaches the disk before the call returns, or with the next SyncFolder (a
// batch of files syncs once, at its end).
enum class FileSync { Now, Later };

// Writes the bytes to the file. Throws KveltaError `Cannot create file "%s". %s` (full path,
// the system's reason) when the file cannot be created or an existing one cannot be written,
// and "Unable to write to %s" when writing fails after that.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes, FileSync sync = FileSync::Now);

// Puts on the disk what was written into the folder (one sync of its file system).
void SyncFolder(const QString& folder);

}  // namespace kvelta
