#include "solve/cli.h"

#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/errors.h"
#include "frame/inputs.h"
#include "frame/numbers.h"
#include "reports/report_file.h"
#include "reports/text_report.h"
#include "reports/word_report.h"
#include "solve/csv.h"
#include "solve/outputs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace kvelta {

namespace {

const char kForms[] =
    "Kvelta's exercises without a screen: the same tables and reports as the windows.\n"
    "\n"
    "  kvelta-solve --list\n"
    "  kvelta-solve EXERCISE [--decimal-separator ,|.] [--active-page N] [--example] [EditK=TEXT ...]\n"
    "               [--report FILE|-] [--utf8] [--tables-json FILE|-] [--rigorous] [--docx FILE]\n"
    "               [--pdf FILE|-]\n"
    "  kvelta-solve EXERCISE --batch VARIANTS.csv|- --out-dir DIR [--decimal-separator ,|.] [--rigorous]\n"
    "               [--with-pdf]\n"
    "  kvelta-solve --help | --version";

// Wrong use of the command line: exit status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// A standard stream that cannot be written: exit status 1.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void Write(FILE* stream, const QByteArray& bytes)
{
    if (std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()), stream) != static_cast<size_t>(bytes.size())
        || std::fflush(stream) != 0)
        throw StreamError(std::strerror(errno));
}

void PrintError(const QString& text)
{
    try {
        Write(stderr, (text + QLatin1Char('\n')).toUtf8());
    } catch (const StreamError&) {
        // Nowhere left to say it; the exit status still tells.
    }
}

// Writes bytes to a file, or to standard output for "-".
void WriteOutput(const QString& target, const QByteArray& bytes, FileSync sync = FileSync::Now)
{
    if (target == QLatin1String("-"))
        Write(stdout, bytes);
    else
        WriteFileAtomically(target, bytes, sync);
}

struct Options {
    const Exercise* exercise = nullptr;
    TypedTexts edits;
    int activePage = 0;  // 0-based
    QString report, tablesJson, docx, pdf, batch, outDir;
    bool utf8 = false;
    bool withPdf = false;
    bool rigorous = false;
};

class Parser {
public:
    Parser()
    {
        parser_.setApplicationDescription(QString::fromUtf8(kForms));
        parser_.addOptions({list_, separator_, activePage_, example_, report_, utf8_, tablesJson_, rigorous_, docx_,
                            pdf_, batch_, outDir_, withPdf_, help_, version_});
        parser_.addPositionalArgument(QStringLiteral("EXERCISE"), QStringLiteral("exercise name (see --list)"));
        parser_.addPositionalArgument(QStringLiteral("EditK=TEXT"), QStringLiteral("text typed into an edit"),
                                      QStringLiteral("[EditK=TEXT ...]"));
    }

    // Parses; throws UsageError for a wrong command line.
    void parse(const QStringList& arguments)
    {
        if (!parser_.parse(QStringList{QStringLiteral("kvelta-solve")} + arguments))
            throw UsageError(parser_.errorText());
        for (const QCommandLineOption* option :
             {&separator_, &activePage_, &report_, &tablesJson_, &docx_, &pdf_, &batch_, &outDir_})
            if (parser_.values(*option).size() > 1)
                throw UsageError(QStringLiteral("--%1 is given more than once").arg(option->names().constLast()));
    }

    bool help() const { return parser_.isSet(help_); }
    bool version() const { return parser_.isSet(version_); }
    bool list() const { return parser_.isSet(list_); }
    QStringList positional() const { return parser_.positionalArguments(); }
    // The help names the program as it is called, not by the path it was started from.
    QString helpText() const
    {
        QString text = parser_.helpText();
        const qsizetype options = text.indexOf(QLatin1String(" [options]"));
        if (text.startsWith(QLatin1String("Usage: ")) && options > 0)
            text.replace(0, options, QStringLiteral("Usage: kvelta-solve"));
        return text;
    }

    Options options() const
    {
        const QStringList args = positional();
        Options options;
        options.exercise = args.isEmpty() ? nullptr : FindExercise(args.front());
        if (args.isEmpty())
            throw UsageError(QStringLiteral("no exercise given"));
        if (!options.exercise)
            throw UsageError(QStringLiteral("unknown exercise '%1' (see kvelta-solve --list)").arg(args.front()));
        if (parser_.isSet(separator_)) {
            const QString separator = parser_.value(separator_);
            if (separator != QLatin1String(",") && separator != QLatin1String("."))
                throw UsageError(QStringLiteral("--decimal-separator takes , or ."));
            SetDecimalSeparator(separator.front());
        }
        options.activePage = activePage(*options.exercise);
        options.edits = edits(*options.exercise, args.mid(1));
        if (parser_.isSet(example_))
            options.edits = WithExample(*options.exercise, options.edits);
        options.report = parser_.value(report_);
        options.tablesJson = parser_.value(tablesJson_);
        options.docx = parser_.value(docx_);
        options.pdf = parser_.value(pdf_);
        options.withPdf = parser_.isSet(withPdf_);
        options.batch = parser_.value(batch_);
        options.outDir = parser_.value(outDir_);
        options.utf8 = parser_.isSet(utf8_);
        options.rigorous = parser_.isSet(rigorous_);
        if (options.batch.isEmpty() != options.outDir.isEmpty())
            throw UsageError(QStringLiteral("--batch and --out-dir go together"));
        if (!options.batch.isEmpty()
            && (!options.edits.empty() || parser_.isSet(example_) || !options.report.isEmpty()
                || !options.tablesJson.isEmpty() || !options.docx.isEmpty() || !options.pdf.isEmpty() || options.utf8
                || parser_.isSet(activePage_)))
            throw UsageError(
                QStringLiteral("--batch takes only --out-dir, --decimal-separator, --rigorous and --with-pdf"));
        if (options.withPdf && options.batch.isEmpty())
            throw UsageError(QStringLiteral("--with-pdf goes with --batch (one exercise: --pdf FILE)"));
        return options;
    }

private:
    int activePage(const Exercise& exercise) const
    {
        if (!parser_.isSet(activePage_))
            return 0;
        bool ok = false;
        const int page = parser_.value(activePage_).toInt(&ok);
        if (!ok || page < 1)
            throw UsageError(QStringLiteral("--active-page takes a page number from 1"));
        if (!exercise.hasPages() || page > static_cast<int>(exercise.tables.size()))
            throw UsageError(QStringLiteral("%1 has no page %2").arg(exercise.name).arg(page));
        return page - 1;
    }

    static TypedTexts edits(const Exercise& exercise, const QStringList& args)
    {
        static const QRegularExpression editArgument(QStringLiteral("^(Edit[0-9]+)=(.*)$"),
                                                     QRegularExpression::DotMatchesEverythingOption);
        TypedTexts edits;
        for (const QString& arg : args) {
            const QRegularExpressionMatch m = editArgument.match(arg);
            if (!m.hasMatch())
                throw UsageError(QStringLiteral("unexpected argument '%1'").arg(arg));
            const QString name = m.captured(1);
            if (!exercise.edit(name))
                throw UsageError(QStringLiteral("%1 has no edit %2").arg(exercise.name, name));
            for (const auto& typed : edits)
                if (typed.first == name)
                    throw UsageError(QStringLiteral("%1 is given more than once").arg(name));
            if (m.capturedLength(2) > kEditMaxLength)
                throw UsageError(QStringLiteral("%1 has %2 characters; an edit holds at most %3")
                                     .arg(name)
                                     .arg(m.capturedLength(2))
                                     .arg(kEditMaxLength));
            edits.emplace_back(name, m.captured(2));
        }
        return edits;
    }

    // The textbook's worked example typed first; the edits named on the command line override it.
    static TypedTexts WithExample(const Exercise& exercise, const TypedTexts& named)
    {
        TypedTexts all;
        for (const auto& shown : exercise.shownExample()) {
            const bool overridden = std::any_of(named.begin(), named.end(),
                                                [&](const auto& typed) { return typed.first == shown.first; });
            if (!overridden)
                all.push_back(shown);
        }
        all.insert(all.end(), named.begin(), named.end());
        return all;
    }

    static QCommandLineOption ValueOption(const char* name, const char* description, const char* value)
    {
        return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description), QString::fromLatin1(value));
    }

    QCommandLineParser parser_;
    QCommandLineOption list_{QStringLiteral("list"), QStringLiteral("Every exercise with its edits.")};
    QCommandLineOption separator_ =
        ValueOption("decimal-separator", "The decimal separator of the numbers (default: the locale's).", ",|.");
    QCommandLineOption activePage_ =
        ValueOption("active-page", "The page shown when the reports are made (windows with pages).", "N");
    QCommandLineOption example_{QStringLiteral("example"),
                                QStringLiteral("Type the textbook's worked example first (named edits override it).")};
    QCommandLineOption report_ =
        ValueOption("report", "The text report, as «Сохранить как...» writes it (- for standard output).", "FILE|-");
    QCommandLineOption utf8_{QStringLiteral("utf8"), QStringLiteral("The text report in UTF-8 with LF line ends.")};
    QCommandLineOption tablesJson_ = ValueOption("tables-json", "Every table of the window as JSON.", "FILE|-");
    QCommandLineOption rigorous_{QStringLiteral("rigorous"),
                                 QStringLiteral("Add the comparison with the rigorous solution.")};
    QCommandLineOption docx_ = ValueOption("docx", "The document «Печать из MS Word» builds.", "FILE");
    QCommandLineOption pdf_ = ValueOption("pdf", "The same document as a PDF file, as «Экспорт в PDF...» writes it.",
                                          "FILE|-");
    QCommandLineOption withPdf_{QStringLiteral("with-pdf"),
                                QStringLiteral("With --batch: NNN-<name>.pdf beside each report too.")};
    QCommandLineOption batch_ =
        ValueOption("batch", "A CSV file of variants, one per row (- for standard input).", "VARIANTS.csv|-");
    QCommandLineOption outDir_ = ValueOption("out-dir", "Where a batch writes its reports and summary.csv.", "DIR");
    QCommandLineOption help_{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("This help.")};
    QCommandLineOption version_{QStringLiteral("version"), QStringLiteral("The version of kvelta-solve.")};
};

QByteArray Pdf(PdfWriter pdfWriter, const ReportView& view, ReportLayout layout)
{
    if (!pdfWriter)
        throw KveltaError(QStringLiteral("PDF files cannot be drawn by this program"));
    return pdfWriter(BuildReportDocument(view, layout), view.caption);
}

int SolveOne(const Options& options, PdfWriter pdfWriter)
{
    const Solution solution = SolveExercise(*options.exercise, options.edits, options.activePage);
    int status = solution.fault.isEmpty() ? 0 : 1;
    if (status)
        PrintError(solution.error());
    const bool anyOutput = !options.report.isEmpty() || !options.tablesJson.isEmpty() || !options.docx.isEmpty()
                           || !options.pdf.isEmpty();
    const ReportView view = solution.view();
    const ReportLayout layout = options.exercise->report;
    try {
        if (!options.report.isEmpty() || !anyOutput) {
            const QByteArray report = TextReportBytes(view, layout);
            const bool toTerminal = options.report.isEmpty() || options.report == QLatin1String("-");
            const bool utf8 = options.utf8 || !anyOutput;
            WriteOutput(toTerminal ? QStringLiteral("-") : options.report, utf8 ? ToUtf8Lines(report) : report);
        }
        if (!options.tablesJson.isEmpty())
            WriteOutput(options.tablesJson, TablesJson(solution, options.rigorous));
        if (!options.docx.isEmpty())
            WriteOutput(options.docx, BuildDocx(view, layout));
        if (!options.pdf.isEmpty())
            WriteOutput(options.pdf, Pdf(pdfWriter, view, layout));
    } catch (const KveltaError& error) {
        PrintError(ErrorBoxText(error.text()));
        status = 1;
    }
    return status;
}

// A file name made safe from a student's name: letters and digits kept, the rest "_".
QString SafeFileName(const QString& name)
{
    QString safe;
    for (const QChar c : name.trimmed())
        safe += c.isLetterOrNumber() ? c : QLatin1Char('_');
    safe = safe.left(60);
    return safe.isEmpty() ? QStringLiteral("variant") : safe;
}

// A line with nothing on it, which a batch skips (a spreadsheet often ends its file with some).
bool BlankRow(const QStringList& row) { return row.size() == 1 && row.front().trimmed().isEmpty(); }

std::vector<QStringList> ReadVariants(const Options& options)
{
    const bool standardInput = options.batch == QLatin1String("-");
    const QString source = standardInput ? QStringLiteral("standard input") : options.batch;
    std::vector<QStringList> rows;
    try {
        const QByteArray bytes = standardInput ? ReadStandardInput() : ReadInputFile(options.batch);
        rows = ParseCsv(QString::fromUtf8(bytes));
    } catch (const FileReadError& error) {
        throw UsageError(error.text());
    } catch (const std::exception& e) {
        throw UsageError(QStringLiteral("%1: %2").arg(source, QString::fromUtf8(e.what())));
    }
    std::erase_if(rows, BlankRow);
    if (rows.empty())
        throw UsageError(QStringLiteral("%1 has no header row").arg(source));
    QStringList columns;
    for (const QString& column : rows.front()) {
        if (!options.exercise->edit(column.trimmed()))
            throw UsageError(QStringLiteral("%1 has no edit '%2'").arg(options.exercise->name, column));
        if (columns.contains(column.trimmed()))
            throw UsageError(QStringLiteral("%1 names %2 more than once").arg(source, column.trimmed()));
        columns.append(column.trimmed());
    }
    return rows;
}

// The edit a row's text would not fit in whole (an edit holds kEditMaxLength characters), as an
// error naming the field and the row; empty when every text fits.
QString TooLongText(const QStringList& header, const QStringList& row, int rowNumber)
{
    for (qsizetype c = 0; c < header.size() && c < row.size(); ++c)
        if (row[c].size() > kEditMaxLength)
            return QStringLiteral("%1 in row %2 has %3 characters; an edit holds at most %4")
                .arg(header[c].trimmed())
                .arg(rowNumber)
                .arg(row[c].size())
                .arg(kEditMaxLength);
    return {};
}

int Batch(const Options& options, PdfWriter pdfWriter)
{
    const std::vector<QStringList> rows = ReadVariants(options);
    const QStringList& header = rows.front();
    QDir dir(options.outDir);
    if (!dir.mkpath(QStringLiteral(".")))
        throw KveltaError(QStringLiteral("Cannot create folder %1").arg(options.outDir));

    QByteArray summary = CsvLine(QStringList{QStringLiteral("variant"), QStringLiteral("group"), QStringLiteral("name"),
                                             QStringLiteral("error")}
                                 + SummaryResultHeader(*options.exercise, options.rigorous));
    const int count = static_cast<int>(rows.size()) - 1;
    int failed = 0;
    for (int k = 1; k <= count; ++k) {
        const QStringList& row = rows[static_cast<std::size_t>(k)];
        const QString number = QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0'));
        if (count > 5)
            PrintError(QStringLiteral("[%1/%2]").arg(k).arg(count));
        QStringList line{number, QString(), QString(), QString()};
        if (row.size() != header.size()) {
            line[3] = QStringLiteral("the row has %1 fields, the header %2").arg(row.size()).arg(header.size());
            summary += CsvLine(line);
            ++failed;
            continue;
        }
        line[3] = TooLongText(header, row, k);
        if (!line[3].isEmpty()) {
            summary += CsvLine(line);
            ++failed;
            continue;
        }
        TypedTexts edits;
        for (qsizetype c = 0; c < header.size(); ++c)
            edits.emplace_back(header[c].trimmed(), row[c]);
        const Solution solution = SolveExercise(*options.exercise, edits);
        const ReportView view = solution.view();
        line[1] = view.group;
        line[2] = view.name;
        line[3] = solution.error();
        const QString base = dir.filePath(number + QLatin1Char('-') + SafeFileName(view.name));
        if (const std::optional<QString> error = ErrorOf([&] {
                WriteFileAtomically(base + QStringLiteral(".txt"), TextReportBytes(view, options.exercise->report),
                                    FileSync::Later);
                if (options.withPdf)
                    WriteFileAtomically(base + QStringLiteral(".pdf"), Pdf(pdfWriter, view, options.exercise->report),
                                        FileSync::Later);
            }))
            line[3] = line[3].isEmpty() ? ErrorBoxText(*error) : line[3] + QLatin1Char(' ') + ErrorBoxText(*error);
        if (!line[3].isEmpty())
            ++failed;
        summary += CsvLine(line + SummaryResultColumns(solution, options.rigorous));
    }
    WriteOutput(dir.filePath(QStringLiteral("summary.csv")), summary, FileSync::Later);
    SyncFolder(dir.path());
    return failed ? 1 : 0;
}

int Run(const QStringList& arguments, PdfWriter pdfWriter)
{
    Parser parser;
    parser.parse(arguments);
    if (parser.help()) {
        Write(stdout, parser.helpText().toUtf8());
        return 0;
    }
    if (parser.version()) {
        Write(stdout, "kvelta-solve " KVELTA_VERSION "\n");
        return 0;
    }
    if (parser.list()) {
        if (!parser.positional().isEmpty() || arguments.size() > 1)
            throw UsageError(QStringLiteral("--list takes no arguments"));
        Write(stdout, ExerciseList());
        return 0;
    }
    const Options options = parser.options();
    return options.batch.isEmpty() ? SolveOne(options, pdfWriter) : Batch(options, pdfWriter);
}

}  // namespace

bool AsksForPdf(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--pdf") || argument.startsWith(QLatin1String("--pdf="))
            || argument == QLatin1String("--with-pdf"))
            return true;
    }
    return false;
}

int RunSolveCommand(const QStringList& arguments, PdfWriter pdfWriter)
{
    try {
        return Run(arguments, pdfWriter);
    } catch (const UsageError& error) {
        PrintError(QStringLiteral("kvelta-solve: ") + QString::fromUtf8(error.what()));
        PrintError(QStringLiteral("Try 'kvelta-solve --help'."));
        return 2;
    } catch (const StreamError& error) {
        PrintError(QStringLiteral("kvelta-solve: cannot write to standard output: ") + QString::fromUtf8(error.what()));
        return 1;
    } catch (const KveltaError& error) {
        PrintError(ErrorBoxText(error.text()));
        return 1;
    } catch (const std::exception& error) {
        PrintError(QString::fromUtf8(error.what()));
        return 1;
    }
}

}  // namespace kvelta
