#include "app/app_look.h"

#include <QApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

static void InitIconResource() { Q_INIT_RESOURCE(icons); }

namespace kvelta {

namespace {

// The file types the file dialog names: Qt 6 asks for them in a context qtbase_ru does not have.
class FileTypeTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        static const QHash<QByteArray, QString> types = {
            {"Folder", QStringLiteral("Папка")}, {"File", QStringLiteral("Файл")}, {"%1 File", QStringLiteral("Файл %1")},
            {"Drive", QStringLiteral("Диск")},   {"Shortcut", QStringLiteral("Ярлык")}, {"Alias", QStringLiteral("Псевдоним")}};
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        return types.value(QByteArray(sourceText));
    }
};

}  // namespace

QIcon KveltaIcon()
{
    InitIconResource();
    QIcon icon;
    for (const char* size : {"48", "64", "128", "256"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)));
    return icon;
}

void InstallRussianTranslations(QApplication& app)
{
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtbase);
    QApplication::installTranslator(new FileTypeTranslator(&app));
}

}  // namespace kvelta
