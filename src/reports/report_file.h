#pragma once
// Writing a report file as a whole: the file of that name is replaced only when the new content
// is complete on disk.

#include <QByteArray>
#include <QString>

namespace kvelta {

// The full path of a file as the error messages show it.
QString FullNativePath(const QString& fileName);

// Writes the bytes to the file. Throws KveltaError `Cannot create file "%s". %s` (full path,
// the system's reason) when the file cannot be created or an existing one cannot be written,
// and "Unable to write to %s" when writing fails after that; in both cases no partial file is
// left and an existing file stays as it was.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes);

}  // namespace kvelta
