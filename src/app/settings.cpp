#include "app/settings.h"

#include "frame/errors.h"
#include "frame/numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSaveFile>

// Debian ships SimpleIni without its converter header; the template bodies are compiled here only.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <string>
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

class SettingsFile::Impl {
public:
    CSimpleIniA ini{/*isUtf8*/ false, /*multiKey*/ false, /*multiLine*/ false};
};

SettingsFile::SettingsFile(QString path) : path_(std::move(path)), impl_(std::make_unique<Impl>())
{
    impl_->ini.SetSpaces(false);  // "Top=10", as the platform writes it
    QFile file(path_);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray data = file.readAll();
        impl_->ini.LoadData(data.constData(), static_cast<size_t>(data.size()));
    }
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
}

void SettingsFile::save() const
{
    std::string data;
    const bool serialised = impl_->ini.Save(data) >= 0;
    // QSaveFile replaces the file only once everything is written, so a full disk cannot leave
    // half a file; it refuses a read-only file and writes in place where the folder is read-only.
    QSaveFile file(path_);
    file.setDirectWriteFallback(true);
    if (!serialised || !file.open(QIODevice::WriteOnly)
        || file.write(data.data(), static_cast<qint64>(data.size())) != static_cast<qint64>(data.size())
        || !file.commit())
        throw KveltaError(QStringLiteral("Unable to write to %1")
                              .arg(QDir::toNativeSeparators(QFileInfo(path_).absoluteFilePath())));
}

void ReadMainPlacement(const SettingsFile& file, WindowPlacement& placement)
{
    placement.top = ParseInteger(file.readString(kMain, QStringLiteral("Top"), QStringLiteral("10")));
    placement.left = ParseInteger(file.readString(kMain, QStringLiteral("Left"), QStringLiteral("10")));
    placement.width = ParseInteger(file.readString(kMain, QStringLiteral("Width"), QStringLiteral("600")));
    placement.height = ParseInteger(file.readString(kMain, QStringLiteral("Height"), QStringLiteral("400")));
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
