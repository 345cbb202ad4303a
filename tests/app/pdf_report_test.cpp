// The printed report as a reader sees it: every exercise's worked example (both pages of the
// Legendre window) drawn to PDF by the program's own renderer and read back with pdftotext. No
// table text may be broken across lines, and no page may be empty.
#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "instructor/instructor.h"
#include "render/document_painter.h"
#include "reports/word_report.h"
#include "support/kvelta_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace kvelta {
namespace {

QString Collapsed(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

// pdftotext of one page (0: all), laid out as on the page.
QString PdfText(const QString& pdf, int page = 0)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(process.waitForFinished(60000));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(process.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

class PdfReport : public ::testing::TestWithParam<QChar> {};

TEST_P(PdfReport, NoTextSplitAndNoEmptyPage)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    test::SeparatorScope scope(GetParam());
    QTemporaryDir folder;
    for (const Exercise* exercise : Catalogue()) {
        // The layouts that print the active page only: each page in turn.
        const bool activeOnly = exercise->report == ReportLayout::Legendre;
        for (int page = 0; page < (activeOnly ? static_cast<int>(exercise->tables.size()) : 1); ++page) {
            SCOPED_TRACE(test::Str(exercise->name) + " page " + std::to_string(page));
            const Solution solution = SolveExercise(*exercise, exercise->shownExample(), page);
            const ReportView view = solution.view();
            const QString pdf = folder.filePath(exercise->name + QString::number(page) + QStringLiteral(".pdf"));
            QFile file(pdf);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(WritePdf(BuildReportDocument(view, exercise->report), view.caption));
            file.close();

            QStringList lines;
            for (const QString& line : PdfText(pdf).split(QLatin1Char('\n')))
                lines << Collapsed(line);
            // the caption may take two lines, centred
            EXPECT_TRUE(Collapsed(lines.join(QLatin1Char(' '))).contains(Collapsed(view.caption)));
            for (const ReportTable& table : view.tables) {
                if (activeOnly && table.name != exercise->tables[static_cast<std::size_t>(page)].name)
                    continue;
                for (const QString& cell : test::PrintedCells(*table.table)) {
                    const QString text = Collapsed(cell);
                    if (text.isEmpty())
                        continue;
                    const bool onOneLine = std::any_of(lines.begin(), lines.end(),
                                                       [&](const QString& line) { return line.contains(text); });
                    EXPECT_TRUE(onOneLine) << test::Str(table.name) << ": " << test::Str(text);
                }
            }
            const int pages = PageCount(pdf);
            EXPECT_GE(pages, 1);
            for (int p = 1; p <= pages; ++p)
                EXPECT_FALSE(Collapsed(PdfText(pdf, p)).isEmpty()) << "page " << p << " is empty";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, PdfReport, ::testing::ValuesIn(test::kSeparators));

// An answer book of portrait and landscape documents: every page keeps its document's orientation.
TEST(PdfBook, EachDocumentStartsAPageInItsOwnOrientation)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    std::vector<WordDocument> documents;
    for (const char* name : {"meridian-arc", "legendre", "gk-zone"}) {
        const Exercise* exercise = FindExercise(QString::fromLatin1(name));
        ASSERT_TRUE(exercise);
        documents.push_back(BuildReportDocument(SolveExercise(*exercise, exercise->shownExample()).view(), exercise->report));
    }
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("book.pdf"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WritePdfBook(documents, QStringLiteral("book")));
    file.close();

    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                              QStringLiteral("99"), pdf});
    ASSERT_TRUE(process.waitForFinished(60000));
    QStringList orientations;
    auto sizes = QRegularExpression(QStringLiteral("Page +\\d+ size: +([\\d.]+) x ([\\d.]+)"))
                     .globalMatch(QString::fromUtf8(process.readAllStandardOutput()));
    while (sizes.hasNext()) {
        const QRegularExpressionMatch size = sizes.next();
        orientations << (size.captured(1).toDouble() > size.captured(2).toDouble() ? "landscape" : "portrait");
    }
    QStringList expected;
    for (const WordDocument& document : documents)
        expected << (document.landscape ? "landscape" : "portrait");
    EXPECT_EQ(orientations.join(QLatin1Char(' ')).toStdString(), expected.join(QLatin1Char(' ')).toStdString());
    EXPECT_TRUE(expected.contains("landscape") && expected.contains("portrait"));
}

// The pages of a PDF file as pdftoppm draws them in grey (at 40 dots an inch unless told).
std::vector<QImage> PageImages(const QString& pdf, int dpi = 40)
{
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), pdf,
                                               pdf + QStringLiteral("-page")});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    std::vector<QImage> pages;
    const QDir folder = QFileInfo(pdf).dir();
    const QString prefix = QFileInfo(pdf).fileName() + QStringLiteral("-page");
    for (const QString& name : folder.entryList({prefix + QStringLiteral("*.pgm")}, QDir::Files, QDir::Name))
        pages.push_back(QImage(folder.filePath(name)));
    return pages;
}

// Printing (and its preview) draws the pages «Экспорт в PDF...» draws, dot for dot: each table
// with its right-hand border, which a clip at the text area's edge used to cut away. Printed to a
// PDF file through the printer, as a user can.
TEST(PrintedReport, DrawsThePagesOfThePdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QTemporaryDir folder;
    // A page in portrait, one in landscape, a document of two pages.
    for (const char* name : {"meridian-arc", "gk-zone", "large-triangle"}) {
        SCOPED_TRACE(name);
        const Exercise* exercise = FindExercise(QString::fromLatin1(name));
        ASSERT_TRUE(exercise);
        const Solution solution = SolveExercise(*exercise, exercise->shownExample());
        const ReportView view = solution.view();
        const WordDocument document = BuildReportDocument(view, exercise->report);
        const QString exported = folder.filePath(QString::fromLatin1(name) + QStringLiteral(".pdf"));
        QFile file(exported);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WritePdf(document, view.caption));
        file.close();
        const QString printed = folder.filePath(QString::fromLatin1(name) + QStringLiteral("-printed.pdf"));
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            PaintDocument(document, printer);
        }
        const std::vector<QImage> expected = PageImages(exported), pages = PageImages(printed);
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(pages.size(), expected.size());
        for (std::size_t p = 0; p < pages.size(); ++p)
            EXPECT_TRUE(pages[p] == expected[p]) << "page " << p + 1 << " differs";
    }
}

// The pages of PDF bytes as pdftoppm draws them, and their text as pdftotext reads it.
struct DrawnPdf {
    std::vector<QImage> pages;
    QString text;
};

DrawnPdf Drawn(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes, int dpi = 40)
{
    const QString pdf = folder.filePath(name + QStringLiteral(".pdf"));
    QFile file(pdf);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    return {PageImages(pdf, dpi), PdfText(pdf)};
}

void ExpectSamePages(const DrawnPdf& drawn, const DrawnPdf& expected)
{
    ASSERT_FALSE(expected.pages.empty());
    ASSERT_EQ(drawn.pages.size(), expected.pages.size());
    for (std::size_t p = 0; p < drawn.pages.size(); ++p)
        EXPECT_TRUE(drawn.pages[p] == expected.pages[p]) << "page " << p + 1 << " differs";
    EXPECT_EQ(drawn.text.toStdString(), expected.text.toStdString());
}

// Keys drawn through a book, each laid out once for its own file and the book: every key's file
// and the book are the pages WritePdf and WritePdfBook draw, dot for dot and word for word. A key
// with the given data on one page, one whose tables run over pages with their headings repeated,
// one in landscape; a key drawn but not kept (its files failed) stays out of the book.
TEST(PdfBook, KeysDrawnOnceAreThePagesDrawnAlone)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QTemporaryDir folder;
    std::vector<WordDocument> kept;
    const std::unique_ptr<PdfBookDrawer> book = StartPdfBook();
    EXPECT_TRUE(book->empty());
    book->keepLast();  // nothing drawn yet: nothing to keep
    EXPECT_TRUE(book->empty());
    for (const char* name : {"gk-forward", "large-triangle", "datums", "legendre"}) {
        SCOPED_TRACE(name);
        const Exercise* exercise = FindExercise(QString::fromLatin1(name));
        ASSERT_TRUE(exercise);
        const Solution solution = SolveExercise(*exercise, exercise->shownExample());
        const ReportView view = solution.view();
        const WordDocument key =
            BuildReportDocument(view, exercise->report, AnswerKeyGivenData(*exercise, solution));
        ExpectSamePages(Drawn(folder, QString::fromLatin1(name), book->draw(key, view.caption)),
                        Drawn(folder, QString::fromLatin1(name) + QStringLiteral("-alone"), WritePdf(key, view.caption)));
        if (std::string(name) == "datums")
            continue;  // drawn, never kept
        book->keepLast();
        book->keepLast();  // kept once only
        kept.push_back(key);
    }
    EXPECT_FALSE(book->empty());
    const DrawnPdf drawnBook = Drawn(folder, QStringLiteral("book"), book->finish());
    ExpectSamePages(drawnBook, Drawn(folder, QStringLiteral("book-alone"), WritePdfBook(kept, QStringLiteral("book"))));
    EXPECT_GE(drawnBook.pages.size(), kept.size() + 1);  // the large triangle's tables run over pages
    EXPECT_TRUE(drawnBook.text.contains(QStringLiteral("Исходные данные")));
    EXPECT_TRUE(kept.back().landscape && !kept.front().landscape);
}

// A table of one-line rows after a paragraph `shift` points tall, with a heading row or none;
// every fifth row two lines tall.
WordDocument TableAfter(float shift, int headerRows)
{
    WordDocument document;
    WordParagraph spacer;
    spacer.markSize = shift;
    spacer.runs.push_back({QStringLiteral("x"), shift, false});
    document.body.push_back(spacer);
    WordTable table;
    table.headerRows = headerRows;
    table.columnWidths = {150.0f, 120.0f, 180.0f};
    for (int r = 0; r < 75; ++r) {
        std::vector<WordCell> row(3);
        for (int c = 0; c < 3; ++c) {
            WordParagraph paragraph;
            const QString text = r % 5 == 4 && c == 1 ? QStringLiteral("%1\v%2") : QStringLiteral("%1 %2");
            paragraph.runs.push_back({text.arg(r).arg(c), 12.0f, r == 0});
            row[static_cast<std::size_t>(c)].paragraphs.push_back(paragraph);
        }
        table.rows.push_back(row);
    }
    document.body.push_back(table);
    return document;
}

// The report tables are ruled by the program's own drawing, not by Qt's table painter: the
// pages must be Qt's, dot for dot and word for word, wherever a page break falls in a table
// (a row taken on to the next page, the row above lengthened to the page's foot or not, the
// heading repeated or none), in every exercise's answer key, and at a printer's resolutions.
TEST(PdfPages, TablesRuledAsQtRulesThem)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QTemporaryDir folder;
    struct Case {
        QString name;
        WordDocument document;
        int dotsPerInch;
    };
    std::vector<Case> cases;
    for (int step = 0; step < 36; ++step)
        cases.push_back({QStringLiteral("shift %1").arg(step), TableAfter(2.0f + 0.6f * step, step % 3 == 2 ? 0 : 1), 1200});
    for (int step = 0; step < 36; step += 5)
        for (const int dotsPerInch : {300, 600})
            cases.push_back({QStringLiteral("shift %1").arg(step), TableAfter(2.0f + 0.6f * step, 1), dotsPerInch});
    for (const Exercise* exercise : Catalogue()) {
        const Solution solution = SolveExercise(*exercise, exercise->shownExample());
        const WordDocument key = BuildReportDocument(solution.view(), exercise->report, AnswerKeyGivenData(*exercise, solution));
        for (const int dotsPerInch : {1200, 300})
            cases.push_back({exercise->name, key, dotsPerInch});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " at " + std::to_string(c.dotsPerInch) + " dpi");
        EXPECT_TRUE(RulesTablesItself(c.document, c.dotsPerInch));
        ExpectSamePages(Drawn(folder, QStringLiteral("own"), WritePdfAt(c.document, c.name, c.dotsPerInch, TableDrawing::Own), 72),
                        Drawn(folder, QStringLiteral("qt"), WritePdfAt(c.document, c.name, c.dotsPerInch, TableDrawing::QtPainter), 72));
    }
}

}  // namespace
}  // namespace kvelta
