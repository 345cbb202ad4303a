#pragma once
// The settings file Kvelta.ini: Windows private-profile semantics (sections and keys are
// case-insensitive, everything else in the file survives a write) over SimpleIni.

#include <QList>
#include <QRect>
#include <QString>
#include <memory>

namespace kvelta {

// Kvelta.ini beside the program when one is there or the program's folder is the user's to
// write (a build folder, a portable copy); otherwise, for an installed program, Kvelta/Kvelta.ini
// in the user's configuration folder ($XDG_CONFIG_HOME, ~/.config by default).
QString SettingsPathFor(const QString& programDir, const QString& configHome);
QString DefaultSettingsPath();

class SettingsFile {
public:
    // Reads the file; a missing file reads as empty. One that cannot be read (a folder, a FIFO, a
    // device, larger than 64 MiB, no right to read) raises FileReadError.
    explicit SettingsFile(QString path);
    ~SettingsFile();

    const QString& path() const { return path_; }

    // The value as the platform reads it: blanks around it and one pair of enclosing quotes
    // removed; `defaultValue` when the key is absent.
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Sets a value; a new key goes to the end of its section, a new section to the end of the file.
    void writeString(const QString& section, const QString& key, const QString& value);
    // Writes the whole file back, as WriteFileAtomically does: complete or not at all, its line
    // ends and whatever it holds besides the values written kept. Raises KveltaError on failure.
    void save() const;

private:
    class Impl;
    QString path_;
    std::unique_ptr<Impl> impl_;
};

// The main window's placement as the file keeps it: outer frame, pixels on the screen.
struct WindowPlacement {
    int left = 222;
    int top = 150;
    int width = 612;
    int height = 415;
    bool maximized = false;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// The placement brought onto the screens (their available areas, the primary first): on the one
// it overlaps most, or else the nearest, no larger than it, with the frame's top edge (the title
// bar) and at least half the window on it. Any saved numbers are safe: nothing can overflow.
WindowPlacement PlacementOnScreens(const WindowPlacement& placement, const QList<QRect>& screens);

// Reads section "Main" in the order Top, Left, Width, Height, State, each value replacing the
// built-in one as soon as it is read. A value that is not an integer raises an error that names the
// file, the section, the key and the value; `placement` then holds what was read before it, the
// rest stays built-in.
void ReadMainPlacement(const SettingsFile& file, WindowPlacement& placement);

// What closing the main window writes: the four placement keys only in the normal state,
// then "State" ("MAXIMIZED" or "NORMAL"; a minimised window counts as normal).
void WriteMainPlacement(SettingsFile& file, const WindowPlacement& placement, bool minimized);

// The group and the name typed last, offered in every new exercise window (section "Student",
// keys "Group" and "Name", UTF-8).
struct StudentFields {
    QString group;
    QString name;
};
StudentFields ReadStudentFields(const SettingsFile& file);
// Writes the two keys; nothing when both are empty and the file has none yet, so that a new file
// holds only the main window's keys until a name is typed.
void WriteStudentFields(SettingsFile& file, const StudentFields& fields);

}  // namespace kvelta
