#include "app/print_report.h"

#include "app/word_handover.h"
#include "reports/report_file.h"
#include "reports/text_report.h"
#include "render/document_painter.h"

#include <QDir>
#include <QStandardPaths>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

namespace kvelta {

void PrintWithPreview(const WordDocument& document, const QString& title, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageLayout(PageLayoutOf(document));
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter* target) { PaintDocument(document, *target); });
    preview.exec();
}

void ExportPdf(const WordDocument& document, const QString& title, const QString& fileName)
{
    WriteFileAtomically(fileName, WritePdf(document, title), FileSync::Now);
}

QString ChoosePdfFile(QWidget* parent, const QString& suggestedPath)
{
    QFileDialog dialog(parent, QStringLiteral("Экспорт в PDF"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(QFileInfo(suggestedPath).absolutePath());
    dialog.selectFile(suggestedPath);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

QString DefaultReportFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir().mkpath(documents))
        return documents;
    return QDir::homePath();
}

QString SuggestedReportFile(const QString& folder, const QString& caption, const QString& student,
                            const QString& extension)
{
    const QString name = SingleLineText(student).simplified();
    const QString base = DocumentBaseName(name.isEmpty() ? caption : caption + QStringLiteral(" - ") + name);
    return QDir(folder).filePath(base + QLatin1Char('.') + extension);
}

QString AskOtherWayOut(QWidget* parent, const QString& boxText)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kvelta"),
                    boxText + QStringLiteral("\n\nОтчёт можно напечатать или сохранить в PDF."), QMessageBox::Close,
                    parent);
    QPushButton* exportPdf = box.addButton(QStringLiteral("Экспорт в PDF..."), QMessageBox::AcceptRole);
    QPushButton* print = box.addButton(QStringLiteral("Печать..."), QMessageBox::AcceptRole);
    box.setDefaultButton(exportPdf);
    box.exec();
    if (box.clickedButton() == exportPdf)
        return QStringLiteral("ExportPdf1");
    if (box.clickedButton() == print)
        return QStringLiteral("Print1");
    return {};
}

}  // namespace kvelta
