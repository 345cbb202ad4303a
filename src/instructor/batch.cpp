#include "instructor/batch.h"

#include "catalogue/solution.h"
#include "frame/errors.h"
#include "reports/word_report.h"
#include "reports/report_file.h"
#include "reports/text_report.h"
#include "instructor/instructor.h"
#include "instructor/outputs.h"
#include "instructor/run_folder.h"
#include "instructor/table_files.h"
#include "instructor/xlsx_writer.h"

#include <memory>
#include <vector>

namespace kvelta {

namespace {

// A file name made safe from a student's name: letters and digits kept, the rest "_".
QString SafeFileName(const QString& name)
{
    const QString safe = FileNamePart(name, kFileNameBytes - 16);  // after "NNNNNN-"
    return safe.isEmpty() ? QStringLiteral("variant") : safe;
}

// The edit a row's text would not fit in whole (an edit holds kEditMaxLength characters), as an
// error naming the field and the row; empty when every text fits.
QString TooLongText(const TypedTexts& edits, int rowNumber)
{
    for (const auto& [edit, text] : edits)
        if (text.size() > kEditMaxLength)
            return QStringLiteral("%1 in row %2 has %3 characters; an edit holds at most %4")
                .arg(edit)
                .arg(rowNumber)
                .arg(text.size())
                .arg(kEditMaxLength);
    return {};
}

QByteArray DrawPdf(const BatchTargets& targets, std::span<const WordDocument> documents, const QString& title)
{
    if (!targets.drawPdf)
        throw KveltaError(QStringLiteral("PDF files cannot be drawn by this program"));
    return targets.drawPdf(documents, title);
}

// A failed variant's reason, for standard error as well as summary.csv.
void Report(const BatchEvents& events, const QStringList& line)
{
    if (events.variantFailed)
        events.variantFailed(QStringLiteral("variant %1: %2").arg(line[0], SingleLineText(line[3])));
}

class Batch {
public:
    Batch(const Exercise& exercise, const VariantSheet& sheet, const BatchTargets& targets)
        : exercise_(exercise), sheet_(sheet), targets_(targets),
          summary_(targets.reports.filePath(QStringLiteral("summary.csv")))
    {
        if (targets.keys && targets.keyPdfs && targets.startBook)
            book_ = targets.startBook();
        summary_.append(kUtf8ByteOrderMark);
        add(QStringList{QStringLiteral("variant"), QStringLiteral("group"), QStringLiteral("name"), QStringLiteral("error")}
            + SummaryResultHeader(exercise, targets.rigorous) + SummaryInputHeader(sheet));
    }

    // Solves and writes the variant of row k (from 1); false when it failed.
    bool variant(int k, const BatchEvents& events)
    {
        const QStringList& row = sheet_.rows[static_cast<std::size_t>(k - 1)];
        QStringList line{QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0')), QString(), QString(), QString()};
        const std::optional<TypedTexts> edits = sheet_.edits(exercise_, row);
        if (!edits)
            line[3] = sheet_.problem(exercise_, row);
        else
            line[3] = TooLongText(*edits, k);
        if (!line[3].isEmpty()) {
            Report(events, line);
            add(line);
            return false;
        }
        const Solution solution = SolveExercise(exercise_, *edits);
        const ReportView view = solution.view();
        line[1] = view.group;
        line[2] = view.name;
        line[3] = solution.error();
        if (const std::optional<QString> error = ErrorOf([&] { write(k, line[0], solution, view); }))
            line[3] = line[3].isEmpty() ? ErrorBoxText(*error) : line[3] + QLatin1Char(' ') + ErrorBoxText(*error);
        add(line + SummaryResultColumns(solution, targets_.rigorous) + SummaryInputColumns(exercise_, sheet_, row));
        if (!line[3].isEmpty())
            Report(events, line);
        return line[3].isEmpty();
    }

    // The answer book and summary.csv; false when the book could not be written (the summary is
    // written even then).
    bool finish(const BatchEvents& events, bool withBook)
    {
        const std::optional<QString> error = ErrorOf([&] {
            if (withBook && (book_ ? !book_->empty() : !answerBook_.empty()))
                WriteFileAtomically(targets_.keys->filePath(QStringLiteral("answer-book.pdf")),
                                    book_ ? book_->finish() : DrawPdf(targets_, answerBook_, bookTitle_),
                                    FileSync::Later);
        });
        if (error && events.failed)
            events.failed(ErrorBoxText(*error));
        summary_.commit(FileSync::Later);
        if (targets_.xlsx)
            WriteFileAtomically(targets_.reports.filePath(QStringLiteral("summary.xlsx")),
                                WriteXlsx(summaryRows_, QStringLiteral("summary")), FileSync::Later);
        SyncFolder(targets_.reports.path());
        if (targets_.keys)
            SyncFolder(targets_.keys->path());
        return !error;
    }

private:
    void add(const QStringList& line)
    {
        summary_.append(TableLine(line));
        if (targets_.xlsx)
            summaryRows_.push_back(line);
    }

    void write(int k, const QString& number, const Solution& solution, const ReportView& view)
    {
        // In the keys' folder the key is the report.
        const bool keyIsReport = targets_.keys && targets_.keys->absolutePath() == targets_.reports.absolutePath();
        if (targets_.keys) {
            std::function<QByteArray(const WordDocument&)> drawKey;
            if (book_)
                drawKey = [&](const WordDocument& document) { return book_->draw(document, view.caption); };
            else if (targets_.keyPdfs)
                drawKey = [&](const WordDocument& document) { return DrawPdf(targets_, {&document, 1}, view.caption); };
            WordDocument document = WriteAnswerKey(*targets_.keys, KeyFileStem(k, view.group, view.name), solution, drawKey);
            if (book_) {
                book_->keepLast();  // the key is whole: its pages join the book
            } else if (targets_.keyPdfs) {
                answerBook_.push_back(std::move(document));
                bookTitle_ = view.caption;
            }
        }
        const QString base = targets_.reports.filePath(number + QLatin1Char('-') + SafeFileName(view.name));
        if (!keyIsReport)
            WriteFileAtomically(base + QStringLiteral(".txt"), TextReportBytes(view, exercise_.report), FileSync::Later);
        if (targets_.reportPdfs && !(keyIsReport && targets_.keyPdfs)) {
            const WordDocument document = BuildReportDocument(view, exercise_.report);
            WriteFileAtomically(base + QStringLiteral(".pdf"), DrawPdf(targets_, {&document, 1}, view.caption),
                                FileSync::Later);
        }
    }

    const Exercise& exercise_;
    const VariantSheet& sheet_;
    const BatchTargets& targets_;
    // Written row by row, whole under its name only at the end: a batch of any size holds one row.
    StreamedFile summary_;
    std::vector<QStringList> summaryRows_;  // for summary.xlsx
    std::unique_ptr<PdfBookDrawer> book_;  // the keys' pages as they are drawn, for one printout
    std::vector<WordDocument> answerBook_;  // else every key's document, in order, drawn at the end
    QString bookTitle_;
};

}  // namespace

int RunBatch(const Exercise& exercise, const VariantSheet& sheet, const BatchTargets& targets, const BatchEvents& events)
{
    std::vector<std::unique_ptr<RunFolder>> folders;
    folders.push_back(std::make_unique<RunFolder>(targets.reports));
    if (targets.keys && targets.keys->absolutePath() != targets.reports.absolutePath())
        folders.push_back(std::make_unique<RunFolder>(*targets.keys));
    Batch batch(exercise, sheet, targets);
    const int total = static_cast<int>(sheet.rows.size());
    int failed = 0, done = 0;
    while (done < total && !(events.cancelled && *events.cancelled)) {
        failed += batch.variant(++done, events) ? 0 : 1;
        if (events.progressed)
            events.progressed(done, total);
    }
    failed += batch.finish(events, done == total) ? 0 : 1;
    for (const auto& folder : folders)
        folder->finish();
    return failed;
}

}  // namespace kvelta
