#include "app/word_handover.h"

#include "frame/errors.h"
#include "reports/report_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kvelta {

namespace {

QString& FolderOverride()
{
    static QString folder;
    return folder;
}

DocumentOpener& OpenerOverride()
{
    static DocumentOpener opener;
    return opener;
}

HandlerQuery& HandlerQueryOverride()
{
    static HandlerQuery query;
    return query;
}

constexpr int kQueryTimeoutMs = 5000;

// `xdg-mime query default TYPE` prints the desktop file of the default application, or nothing.
std::optional<bool> XdgMimeHasHandler(const QString& mimeType)
{
    QProcess xdgMime;
    xdgMime.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!xdgMime.waitForStarted(kQueryTimeoutMs))
        return std::nullopt;
    if (!xdgMime.waitForFinished(kQueryTimeoutMs)) {
        xdgMime.kill();
        xdgMime.waitForFinished(kQueryTimeoutMs);
        return std::nullopt;
    }
    if (xdgMime.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return xdgMime.exitCode() == 0 && !xdgMime.readAllStandardOutput().trimmed().isEmpty();
}

constexpr int kMaxBaseNameLength = 100;  // leaves room for the folder and " (NNN).docx"
constexpr int kMaxAttempts = 10000;

}  // namespace

void SetWordReportFolder(const QString& folder) { FolderOverride() = folder; }

QString WordReportFolder()
{
    if (!FolderOverride().isEmpty())
        return FolderOverride();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Kvelta");
}

void SetDocumentOpener(DocumentOpener opener) { OpenerOverride() = std::move(opener); }

void SetHandlerQuery(HandlerQuery query) { HandlerQueryOverride() = std::move(query); }

std::optional<bool> DesktopHasHandler(const QString& mimeType)
{
    return HandlerQueryOverride() ? HandlerQueryOverride()(mimeType) : XdgMimeHasHandler(mimeType);
}

QString DocumentBaseName(const QString& caption)
{
    static const QString kRefused = QStringLiteral("<>:\"/\\|?*");
    QString name;
    for (const QChar ch : caption) {
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F || kRefused.contains(ch) || ch.isSurrogate())
            name += QLatin1Char('_');
        else
            name += ch;
    }
    name = name.left(kMaxBaseNameLength).trimmed();
    // Windows drops trailing dots and spaces; a leading dot would hide the file on Unix.
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("Документ");
    return name;
}

QString SaveNewDocument(const QString& folder, const QString& caption, const QByteArray& docx)
{
    if (!QDir().mkpath(folder))
        throw KveltaError(QStringLiteral("Cannot create folder \"%1\"").arg(QDir::toNativeSeparators(folder)));
    const QString base = QDir(folder).filePath(DocumentBaseName(caption));
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const QString path = attempt == 1 ? base + QStringLiteral(".docx")
                                          : QStringLiteral("%1 (%2).docx").arg(base).arg(attempt);
        // Written whole beside the folder's other files, then given a name nobody has taken, even
        // meanwhile: an existing document is never replaced, and a failure leaves no file at all.
        if (!WriteNewFile(path, docx))
            continue;
        return path;
    }
    throw KveltaError(QStringLiteral("Cannot create file \"%1.docx\": too many documents of that name")
                          .arg(QDir::toNativeSeparators(base)));
}

void PrintWordDocument(const ReportView& window, ReportLayout layout)
{
    const QString path = SaveNewDocument(WordReportFolder(), window.caption, BuildDocx(window, layout));
    const QUrl url = QUrl::fromLocalFile(path);
    // The desktop's opener reports success as soon as it starts, whether or not any application
    // takes the file: the MIME database is asked first. When it cannot tell, the opener decides.
    const bool opened = DesktopHasHandler(kDocxMimeType).value_or(true)
                        && (OpenerOverride() ? OpenerOverride()(url) : QDesktopServices::openUrl(url));
    if (!opened)
        throw DocumentNotOpened(QStringLiteral("No application is available to open the document. It has been saved "
                                               "as \"%1\"").arg(QDir::toNativeSeparators(path)),
                                path);
}

}  // namespace kvelta
