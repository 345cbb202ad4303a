#pragma once
// Files a folder holds as one set, which must never contradict each other (grades.csv beside the
// grades.txt of the same marking). Each new file is first written whole as "NAME.new"; then a
// marker file lists the set's names, and from that moment the new set counts as written; then
// each "NAME.new" is renamed over NAME, and the marker goes. A run stopped anywhere leaves either
// the old set whole (no marker; stray ".new" files are overwritten by the next run) or a marker,
// by which the next replacement first finishes the interrupted one.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace kvelta {

// The suffix of a set's new file before it replaces the old one.
inline const QString kNewFileSuffix = QStringLiteral(".new");

// Finishes a replacement that the marker in the folder says was interrupted: every NAME.new it
// lists is renamed over NAME, then the marker is removed. Nothing to do without a marker.
// Throws KveltaError when a rename fails (the marker stays, to be finished later).
void FinishFileSet(const QDir& dir, const QString& marker);

// Replaces the folder's files of those names (plain names, no folders) with the bytes, as one
// set, under the marker's name. `afterRename`, when given, is called after each file is renamed
// into place (a test stops the run there). Throws KveltaError: before the marker the old set is
// left whole, after it the marker stays for the next run to finish.
void ReplaceFileSet(const QDir& dir, const QString& marker, const std::vector<std::pair<QString, QByteArray>>& files,
                    const std::function<void()>& afterRename = {});

}  // namespace kvelta
