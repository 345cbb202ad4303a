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
#include <optional>
#include <utility>
#include <vector>

namespace kvelta {

// The suffix of a set's new file before it replaces the old one.
inline const QString kNewFileSuffix = QStringLiteral(".new");

// Finishes a replacement that the marker in the folder says was interrupted: every NAME.new it
// lists is renamed over NAME, every file it lists as gone ("-NAME") is removed, then the marker. Nothing to do without a marker.
// Throws KveltaError when a rename fails (the marker stays, to be finished later).
void FinishFileSet(const QDir& dir, const QString& marker);

// A file of a set by its plain name (no folders), and its new bytes; none when the new set has no
// such file and an earlier set's is to go with the rest of it.
using SetFile = std::pair<QString, std::optional<QByteArray>>;

// Replaces the folder's files of those names with the bytes, as one set, under the marker's name.
// `afterRename`, when given, is called after each file is renamed into place (a test stops the
// run there). Throws KveltaError: before the marker the old set is left whole, after it the
// marker stays for the next run to finish.
void ReplaceFileSet(const QDir& dir, const QString& marker, const std::vector<SetFile>& files,
                    const std::function<void()>& afterRename = {});

}  // namespace kvelta
