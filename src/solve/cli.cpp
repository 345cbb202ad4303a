#include "solve/cli.h"

#include "frame/errors.h"
#include "frame/numbers.h"
#include "frame/task_form.h"
#include "app/task_windows.h"
#include "solve/csv.h"
#include "solve/exercises.h"
#include "solve/solver.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTextStream>
#include <cstdio>

namespace kvelta {

namespace {

const char kUsage[] =
    "usage:\n"
    "  kvelta-solve --list\n"
    "  kvelta-solve EXERCISE [--decimal-separator ,|.] [--active-page N] [EditK=TEXT ...]\n"
    "               [--report FILE|-] [--utf8] [--tables-json FILE|-] [--rigorous] [--docx FILE]\n"
    "  kvelta-solve EXERCISE --batch VARIANTS.csv --out-dir DIR [--decimal-separator ,|.] [--rigorous]\n"
    "  kvelta-solve --help | --version\n";

void Print(FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void PrintError(const QString& text) { Print(stderr, (text + QLatin1Char('\n')).toUtf8()); }

struct Options {
    const Exercise* exercise = nullptr;
    Variant variant;
    QString report, tablesJson, docx, batch, outDir;
    bool utf8 = false;
    bool rigorous = false;
};

// "--name VALUE" or "--name=VALUE".
bool TakeValue(const QStringList& args, qsizetype& i, const QString& name, QString& value)
{
    const QString& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size())
            throw UsageError(QStringLiteral("%1 needs a value").arg(name));
        value = args[++i];
        return true;
    }
    if (arg.startsWith(name + QLatin1Char('='))) {
        value = arg.mid(name.size() + 1);
        return true;
    }
    return false;
}

Options ParseOptions(const QStringList& args)
{
    Options options;
    options.exercise = FindExercise(args.value(0));
    if (!options.exercise)
        throw UsageError(QStringLiteral("unknown exercise '%1' (see kvelta-solve --list)").arg(args.value(0)));
    for (qsizetype i = 1; i < args.size(); ++i) {
        QString value;
        if (TakeValue(args, i, QStringLiteral("--decimal-separator"), value)) {
            if (value != QLatin1String(",") && value != QLatin1String("."))
                throw UsageError(QStringLiteral("--decimal-separator takes , or ."));
            SetDecimalSeparator(value[0]);
        } else if (TakeValue(args, i, QStringLiteral("--active-page"), value)) {
            bool ok = false;
            options.variant.activePage = value.toInt(&ok);
            if (!ok || options.variant.activePage < 1)
                throw UsageError(QStringLiteral("--active-page takes a page number from 1"));
        } else if (TakeValue(args, i, QStringLiteral("--report"), options.report)) {
        } else if (TakeValue(args, i, QStringLiteral("--tables-json"), options.tablesJson)) {
        } else if (TakeValue(args, i, QStringLiteral("--docx"), options.docx)) {
        } else if (TakeValue(args, i, QStringLiteral("--batch"), options.batch)) {
        } else if (TakeValue(args, i, QStringLiteral("--out-dir"), options.outDir)) {
        } else if (args[i] == QLatin1String("--utf8")) {
            options.utf8 = true;
        } else if (args[i] == QLatin1String("--rigorous")) {
            options.rigorous = true;
        } else if (args[i].startsWith(QLatin1String("Edit")) && args[i].contains(QLatin1Char('='))) {
            const qsizetype eq = args[i].indexOf(QLatin1Char('='));
            options.variant.edits.emplace_back(args[i].left(eq), args[i].mid(eq + 1));
        } else {
            throw UsageError(QStringLiteral("unexpected argument '%1'").arg(args[i]));
        }
    }
    if (options.batch.isEmpty() != options.outDir.isEmpty())
        throw UsageError(QStringLiteral("--batch and --out-dir go together"));
    if (!options.batch.isEmpty()
        && (!options.variant.edits.empty() || !options.report.isEmpty() || !options.tablesJson.isEmpty()
            || !options.docx.isEmpty() || options.utf8 || options.variant.activePage != 0))
        throw UsageError(QStringLiteral("--batch takes only --out-dir, --decimal-separator and --rigorous"));
    return options;
}

// Writes bytes to a file, or to standard output for "-".
void WriteOutput(const QString& target, const QByteArray& bytes)
{
    if (target == QLatin1String("-")) {
        Print(stdout, bytes);
        return;
    }
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw KveltaError(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath())));
}

int List()
{
    QByteArray out;
    for (const Exercise& exercise : Exercises()) {
        std::unique_ptr<TaskForm> form(CreateExerciseForm(exercise));
        out += (exercise.name + QStringLiteral(" (") + exercise.className + QStringLiteral(")")).toUtf8();
        if (!form) {
            out += ": not available\n";
            continue;
        }
        out += (QStringLiteral(": ") + form->caption() + QLatin1Char('\n')).toUtf8();
        for (const QString& name : EditNames(*form)) {
            out += QStringLiteral("  %1\t%2\t%3\tdefault \"%4\"\n")
                       .arg(name, EditScreenLabel(*form, name), EditMeaning(exercise, *form, name),
                            form->edit(name)->text())
                       .toUtf8();
        }
    }
    Print(stdout, out);
    return 0;
}

int SolveOne(const Options& options)
{
    const Solution solution = Solve(*options.exercise, options.variant);
    int status = solution.error.isEmpty() ? 0 : 1;
    if (!solution.error.isEmpty())
        PrintError(solution.error);
    const bool anyOutput = !options.report.isEmpty() || !options.tablesJson.isEmpty() || !options.docx.isEmpty();
    try {
        if (!options.report.isEmpty() || !anyOutput) {
            if (options.report.isEmpty() || options.report == QLatin1String("-")) {
                const QByteArray report = TextReport(*solution.form);
                WriteOutput(QStringLiteral("-"), options.utf8 || !anyOutput ? ToUtf8Lines(report) : report);
            } else if (options.utf8) {
                WriteOutput(options.report, ToUtf8Lines(TextReport(*solution.form)));
            } else {
                SaveTextReport(*solution.form, options.report);
            }
        }
        if (!options.tablesJson.isEmpty())
            WriteOutput(options.tablesJson, TablesJson(*options.exercise, solution, options.rigorous));
        if (!options.docx.isEmpty())
            SaveWordDocument(*solution.form, options.docx);
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

int Batch(const Options& options)
{
    QFile input(options.batch);
    if (!input.open(QIODevice::ReadOnly))
        throw UsageError(QStringLiteral("cannot read %1").arg(options.batch));
    std::vector<QStringList> rows;
    try {
        rows = ParseCsv(QString::fromUtf8(input.readAll()));
    } catch (const std::exception& e) {
        throw UsageError(QStringLiteral("%1: %2").arg(options.batch, QString::fromUtf8(e.what())));
    }
    if (rows.empty())
        throw UsageError(QStringLiteral("%1 has no header row").arg(options.batch));
    const QStringList header = rows.front();
    {
        std::unique_ptr<TaskForm> form(CreateExerciseForm(*options.exercise));
        const QStringList names = form ? EditNames(*form) : QStringList();
        for (const QString& column : header)
            if (!names.contains(column.trimmed()))
                throw UsageError(QStringLiteral("%1 has no edit '%2'").arg(options.exercise->name, column));
    }
    QDir dir(options.outDir);
    if (!dir.mkpath(QStringLiteral(".")))
        throw KveltaError(QStringLiteral("Cannot create folder %1").arg(options.outDir));

    QStringList summaryHeader{QStringLiteral("variant"), QStringLiteral("group"), QStringLiteral("name"),
                              QStringLiteral("error")};
    for (const FinalResult& result : options.exercise->results)
        summaryHeader.append(result.name);
    const QStringList rigorousQuantities = options.rigorous ? RigorousQuantities(*options.exercise) : QStringList();
    for (const QString& quantity : rigorousQuantities)
        summaryHeader << quantity + QStringLiteral(" строгое") << quantity + QStringLiteral(" разность");
    QByteArray summary = CsvLine(summaryHeader);

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
        Variant variant;
        for (qsizetype c = 0; c < header.size(); ++c)
            variant.edits.emplace_back(header[c].trimmed(), row[c]);
        const Solution solution = Solve(*options.exercise, variant);
        line[1] = solution.form->group();
        line[2] = solution.form->studentName();
        line[3] = solution.error;
        try {
            SaveTextReport(*solution.form, dir.filePath(number + QLatin1Char('-') + SafeFileName(line[2]) + QStringLiteral(".txt")));
        } catch (const KveltaError& error) {
            line[3] = line[3].isEmpty() ? ErrorBoxText(error.text()) : line[3] + QLatin1Char(' ') + ErrorBoxText(error.text());
        }
        if (!line[3].isEmpty())
            ++failed;
        for (const FinalResult& result : options.exercise->results)
            line.append(FinalResultText(solution, result));
        if (options.rigorous)
            line += RigorousColumns(solution, rigorousQuantities);
        summary += CsvLine(line);
    }
    WriteOutput(dir.filePath(QStringLiteral("summary.csv")), summary);
    return failed ? 1 : 0;
}

}  // namespace

int RunSolveCommand(const QStringList& arguments)
{
    try {
        if (arguments.isEmpty())
            throw UsageError(QStringLiteral("no exercise given"));
        if (arguments.front() == QLatin1String("--help") || arguments.front() == QLatin1String("-h")) {
            Print(stdout, kUsage);
            return 0;
        }
        if (arguments.front() == QLatin1String("--version")) {
            Print(stdout, "kvelta-solve " KVELTA_VERSION "\n");
            return 0;
        }
        if (arguments.front() == QLatin1String("--list")) {
            if (arguments.size() > 1)
                throw UsageError(QStringLiteral("--list takes no arguments"));
            return List();
        }
        const Options options = ParseOptions(arguments);
        return options.batch.isEmpty() ? SolveOne(options) : Batch(options);
    } catch (const UsageError& error) {
        PrintError(QStringLiteral("kvelta-solve: ") + QString::fromUtf8(error.what()));
        Print(stderr, kUsage);
        return 2;
    } catch (const KveltaError& error) {
        PrintError(ErrorBoxText(error.text()));
        return 1;
    } catch (const std::exception& error) {
        PrintError(QString::fromUtf8(error.what()));
        return 1;
    }
}

}  // namespace kvelta
