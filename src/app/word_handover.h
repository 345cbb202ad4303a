#pragma once
// Hands a built document to the user: it is saved as a new .docx file in the user's documents
// folder, sub-folder "Kvelta", and opened in the desktop's word processor, ready to print.

#include "frame/errors.h"
#include "frame/report_view.h"
#include "reports/word_report.h"

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace kvelta {

// Where the documents go; an empty folder restores the user's documents folder + "/Kvelta".
void SetWordReportFolder(const QString& folder);
QString WordReportFolder();

// How a saved document is opened; an empty opener restores QDesktopServices::openUrl.
using DocumentOpener = std::function<bool(const QUrl&)>;
void SetDocumentOpener(DocumentOpener opener);

// Whether the desktop names an application for a MIME type; nothing when it cannot tell (no
// MIME database tool). An empty query restores the desktop's: `xdg-mime query default`.
using HandlerQuery = std::function<std::optional<bool>(const QString& mimeType)>;
void SetHandlerQuery(HandlerQuery query);
std::optional<bool> DesktopHasHandler(const QString& mimeType);

inline const QString kDocxMimeType =
    QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document");

// The document was saved but no application opens it; `path` names the saved file.
class DocumentNotOpened : public KveltaError {
public:
    DocumentNotOpened(const QString& text, QString path) : KveltaError(text), path_(std::move(path)) {}
    const QString& path() const { return path_; }

private:
    QString path_;
};

// A file name made from a window caption: characters that file systems refuse are replaced,
// and the name is never empty.
QString DocumentBaseName(const QString& caption);

// Saves `docx` under a new name made from the caption in `folder`; an existing file is never
// replaced. Returns the path. Raises KveltaError when the folder or the file cannot be made.
QString SaveNewDocument(const QString& folder, const QString& caption, const QByteArray& docx);

// Builds the report of one window with the document builder, saves it and opens it. Raises
// KveltaError when it cannot be saved, DocumentNotOpened when the desktop has no application for
// it or opening it fails.
void PrintWordDocument(const ReportView& window, ReportLayout layout);

}  // namespace kvelta
