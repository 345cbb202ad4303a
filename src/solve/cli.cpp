#include "solve/cli.h"

#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/edit_names.h"
#include "frame/errors.h"
#include "frame/inputs.h"
#include "frame/numbers.h"
#include "reports/report_file.h"
#include "reports/text_report.h"
#include "reports/word_report.h"
#include "instructor/batch.h"
#include "instructor/csv.h"
#include "instructor/instructor.h"
#include "instructor/moodle_quiz.h"
#include "instructor/task_cards.h"
#include "instructor/outputs.h"
#include "instructor/spreadsheet.h"
#include "instructor/table_files.h"
#include "instructor/xlsx_writer.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvelta {

namespace {

const char kForms[] =
    "Kvelta's exercises without a screen: the same tables and reports as the windows.\n"
    "\n"
    "  kvelta-solve --list\n"
    "  kvelta-solve EXERCISE [--decimal-separator ,|.] [--active-page N] [--example] [NAME=TEXT ...]\n"
    "               [--report FILE|-] [--utf8] [--tables-json FILE|-] [--rigorous] [--docx FILE]\n"
    "               [--pdf FILE|-]\n"
    "  kvelta-solve EXERCISE --batch VARIANTS.csv|- --out-dir DIR [--keys DIR [--no-pdf]] [--moodle QUIZ.xml]\n"
    "               [--cards DIR [--cards-per-page 1|2|4]]\n"
    "               [--decimal-separator ,|.] [--input-encoding utf-8|windows-1251] [--rigorous] [--with-pdf]\n"
    "  kvelta-solve EXERCISE --make-variants N [--seed S] [--students FILE] [--out FILE]\n"
    "  kvelta-solve EXERCISE --grade ANSWERS.csv --out-dir DIR [--tolerance NAME=VALUE ...]\n"
    "  (the files read may be CSV, .xlsx or .ods; --sheet NAME picks a workbook's sheet;\n"
    "   --xlsx writes the tables written as .xlsx workbooks too)\n"
    "  kvelta-solve --help | --version";

// Whether two names lead to one existing file (a link, another spelling of the path).
bool SameFile(const QString& first, const QString& second)
{
    struct stat a, b;
    return !second.isEmpty() && second != QLatin1String("-") && ::stat(QFile::encodeName(first).constData(), &a) == 0
           && ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether two names are one folder, existing or still to be made.
bool SameFolder(const QString& first, const QString& second)
{
    return SameFile(first, second)
           || QDir::cleanPath(QDir(first).absolutePath()) == QDir::cleanPath(QDir(second).absolutePath());
}

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

bool standardOutputClosed = false;

void Write(FILE* stream, const QByteArray& bytes)
{
    if (stream == stdout && standardOutputClosed)
        throw StreamError("it is closed");
    if (std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()), stream) != static_cast<size_t>(bytes.size())
        || std::fflush(stream) != 0) {
        throw StreamError(std::strerror(errno));
    }
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

// The options of an instructor's work: variants for a group, answer keys, marking.
struct InstructorOptions {
    std::optional<int> variants;  // --make-variants N
    quint32 seed = kDefaultVariantSeed;
    QString students, out, keys, grade, sheet, moodle, cards;
    int cardsPerPage = 2;
    InputEncoding encoding = InputEncoding::Detect;
    bool decimalGiven = false;
    bool keysPdf = true;  // --keys draws PDF files too, unless --no-pdf
    bool xlsx = false;    // the tables as .xlsx workbooks too
    Tolerances tolerances;

    SheetReading reading(bool answers) const { return {encoding, decimalGiven, answers, sheet}; }
    // The folder of the answer keys, made when missing; nothing without --keys.
    std::optional<QDir> keysDir() const
    {
        if (keys.isEmpty())
            return std::nullopt;
        QDir dir(keys);
        if (!dir.mkpath(QStringLiteral(".")))
            throw KveltaError(QStringLiteral("Cannot create folder %1").arg(keys));
        return dir;
    }
};

class InstructorParser {
public:
    void add(QCommandLineParser& parser) const
    {
        parser.addOptions({variants_, seed_, students_, out_, keys_, noPdf_, grade_, encoding_, tolerance_, sheet_, xlsx_, moodle_, cards_, cardsPerPage_});
    }

    // The name of an option that names a file but was given an empty name; empty when none is.
    QString emptyName(const QCommandLineParser& parser) const
    {
        for (const QCommandLineOption* option : {&students_, &out_, &keys_, &grade_})
            if (parser.isSet(*option) && parser.value(*option).isEmpty())
                return option->names().constLast();
        return {};
    }

    // The name of a single-valued option given more than once; empty when none is.
    QString repeated(const QCommandLineParser& parser) const
    {
        for (const QCommandLineOption* option : {&variants_, &seed_, &students_, &out_, &keys_, &grade_, &encoding_, &sheet_, &moodle_, &cards_, &cardsPerPage_})
            if (parser.values(*option).size() > 1)
                return option->names().constLast();
        return {};
    }

    InstructorOptions read(const QCommandLineParser& parser, const Exercise& exercise, bool decimalGiven) const
    {
        InstructorOptions options;
        if (parser.isSet(variants_)) {
            bool ok = false;
            options.variants = parser.value(variants_).toInt(&ok);
            if (!ok || *options.variants < 1 || *options.variants > 100000)
                throw UsageError(QStringLiteral("--make-variants takes a number of variants from 1 to 100000"));
        }
        if (parser.isSet(seed_)) {
            bool ok = false;
            options.seed = parser.value(seed_).toUInt(&ok);
            if (!ok)
                throw UsageError(QStringLiteral("--seed takes a whole number from 0 to 4294967295"));
        }
        options.students = parser.value(students_);
        options.out = parser.value(out_);
        options.keys = parser.value(keys_);
        options.keysPdf = !parser.isSet(noPdf_);
        options.grade = parser.value(grade_);
        options.sheet = parser.value(sheet_);
        options.xlsx = parser.isSet(xlsx_);
        options.moodle = parser.value(moodle_);
        options.cards = parser.value(cards_);
        if (parser.isSet(cardsPerPage_)) {
            options.cardsPerPage = parser.value(cardsPerPage_).toInt();
            if (options.cardsPerPage != 1 && options.cardsPerPage != 2 && options.cardsPerPage != 4)
                throw UsageError(QStringLiteral("--cards-per-page takes 1, 2 or 4"));
        }
        options.decimalGiven = decimalGiven;
        if (parser.isSet(encoding_)) {
            const QString encoding = parser.value(encoding_).toLower();
            if (encoding == QLatin1String("utf-8") || encoding == QLatin1String("utf8"))
                options.encoding = InputEncoding::Utf8;
            else if (encoding == QLatin1String("windows-1251") || encoding == QLatin1String("cp1251"))
                options.encoding = InputEncoding::Windows1251;
            else
                throw UsageError(QStringLiteral("--input-encoding takes utf-8 or windows-1251"));
        }
        for (const QString& tolerance : parser.values(tolerance_)) {
            const qsizetype equals = tolerance.lastIndexOf(QLatin1Char('='));
            const QString name = tolerance.left(equals);
            bool ok = false;
            const double value = QString(tolerance.mid(equals + 1)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            const bool known = std::any_of(exercise.results.begin(), exercise.results.end(),
                                           [&](const ResultQuantity& result) { return result.name == name; });
            if (equals <= 0 || !ok || !std::isfinite(value) || value < 0 || !known)
                throw UsageError(QStringLiteral("--tolerance takes NAME=VALUE, NAME a result of %1 as summary.csv "
                                                "heads it, VALUE a finite number not negative: '%2'")
                                     .arg(exercise.name, tolerance));
            options.tolerances[name] = value;
        }
        return options;
    }

    // Each of the instructor's commands takes only its own options.
    void checkCombination(const QCommandLineParser& parser, bool batch, bool single) const
    {
        const bool variants = parser.isSet(variants_), grade = parser.isSet(grade_);
        if (variants + grade + batch > 1)
            throw UsageError(QStringLiteral("--make-variants, --batch and --grade do not go together"));
        if ((variants || grade) && single)
            throw UsageError(QStringLiteral("--make-variants and --grade take no edits, reports or --rigorous"));
        for (const QCommandLineOption* option : {&seed_, &students_, &out_})
            if (parser.isSet(*option) && !variants)
                throw UsageError(QStringLiteral("--%1 goes with --make-variants").arg(option->names().constLast()));
        if (parser.isSet(keys_) && !batch)
            throw UsageError(QStringLiteral("--keys goes with --batch"));
        if (parser.isSet(noPdf_) && !parser.isSet(keys_))
            throw UsageError(QStringLiteral("--no-pdf goes with --keys"));
        if (parser.isSet(tolerance_) && !grade)
            throw UsageError(QStringLiteral("--tolerance goes with --grade"));
        if (parser.isSet(encoding_) && !batch && !grade && !parser.isSet(students_))
            throw UsageError(QStringLiteral("--input-encoding goes with --batch, --grade or --students"));
        const QString out = parser.value(out_);
        if (parser.isSet(xlsx_) && !batch && !grade && (!variants || out.isEmpty() || out == QLatin1String("-")))
            throw UsageError(QStringLiteral("--xlsx goes with --batch, --grade or --make-variants --out FILE"));
        if ((parser.isSet(moodle_) || parser.isSet(cards_)) && !batch)
            throw UsageError(QStringLiteral("--moodle and --cards go with --batch"));
        if (parser.isSet(cardsPerPage_) && !parser.isSet(cards_))
            throw UsageError(QStringLiteral("--cards-per-page goes with --cards"));
        if (parser.isSet(sheet_) && !batch && !grade && !parser.isSet(students_))
            throw UsageError(QStringLiteral("--sheet goes with --batch, --grade or --students"));
    }

private:
    static QCommandLineOption Value(const char* name, const char* description, const char* value)
    {
        return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description), QString::fromLatin1(value));
    }

    QCommandLineOption variants_ = Value("make-variants", "Write N individual variants as a batch CSV.", "N");
    QCommandLineOption seed_ = Value("seed", "The seed of the variants (default 1): the same seed, the same variants.", "S");
    QCommandLineOption students_ =
        Value("students", "A class list, one student a line: group;name (or group,name); the variants follow it.", "FILE");
    QCommandLineOption out_ = Value("out", "Where the variants go (default: standard output).", "FILE");
    QCommandLineOption keys_ =
        Value("keys", "Answer keys of a batch: NNN-group-name.txt, .docx and .pdf for each variant, "
              "and answer-book.pdf of them all.", "DIR");
    QCommandLineOption noPdf_{QStringLiteral("no-pdf"),
                              QStringLiteral("With --keys: no PDF files, only .txt and .docx (starts faster).")};
    QCommandLineOption grade_ =
        Value("grade", "Mark the answers in the result columns of a variants file; writes grades.csv and grades.txt.",
              "ANSWERS.csv");
    QCommandLineOption encoding_ =
        Value("input-encoding", "The encoding of the files read (default: UTF-8 when valid, else Windows-1251).",
              "utf-8|windows-1251");
    QCommandLineOption cards_ =
        Value("cards", "With --batch: a task card per variant (NNN-group-name.pdf) and cards.pdf of them all.", "DIR");
    QCommandLineOption cardsPerPage_ = Value("cards-per-page", "Cards on a page of cards.pdf (default 2).", "1|2|4");
    QCommandLineOption moodle_ =
        Value("moodle", "With --batch: every variant as a Cloze question of a Moodle XML quiz (angles in degrees).",
              "QUIZ.xml");
    QCommandLineOption xlsx_{QStringLiteral("xlsx"),
                             QStringLiteral("Write summary.xlsx, grades.xlsx or the variants' .xlsx beside the CSV file.")};
    QCommandLineOption sheet_ =
        Value("sheet", "The sheet of an .xlsx or .ods file read (default: the first).", "NAME");
    QCommandLineOption tolerance_ = Value(
        "tolerance", "The tolerance of a result (default: one unit in the last place printed; angles in seconds).",
        "NAME=VALUE");
};

struct Options {
    const Exercise* exercise = nullptr;
    TypedTexts edits;
    int activePage = 0;  // 0-based
    QString report, tablesJson, docx, pdf, batch, outDir;
    bool utf8 = false;
    bool withPdf = false;
    bool rigorous = false;
    InstructorOptions instructor;
};

class Parser {
public:
    Parser()
    {
        parser_.setApplicationDescription(QString::fromUtf8(kForms));
        parser_.addOptions({list_, separator_, activePage_, example_, report_, utf8_, tablesJson_, rigorous_, docx_,
                            pdf_, batch_, outDir_, withPdf_, help_, version_});
        instructor_.add(parser_);
        parser_.addPositionalArgument(QStringLiteral("EXERCISE"), QStringLiteral("exercise name (see --list)"));
        parser_.addPositionalArgument(QStringLiteral("NAME=TEXT"),
                                      QStringLiteral("an input by its name (B1=51°38′44,0822″, s=50000; see --list) "
                                                     "or an edit's text (Edit3=51)"),
                                      QStringLiteral("[NAME=TEXT ...]"));
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
        if (const QString repeated = instructor_.repeated(parser_); !repeated.isEmpty())
            throw UsageError(QStringLiteral("--%1 is given more than once").arg(repeated));
        for (const QCommandLineOption* option : {&report_, &tablesJson_, &docx_, &pdf_, &batch_, &outDir_})
            if (parser_.isSet(*option) && parser_.value(*option).isEmpty())
                throw UsageError(QStringLiteral("--%1 takes a file name, not an empty one").arg(option->names().constLast()));
        if (const QString empty = instructor_.emptyName(parser_); !empty.isEmpty())
            throw UsageError(QStringLiteral("--%1 takes a file name, not an empty one").arg(empty));
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
        options.instructor = instructor_.read(parser_, *options.exercise, parser_.isSet(separator_));
        const bool batch = !options.batch.isEmpty(), grade = !options.instructor.grade.isEmpty();
        if (batch && options.outDir.isEmpty() && options.instructor.keys.isEmpty() && options.instructor.moodle.isEmpty()
            && options.instructor.cards.isEmpty())
            throw UsageError(QStringLiteral("--batch and --out-dir go together"));
        if (grade && options.outDir.isEmpty())
            throw UsageError(QStringLiteral("--grade and --out-dir go together"));
        if (!options.outDir.isEmpty() && !batch && !grade)
            throw UsageError(QStringLiteral("--out-dir goes with --batch or --grade"));
        if (batch && options.outDir.isEmpty())
            options.outDir = options.instructor.keys;
        // The cards' run would take the reports or keys for an earlier run's, and their names clash.
        for (const QString& folder : {options.outDir, options.instructor.keys})
            if (!options.instructor.cards.isEmpty() && !folder.isEmpty() && SameFolder(options.instructor.cards, folder))
                throw UsageError(QStringLiteral("--cards needs a folder of its own, not %1").arg(folder));
        const bool single = !options.edits.empty() || !options.report.isEmpty() || !options.tablesJson.isEmpty()
                            || !options.docx.isEmpty() || options.utf8 || parser_.isSet(activePage_);
        instructor_.checkCombination(parser_, batch, single || options.rigorous);
        if (!options.batch.isEmpty()
            && (!options.edits.empty() || parser_.isSet(example_) || !options.report.isEmpty()
                || !options.tablesJson.isEmpty() || !options.docx.isEmpty() || !options.pdf.isEmpty() || options.utf8
                || parser_.isSet(activePage_)))
            throw UsageError(QStringLiteral("--batch takes only --out-dir, --keys, --decimal-separator, --input-encoding, "
                                            "--sheet, --xlsx, --moodle, --cards, --rigorous and --with-pdf"));
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

    // The texts NAME=TEXT arguments type: NAME an edit ("Edit3"), an input's short name ("B1",
    // an angle in one text) or a part of an angle ("B1.sec").
    static TypedTexts edits(const Exercise& exercise, const QStringList& args)
    {
        static const QRegularExpression editArgument(QStringLiteral("^([^=]+)=(.*)$"),
                                                     QRegularExpression::DotMatchesEverythingOption);
        TypedTexts edits;
        for (const QString& arg : args) {
            const QRegularExpressionMatch m = editArgument.match(arg);
            if (!m.hasMatch())
                throw UsageError(QStringLiteral("unexpected argument '%1'").arg(arg));
            const QString name = m.captured(1);
            if (EditsNamed(exercise.edits, name).empty())
                throw UsageError(name.startsWith(QLatin1String("Edit"))
                                     ? QStringLiteral("%1 has no edit %2").arg(exercise.name, name)
                                     : QStringLiteral("%1 has no input %2 (kvelta-solve --list shows the names)")
                                           .arg(exercise.name, name));
            if (m.capturedLength(2) > kEditMaxLength)
                throw UsageError(QStringLiteral("%1 has %2 characters; an edit holds at most %3")
                                     .arg(name)
                                     .arg(m.capturedLength(2))
                                     .arg(kEditMaxLength));
            TypedTexts texts;
            try {
                texts = TextsOfNamedValue(exercise.edits, name, m.captured(2));
            } catch (const NameError& error) {
                throw UsageError(error.text());
            }
            for (const auto& text : texts) {
                for (const auto& typed : edits)
                    if (typed.first == text.first)
                        throw UsageError(text.first == name ? QStringLiteral("%1 is given more than once").arg(name)
                                                            : QStringLiteral("%1 is given more than once (in %2)")
                                                                  .arg(text.first, name));
                edits.push_back(text);
            }
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
    InstructorParser instructor_;
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

void RequirePdfWriter(PdfWriter pdfWriter)
{
    if (!pdfWriter)
        throw KveltaError(QStringLiteral("PDF files cannot be drawn by this program"));
}

QByteArray Pdf(PdfWriter pdfWriter, std::span<const WordDocument> documents, const QString& title)
{
    RequirePdfWriter(pdfWriter);
    return pdfWriter(documents, title);
}

QByteArray Pdf(PdfWriter pdfWriter, const WordDocument& document, const QString& title)
{
    return Pdf(pdfWriter, {&document, 1}, title);
}

QByteArray Pdf(PdfWriter pdfWriter, const ReportView& view, ReportLayout layout)
{
    return Pdf(pdfWriter, BuildReportDocument(view, layout), view.caption);
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
            const bool toTerminal = options.report.isEmpty() || options.report == QLatin1String("-");
            const bool utf8 = options.utf8 || !anyOutput;
            WriteOutput(toTerminal ? QStringLiteral("-") : options.report,
                        utf8 ? TextReportUtf8Bytes(view, layout) : TextReportBytes(view, layout));
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

VariantSheet ReadVariants(const Options& options, const QString& fileName, bool answers = false)
{
    const bool standardInput = fileName == QLatin1String("-");
    const QString source = standardInput ? QStringLiteral("standard input") : fileName;
    try {
        const QByteArray bytes = standardInput ? ReadStandardInput() : ReadInputFile(fileName);
        return ReadVariantSheet(bytes, *options.exercise, options.instructor.reading(answers));
    } catch (const FileReadError& error) {
        throw UsageError(error.text());
    } catch (const SpreadsheetError& e) {
        throw UsageError(QStringLiteral("%1: %2").arg(source, QString::fromUtf8(e.what())));
    }
}

// The task cards and the Moodle quiz of a batch, as asked; returns how many variants have none.
int WriteHandouts(const Options& options, const VariantSheet& sheet, PdfWriter pdfWriter)
{
    int missing = 0;
    if (!options.instructor.cards.isEmpty()) {
        RequirePdfWriter(pdfWriter);
        const int skipped = WriteTaskCards(*options.exercise, sheet, QDir(options.instructor.cards),
                                           options.instructor.cardsPerPage, pdfWriter);
        if (skipped)
            PrintError(QStringLiteral("%1 rows do not fit the header: they have no card").arg(skipped));
        missing += skipped;
    }
    if (!options.instructor.moodle.isEmpty()) {
        int skipped = 0;
        WriteOutput(options.instructor.moodle, MoodleQuizOf(*options.exercise, sheet, skipped));
        if (skipped)
            PrintError(QStringLiteral("%1: %2 variants have no question: their rows do not fit the header or they do "
                                      "not compute")
                           .arg(options.instructor.moodle)
                           .arg(skipped));
        missing += skipped;
    }
    return missing;
}

int Batch(const Options& options, PdfWriter pdfWriter, PdfBookStarter startBook)
{
    const VariantSheet sheet = ReadVariants(options, options.batch);
    const int missingHandouts = WriteHandouts(options, sheet, pdfWriter);
    if (options.outDir.isEmpty())
        return missingHandouts ? 1 : 0;
    const bool keyPdfs = !options.instructor.keys.isEmpty() && options.instructor.keysPdf;
    if (keyPdfs || options.withPdf)
        RequirePdfWriter(pdfWriter);  // refused before anything is written
    BatchTargets targets{QDir(options.outDir), options.instructor.keysDir(), keyPdfs, options.withPdf,
                         options.rigorous, pdfWriter, options.instructor.xlsx, startBook};
    if (!targets.reports.mkpath(QStringLiteral(".")))
        throw KveltaError(QStringLiteral("Cannot create folder %1").arg(options.outDir));
    BatchEvents events;
    if (sheet.rows.size() > 5)
        events.progressed = [](int done, int total) { PrintError(QStringLiteral("[%1/%2]").arg(done).arg(total)); };
    events.failed = events.variantFailed = PrintError;
    return RunBatch(*options.exercise, sheet, targets, events) || missingHandouts ? 1 : 0;
}

int MakeVariantsCommand(const Options& options)
{
    const InstructorOptions& instructor = options.instructor;
    std::vector<Student> students;
    if (!instructor.students.isEmpty()) {
        if (SameFile(instructor.students, instructor.out))
            throw UsageError(QStringLiteral("--students and --out name the same file %1: the class list would be "
                                            "replaced by the variants").arg(instructor.students));
        try {
            students = ReadStudents(ReadInputFile(instructor.students), instructor.encoding, instructor.sheet);
        } catch (const FileReadError& error) {
            throw UsageError(error.text());
        } catch (const SpreadsheetError& e) {
            throw UsageError(QStringLiteral("%1: %2").arg(instructor.students, QString::fromUtf8(e.what())));
        }
        if (static_cast<int>(students.size()) > *instructor.variants)
            throw UsageError(QStringLiteral("%1 lists %2 students, more than %3 variants")
                                 .arg(instructor.students)
                                 .arg(students.size())
                                 .arg(*instructor.variants));
    }
    const QByteArray variants = MakeVariants(*options.exercise, *instructor.variants, instructor.seed, students);
    // A file gets a byte order mark, so that a spreadsheet opens its names as UTF-8.
    WriteOutput(instructor.out.isEmpty() ? QStringLiteral("-") : instructor.out,
                instructor.out.isEmpty() || instructor.out == QLatin1String("-") ? variants : kUtf8ByteOrderMark + variants);
    if (instructor.xlsx)
        WriteOutput(XlsxPathFor(instructor.out), WriteXlsx(ReadTableFile(variants), QStringLiteral("variants")));
    return 0;
}

int GradeCommand(const Options& options)
{
    const VariantSheet sheet = ReadVariants(options, options.instructor.grade, true);
    QDir dir(options.outDir);
    if (!dir.mkpath(QStringLiteral(".")))
        throw KveltaError(QStringLiteral("Cannot create folder %1").arg(options.outDir));
    try {
        GradeAnswers(*options.exercise, sheet, options.instructor.tolerances, dir, options.instructor.grade,
                     options.instructor.xlsx);
    } catch (const SpreadsheetError& e) {
        throw UsageError(QStringLiteral("%1: %2").arg(options.instructor.grade, QString::fromUtf8(e.what())));
    }
    return 0;
}

int Run(const QStringList& arguments, PdfWriter pdfWriter, PdfBookStarter startBook)
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
    if (options.instructor.variants)
        return MakeVariantsCommand(options);
    if (!options.instructor.grade.isEmpty())
        return GradeCommand(options);
    return options.batch.isEmpty() ? SolveOne(options, pdfWriter) : Batch(options, pdfWriter, startBook);
}

}  // namespace

void NoteClosedStandardOutput()
{
    if (::fcntl(STDOUT_FILENO, F_GETFD) >= 0)
        return;
    standardOutputClosed = true;
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0 && null != STDOUT_FILENO) {
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
}

bool AsksForPdf(const QStringList& arguments)
{
    bool keys = false, noPdf = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--pdf") || argument.startsWith(QLatin1String("--pdf="))
            || argument == QLatin1String("--with-pdf") || argument == QLatin1String("--cards")
            || argument.startsWith(QLatin1String("--cards=")))
            return true;
        keys = keys || argument == QLatin1String("--keys") || argument.startsWith(QLatin1String("--keys="));
        noPdf = noPdf || argument == QLatin1String("--no-pdf");
    }
    return keys && !noPdf;
}

int RunSolveCommand(const QStringList& arguments, PdfWriter pdfWriter, PdfBookStarter startBook)
{
    try {
        return Run(arguments, pdfWriter, startBook);
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
