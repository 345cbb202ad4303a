#include "app/settings.h"

#include "frame/errors.h"
#include "frame/numbers.h"
#include "reports/report_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// Debian ships SimpleIni without its converter header; the template bodies are compiled here only.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>
#include <unistd.h>

namespace kvelta {

namespace {

const QString kMain = QStringLiteral("Main");

std::string Bytes(const QString& text) { return text.toStdString(); }

}  // namespace

QString SettingsPathFor(const QString& programDir, const QString& configHome)
{
    const QString beside = QDir(programDir).filePath(QStringLiteral("Kvelta.ini"));
    if (QFileInfo::exists(beside))
        return beside;
    // A system program folder is never ours to write, even for root, who could.
    const QString canonical = QFileInfo(programDir).canonicalFilePath() + QLatin1Char('/');
    const bool systemFolder = canonical.startsWith(QLatin1String("/usr/")) || canonical.startsWith(QLatin1String("/bin/"))
                              || canonical.startsWith(QLatin1String("/sbin/"));
    if (!systemFolder && ::access(QFile::encodeName(programDir).constData(), W_OK) == 0)
        return beside;
    return QDir(configHome).filePath(QStringLiteral("Kvelta/Kvelta.ini"));
}

QString DefaultSettingsPath()
{
    const QString path = SettingsPathFor(QCoreApplication::applicationDirPath(),
                                         QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

namespace {

// Sections and keys are the same whatever their case and the blanks around them.
bool SameName(QByteArrayView a, QByteArrayView b) { return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0; }

// One line of the file as written, its end ("\r\n", "\n" or none) kept apart.
struct Line {
    QByteArray text;
    QByteArray end;
};

std::vector<Line> SplitLines(const QByteArray& bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines.push_back({bytes.mid(start), {}});
            break;
        }
        const bool crlf = newline > start && bytes[newline - 1] == '\r';
        lines.push_back({bytes.mid(start, newline - start - (crlf ? 1 : 0)), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
    return lines;
}

// The section a "[name]" line opens, or nothing.
std::optional<QByteArray> SectionOf(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('[') || !trimmed.contains(']'))
        return std::nullopt;
    return trimmed.mid(1, trimmed.indexOf(']') - 1);
}

// Writes the value into the file's text as the platform does: every line of the key in the
// section gets the new value, the key's spelling and everything else kept; a new key goes after
// the section's last line that is not blank, a new section to the end.
void SetInText(std::vector<Line>& lines, const QByteArray& lineEnd, const QByteArray& section, const QByteArray& key,
               const QByteArray& value)
{
    bool inSection = false, found = false;
    int sectionsSeen = 0;
    std::optional<std::size_t> lastInSection;  // in the first section of that name
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QByteArray& text = lines[i].text;
        if (const std::optional<QByteArray> name = SectionOf(text)) {
            inSection = SameName(*name, section);
            if (inSection && ++sectionsSeen == 1)
                lastInSection = i;
            continue;
        }
        const QByteArray trimmed = text.trimmed();
        const bool comment = trimmed.startsWith(';') || trimmed.startsWith('#');
        if (!inSection || trimmed.isEmpty() || comment)
            continue;
        if (sectionsSeen == 1)
            lastInSection = i;
        const qsizetype equals = text.indexOf('=');
        if (equals > 0 && SameName(text.left(equals), key)) {
            lines[i].text = text.left(equals + 1) + value;
            found = true;
        }
    }
    if (found)
        return;
    if (!lines.empty() && lines.back().end.isEmpty())
        lines.back().end = lineEnd;
    const Line entry{key + '=' + value, lineEnd};
    if (lastInSection) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*lastInSection) + 1, entry);
        return;
    }
    lines.push_back({'[' + section + ']', lineEnd});
    lines.push_back(entry);
}

}  // namespace

class SettingsFile::Impl {
public:
    CSimpleIniA ini{/*isUtf8*/ false, /*multiKey*/ false, /*multiLine*/ false};
    // The file as it was read, edited line by line: what the program does not understand
    // (other sections, comments, blank lines, line ends) is written back as it was.
    std::vector<Line> lines;
    QByteArray lineEnd = "\n";  // the file's own; a new file's is the platform's
};

SettingsFile::SettingsFile(QString path) : path_(std::move(path)), impl_(std::make_unique<Impl>())
{
    QByteArray data;
    try {
        data = ReadInputFile(path_);
    } catch (const FileReadError& error) {
        if (error.error() != ENOENT)
            throw;
    }
    impl_->ini.LoadData(data.constData(), static_cast<size_t>(data.size()));
    impl_->lines = SplitLines(data);
    if (!impl_->lines.empty() && !impl_->lines.front().end.isEmpty())
        impl_->lineEnd = impl_->lines.front().end;
}

SettingsFile::~SettingsFile() = default;

QString SettingsFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const char* value = impl_->ini.GetValue(Bytes(section).c_str(), Bytes(key).c_str(), nullptr);
    if (!value)
        return defaultValue;
    QString text = QString::fromUtf8(value).trimmed();
    if (text.size() >= 2 && (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\''))
        && text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text;
}

void SettingsFile::writeString(const QString& section, const QString& key, const QString& value)
{
    impl_->ini.SetValue(Bytes(section).c_str(), Bytes(key).c_str(), Bytes(value).c_str());
    // A line break would end the value and begin a line of its own.
    QByteArray line = value.toUtf8();
    line.replace('\r', ' ').replace('\n', ' ');
    SetInText(impl_->lines, impl_->lineEnd, section.toUtf8(), key.toUtf8(), line);
}

void SettingsFile::save() const
{
    QByteArray data;
    for (const Line& line : impl_->lines)
        data += line.text + line.end;
    WriteFileAtomically(path_, data);
}

WindowPlacement PlacementOnScreens(const WindowPlacement& placement, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return placement;
    // In 64 bits: the saved numbers may be anything an int holds.
    const qint64 left = placement.left, top = placement.top;
    const qint64 width = std::max<qint64>(placement.width, 1), height = std::max<qint64>(placement.height, 1);
    auto overlap = [&](const QRect& s) {
        const qint64 w = std::min<qint64>(left + width, qint64(s.x()) + s.width()) - std::max<qint64>(left, s.x());
        const qint64 h = std::min<qint64>(top + height, qint64(s.y()) + s.height()) - std::max<qint64>(top, s.y());
        return w > 0 && h > 0 ? w * h : 0;  // at most 2^62: no overflow
    };
    auto distance = [&](const QRect& s) {  // from the window's centre to the screen's, each axis at most 2^33
        const qint64 dx = (2 * left + width) - (2 * qint64(s.x()) + s.width());
        const qint64 dy = (2 * top + height) - (2 * qint64(s.y()) + s.height());
        return std::abs(dx) + std::abs(dy);
    };
    const QRect* best = &screens.front();
    for (const QRect& s : screens)
        if (overlap(s) > overlap(*best) || (overlap(*best) == 0 && overlap(s) == 0 && distance(s) < distance(*best)))
            best = &s;
    const QRect& screen = *best;
    WindowPlacement shown = placement;
    shown.width = static_cast<int>(std::min<qint64>(width, std::max(screen.width(), 1)));
    shown.height = static_cast<int>(std::min<qint64>(height, std::max(screen.height(), 1)));
    shown.left = static_cast<int>(std::clamp<qint64>(left, qint64(screen.x()) - shown.width / 2,
                                                     qint64(screen.x()) + screen.width() - (shown.width + 1) / 2));
    shown.top = static_cast<int>(std::clamp<qint64>(top, screen.y(),
                                                    qint64(screen.y()) + screen.height() - (shown.height + 1) / 2));
    return shown;
}

namespace {

// A value of section "Main" read as an integer; one that is not says where it stands and what it
// holds, so that the user can find the line to mend.
int ReadMainInteger(const SettingsFile& file, const QString& key, const QString& defaultValue)
{
    const QString value = file.readString(kMain, key, defaultValue);
    try {
        return ParseInteger(value);
    } catch (const ConversionError&) {
        // A value written by hand may be anything: shown on one line and not longer than a box holds.
        QString shown = value.left(64);
        for (QChar& c : shown)
            if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
                c = QLatin1Char(' ');
        if (shown.size() < value.size())
            shown += QStringLiteral("…");
        throw KveltaError(QStringLiteral("Ошибка в файле настроек %1: в разделе [%2] значение ключа %3 «%4» — не целое "
                                         "число; положение окна взято без него и без следующих за ним значений")
                              .arg(QDir::toNativeSeparators(file.path()), kMain, key, shown));
    }
}

}  // namespace

void ReadMainPlacement(const SettingsFile& file, WindowPlacement& placement)
{
    placement.top = ReadMainInteger(file, QStringLiteral("Top"), QStringLiteral("10"));
    placement.left = ReadMainInteger(file, QStringLiteral("Left"), QStringLiteral("10"));
    placement.width = ReadMainInteger(file, QStringLiteral("Width"), QStringLiteral("600"));
    placement.height = ReadMainInteger(file, QStringLiteral("Height"), QStringLiteral("400"));
    placement.maximized =
        file.readString(kMain, QStringLiteral("State"), QStringLiteral("NORMAL")) == QLatin1String("MAXIMIZED");
}

void WriteMainPlacement(SettingsFile& file, const WindowPlacement& placement, bool minimized)
{
    if (!placement.maximized && !minimized) {
        file.writeString(kMain, QStringLiteral("Top"), QString::number(placement.top));
        file.writeString(kMain, QStringLiteral("Left"), QString::number(placement.left));
        file.writeString(kMain, QStringLiteral("Width"), QString::number(placement.width));
        file.writeString(kMain, QStringLiteral("Height"), QString::number(placement.height));
    }
    file.writeString(kMain, QStringLiteral("State"),
                     placement.maximized ? QStringLiteral("MAXIMIZED") : QStringLiteral("NORMAL"));
}

StudentFields ReadStudentFields(const SettingsFile& file)
{
    const QString section = QStringLiteral("Student");
    return {file.readString(section, QStringLiteral("Group"), QString()),
            file.readString(section, QStringLiteral("Name"), QString())};
}

void WriteStudentFields(SettingsFile& file, const StudentFields& fields)
{
    const QString section = QStringLiteral("Student");
    const StudentFields stored = ReadStudentFields(file);
    if (stored.group == fields.group && stored.name == fields.name)
        return;
    file.writeString(section, QStringLiteral("Group"), fields.group);
    file.writeString(section, QStringLiteral("Name"), fields.name);
}

}  // namespace kvelta
