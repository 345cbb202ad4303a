#include "reports/text_report.h"

#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "ellipsoid/exercises.h"
#include "frame/errors.h"
#include "reports/report_file.h"
#include "reports/windows1251.h"
#include "support/kvelta_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <iconv.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvelta {
namespace {

using test::Str;

// The expected bytes of a file given as UTF-8 text with "\n" line ends, converted strictly by
// iconv as a whole (any unmappable character fails the test).
QByteArray FileBytes(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    utf8.replace("\n", "\r\n");
    iconv_t cd = iconv_open("WINDOWS-1251", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    QByteArray out(utf8.size(), '\0');
    char* in = utf8.data();
    std::size_t inLeft = static_cast<std::size_t>(utf8.size());
    char* o = out.data();
    std::size_t outLeft = static_cast<std::size_t>(out.size());
    EXPECT_EQ(iconv(cd, &in, &inLeft, &o, &outLeft), 0u) << text.toStdString();
    iconv_close(cd);
    out.resize(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << Str(path);
    return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// The message of the error a save raises ("" when it succeeds).
QString SaveError(const ReportView& view, const QString& path, ReportLayout layout = ReportLayout::Common)
{
    try {
        WriteTextReport(view, path, layout);
    } catch (const KveltaError& e) {
        return e.text();
    }
    return QString();
}

ResultTable Table(int columns, int rows, const QStringList& cellsByRow)
{
    ResultTable t(columns, rows);
    for (int i = 0; i < cellsByRow.size(); ++i)
        t.setLabel(i % columns, i / columns, cellsByRow[i]);
    return t;
}

ReportView View(std::vector<const ResultTable*> tables, QString group = QStringLiteral("G"),
                QString name = QStringLiteral("N"))
{
    ReportView view{QStringLiteral("Окно"), std::move(group), std::move(name), {}, tables.size() > 1 ? 0 : -1};
    for (std::size_t i = 0; i < tables.size(); ++i)
        view.tables.push_back({QStringLiteral("StringGrid%1").arg(i + 1), QString::number(i + 1), tables[i]});
    return view;
}

const QString kHeader = QStringLiteral("Окно\n\nСт. гр. G\n\nФ.И.О. N\n\n");

// Files written into a fresh folder that is removed afterwards.
class TextReportFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
    QTemporaryDir dir;
};

TEST(GridToText, TwoColumnExample)
{
    const ResultTable t = Table(2, 2, {"Формула", "Результат", "a", "6378245.0"});
    EXPECT_EQ(Str(GridToText(t)), "-------------------\r"
                                   "|Формула|Результат|\r"
                                   "-------------------\r"
                                   "|a      |6378245.0|\r"
                                   "-------------------\r");
    QString rule = QStringLiteral("x");
    AppendRuleLine(rule, 3);
    EXPECT_EQ(Str(rule), "x----\r");
}

TEST(GridToText, WidthsCountOneBytePerCharacterAndEmptyColumnsAreZeroWide)
{
    // "中", "✓" and an emoji are written as one "?" each, so they are one byte wide.
    const ResultTable t = Table(3, 2, {"中✓", "", "ё", QString::fromUtf8("\xF0\x9F\x98\x80") + "z", "", "№°"});
    EXPECT_EQ(Str(GridToText(t)), "--------\r"
                                   "|中✓||ё |\r"
                                   "--------\r"
                                   "|\xF0\x9F\x98\x80z||№°|\r"
                                   "--------\r");
    const ResultTable none(0, 1);
    EXPECT_EQ(Str(GridToText(none)), "-\r|\r-\r");
}

TEST(Windows1251, BytesOfCharacters)
{
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("°"), "\xB0"},
        {QStringLiteral("№"), "\xB9"},
        {QStringLiteral("Формула"), "\xD4\xEE\xF0\xEC\xF3\xEB\xE0"},
        {QStringLiteral("ЁёЯя"), "\xA8\xB8\xDF\xFF"},
        {QStringLiteral("€«»—"), "\x88\xAB\xBB\x97"},
        {QStringLiteral("a✓b中c"), "a?b?c"},
        {QString::fromUtf8("\xF0\x9F\x98\x80!"), "?!"},
        {QString(QChar(0xD800)) + QChar(u'x'), "?x"},
        {QString(QChar(0xDC00)) + QChar(0xD800), "??"},
        {QStringLiteral("Ω"), "?"},
        {QString(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToWindows1251(c.text).toHex().toStdString(), c.bytes.toHex().toStdString()) << Str(c.text);
        EXPECT_EQ(Windows1251Length(c.text), c.bytes.size()) << Str(c.text);
    }
}

TEST(TextReport, MeridianArcWindowBeforeComputing)
{
    QTemporaryDir dir;
    const Exercise& exercise = MeridianArcExercise();
    const ExerciseTables tables(exercise);
    const ReportView view{exercise.caption, QStringLiteral("ГК-21"), QStringLiteral("Иванов И. И."),
                          {{QStringLiteral("StringGrid1"), QString(), &tables[0]}}, -1};
    const QString file = dir.filePath(QStringLiteral("arc.txt"));
    WriteTextReport(view, file, exercise.report);
    const QByteArray expected = FileBytes(QStringLiteral(
        "Вычисление дуги меридианов\n"
        "\n"
        "Ст. гр. ГК-21\n"
        "\n"
        "Ф.И.О. Иванов И. И.\n"
        "\n"
        "\n"
        "------------------------------------------------------\n"
        "|Формула       |Результат|Формула          |Результат|\n"
        "------------------------------------------------------\n"
        "|a             |         |0.25e^2sin^2Bcp  |         |\n"
        "------------------------------------------------------\n"
        "|e^2           |         |1.25e^2sin^2B1   |         |\n"
        "------------------------------------------------------\n"
        "|a(1-e^2)      |         |1.25e^2sin^2B2   |         |\n"
        "------------------------------------------------------\n"
        "|1/6Ro         |         |1.25e^2sin^2Bcp  |         |\n"
        "------------------------------------------------------\n"
        "|B2            |         |1+0.25e^2sin^2B1 |         |\n"
        "------------------------------------------------------\n"
        "|B1            |         |1+0.25e^2sin^2B2 |         |\n"
        "------------------------------------------------------\n"
        "|Bcp           |         |1+0.25e^2sin^2Bcp|         |\n"
        "------------------------------------------------------\n"
        "|0.25e^2       |         |1-1.25e^2sin^2B1 |         |\n"
        "------------------------------------------------------\n"
        "|1.25e^2       |         |1-1.25e^2sin^2B2 |         |\n"
        "------------------------------------------------------\n"
        "|sinB1         |         |1-1.25e^2sin^2Bcp|         |\n"
        "------------------------------------------------------\n"
        "|SinB2         |         |M1               |         |\n"
        "------------------------------------------------------\n"
        "|SinBcp        |         |M2               |         |\n"
        "------------------------------------------------------\n"
        "|Sin^2B1       |         |Mcp              |         |\n"
        "------------------------------------------------------\n"
        "|Sin^2B2       |         |(B2-B1)\"         |         |\n"
        "------------------------------------------------------\n"
        "|Sin^2Bcp      |         |(B2-B1)\"/6Ro     |         |\n"
        "------------------------------------------------------\n"
        "|0.25e^2sin^2B1|         |S, м             |         |\n"
        "------------------------------------------------------\n"
        "|0.25e^2sin^2B2|         |                 |         |\n"
        "------------------------------------------------------\n"));
    const QByteArray actual = ReadFile(file);
    EXPECT_EQ(actual.toStdString(), expected.toStdString());
    EXPECT_EQ(actual.count("\r\n"), 7 + 37);
    EXPECT_EQ(actual.count('\n'), 7 + 37);
    EXPECT_TRUE(actual.endsWith("-\r\n"));

    // The same window saved again over the first file gives the same bytes.
    WriteTextReport(view, file, exercise.report);
    EXPECT_EQ(ReadFile(file), actual);
}

TEST(TextReport, MeridianArcWindowComputedInBothLocales)
{
    // "#" stands for the decimal separator of the values.
    const QString table = QStringLiteral(
        "-------------------------------------------------------------------\n"
        "|Формула       |Результат      |Формула          |Результат       |\n"
        "-------------------------------------------------------------------\n"
        "|a             |6378245#0      |0.25e^2sin^2Bcp  |0#00099632      |\n"
        "-------------------------------------------------------------------\n"
        "|e^2           |0#00669342     |1.25e^2sin^2B1   |0#00490983      |\n"
        "-------------------------------------------------------------------\n"
        "|a(1-e^2)      |6335552#727    |1.25e^2sin^2B2   |0#00505316      |\n"
        "-------------------------------------------------------------------\n"
        "|1/6Ro         |0#00000081     |1.25e^2sin^2Bcp  |0#00498162      |\n"
        "-------------------------------------------------------------------\n"
        "|B2            |51° 0` 0#0000\" |1+0.25e^2sin^2B1 |1#00098197      |\n"
        "-------------------------------------------------------------------\n"
        "|B1            |50° 0` 0#0000\" |1+0.25e^2sin^2B2 |1#00101063      |\n"
        "-------------------------------------------------------------------\n"
        "|Bcp           |50° 30` 0#0000\"|1+0.25e^2sin^2Bcp|1#00099632      |\n"
        "-------------------------------------------------------------------\n"
        "|0.25e^2       |0#00167336     |1-1.25e^2sin^2B1 |0#99509017      |\n"
        "-------------------------------------------------------------------\n"
        "|1.25e^2       |0#00836678     |1-1.25e^2sin^2B2 |0#99494684      |\n"
        "-------------------------------------------------------------------\n"
        "|sinB1         |0#76604444     |1-1.25e^2sin^2Bcp|0#99501838      |\n"
        "-------------------------------------------------------------------\n"
        "|SinB2         |0#77714596     |M1               |6373064#65142330|\n"
        "-------------------------------------------------------------------\n"
        "|SinBcp        |0#77162458     |M2               |6374165#33738282|\n"
        "-------------------------------------------------------------------\n"
        "|Sin^2B1       |0#58682409     |Mcp              |6373615#88832730|\n"
        "-------------------------------------------------------------------\n"
        "|Sin^2B2       |0#60395585     |(B2-B1)\"         |3600#00000000   |\n"
        "-------------------------------------------------------------------\n"
        "|Sin^2Bcp      |0#59540450     |(B2-B1)\"/6Ro     |0#00290888      |\n"
        "-------------------------------------------------------------------\n"
        "|0.25e^2sin^2B1|0#00098197     |S, м             |111240#47281540 |\n"
        "-------------------------------------------------------------------\n"
        "|0.25e^2sin^2B2|0#00101063     |                 |                |\n"
        "-------------------------------------------------------------------\n");
    for (const QChar separator : test::kSeparators) {
        SCOPED_TRACE(QString(separator).toStdString());
        test::SeparatorScope scope(separator);
        QTemporaryDir dir;
        const Solution solution = SolveExercise(MeridianArcExercise(), {{"Edit3", "50"}, {"Edit6", "51"}});
        const QString file = dir.filePath(QStringLiteral("arc.txt"));
        WriteTextReport(solution.view(), file, solution.exercise->report);
        const QByteArray expected = FileBytes(QStringLiteral("Вычисление дуги меридианов\n\nСт. гр. \n\nФ.И.О. \n\n\n")
                                              + QString(table).replace(QLatin1Char('#'), separator));
        const QByteArray actual = ReadFile(file);
        EXPECT_EQ(actual.toStdString(), expected.toStdString());
        EXPECT_EQ(actual.count('\xB0'), 3);  // the degree signs of B2, B1, Bcp
        // Empty group and name: the prefixes keep their trailing space and nothing follows.
        EXPECT_TRUE(actual.contains("\r\n\r\n\xD1\xF2. \xE3\xF0. \r\n\r\n\xD4.\xC8.\xCE. \r\n\r\n\r\n---"));
    }
}

// Every exercise's report: the variant of its layout, the tables it names, and lines that are
// each as long as the rules around them.
TEST(TextReport, EveryExerciseIsSavedByItsOwnVariant)
{
    const std::map<QString, int> steps = {{"large-triangle", 8}, {"gk-zone", 2}};  // "Шаг №" headings
    for (const Exercise* exercise : Catalogue()) {
        SCOPED_TRACE(Str(exercise->name));
        const struct {
            int steps;
        } w{steps.count(exercise->name) ? steps.at(exercise->name) : 0};
        QTemporaryDir dir;
        // Not the first page, where there are pages.
        const Solution solution = SolveExercise(*exercise, {}, static_cast<int>(exercise->tables.size()) - 1);
        const ReportView view = solution.view();
        const QString file = dir.filePath(QStringLiteral("r.txt"));
        WriteTextReport(view, file, exercise->report);
        const QByteArray bytes = ReadFile(file);
        ASSERT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
        QList<QByteArray> lines = bytes.split('\n');
        lines.removeLast();
        for (QByteArray& line : lines)
            line.chop(1);
        EXPECT_EQ(lines[0], FileBytes(view.caption));
        EXPECT_EQ(lines[2], "\xD1\xF2. \xE3\xF0. ");

        const std::vector<ReportTable>& tables = view.tables;
        std::size_t expectedLines = 6;
        std::vector<const ResultTable*> written;
        if (exercise->report == ReportLayout::EveryPage) {
            for (const ReportTable& t : tables) {
                written.push_back(t.table);
                expectedLines += 1;  // the caption of its page
            }
        } else if (w.steps == 0) {
            expectedLines += 1;  // a blank line
            written.push_back(tables.front().table);
        } else {
            ASSERT_EQ(tables.size(), static_cast<std::size_t>(w.steps));
            for (const ReportTable& t : tables)
                written.push_back(t.table);
        }
        int headings = 0;
        qsizetype ruleLength = 0;
        for (qsizetype i = 6; i < lines.size(); ++i) {
            const QByteArray& line = lines[i];
            if (line.startsWith("\xD8\xE0\xE3 \xB9")) {
                ++headings;
                EXPECT_EQ(line, "\xD8\xE0\xE3 \xB9" + QByteArray::number(headings));
                EXPECT_TRUE(lines[i + 1].startsWith('-'));  // the table follows at once
            } else if (line.startsWith('-')) {
                ruleLength = line.size();
                EXPECT_EQ(line, QByteArray(ruleLength, '-'));
            } else if (line.startsWith('|')) {
                EXPECT_EQ(line.size(), ruleLength) << line.toStdString();
            }
        }
        EXPECT_EQ(headings, w.steps);
        for (const ResultTable* t : written)
            expectedLines += 2 * t->rowsInUse().size() + 1 + (w.steps ? 1 : 0);
        EXPECT_EQ(static_cast<std::size_t>(lines.size()), expectedLines);
    }
}

TEST(TextReport, ColumnsAreWrittenWhereTheyNowStand)
{
    ResultTable t = Table(3, 2, {"Формула", "Результат", "x", "a", "1", "yy"});
    t.moveColumn(0, 2);
    EXPECT_EQ(TextReportBytes(View({&t}), ReportLayout::Common).toStdString(),
              FileBytes(kHeader + "\n"
                                  "----------------------\n"
                                  "|Результат|x |Формула|\n"
                                  "----------------------\n"
                                  "|1        |yy|a      |\n"
                                  "----------------------\n")
                  .toStdString());
}

// Optional rows and columns (approximations a computation did not need) are left out while
// their value cells are empty, and their flag moves with a moved column.
TEST(TextReport, LeavesOutOptionalRowsAndColumnsLeftEmpty)
{
    ResultTable t(3, 4);
    WriteHeadingRow(t, {"Формула", "1", "2"});
    WriteLabelColumn(t, 0, {"a", "b", "c"});
    t.setOptionalRows(2, 3);
    t.setOptionalColumns(2, 2);
    t.setValue(1, 1, "10");
    t.setValue(1, 2, "20");
    EXPECT_EQ(t.rowsInUse(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(t.columnsInUse(), (std::vector<int>{0, 1}));
    const QByteArray expected = FileBytes(kHeader + "\n"
                                                    "------------\n"
                                                    "|Формула|1 |\n"
                                                    "------------\n"
                                                    "|a      |10|\n"
                                                    "------------\n"
                                                    "|b      |20|\n"
                                                    "------------\n");
    EXPECT_EQ(TextReportBytes(View({&t}), ReportLayout::Common).toStdString(), expected.toStdString());
    t.moveColumn(2, 0);
    EXPECT_EQ(t.columnsInUse(), (std::vector<int>{1, 2}));
    t.setValue(0, 3, "x");  // the moved optional column and the last optional row come into use
    EXPECT_EQ(t.rowsInUse(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(t.columnsInUse(), (std::vector<int>{0, 1, 2}));
}

TEST(TextReport, PageControlVariants)
{
    std::vector<ResultTable> tables;
    for (int k = 1; k <= 8; ++k)
        tables.push_back(Table(2, 1, {QStringLiteral("t%1").arg(k), "Ж"}));
    std::vector<const ResultTable*> all;
    for (const ResultTable& t : tables)
        all.push_back(&t);
    const QString oneRowTable = QStringLiteral("------\n|t%1|Ж|\n------\n");

    // Legendre: only the first page's table, also when the second page is active.
    ReportView legendre = View({all[0], all[1]});
    legendre.activePage = 1;
    EXPECT_EQ(TextReportBytes(legendre, ReportLayout::Legendre).toStdString(),
              FileBytes(kHeader + "\n" + oneRowTable.arg(1)).toStdString());

    // Large triangle: eight numbered steps, each heading followed at once by its table.
    QString eight = kHeader;
    for (int k = 1; k <= 8; ++k)
        eight += QStringLiteral("Шаг №%1\n").arg(k) + oneRowTable.arg(k);
    const QByteArray triangle = TextReportBytes(View(all), ReportLayout::LargeTriangle);
    EXPECT_EQ(triangle.toStdString(), FileBytes(eight).toStdString());
    EXPECT_EQ(triangle.count("\xD8\xE0\xE3 \xB9"), 8);  // "Шаг №" in Windows-1251

    // Zone transfer: two steps.
    const ResultTable first = Table(2, 2, {"x", "1", "y", "22"});
    const ResultTable second = Table(2, 1, {"B", "50° 0` 0.0000\""});
    EXPECT_EQ(TextReportBytes(View({&first, &second}), ReportLayout::ZoneTransfer).toStdString(),
              FileBytes(kHeader + "Шаг №1\n"
                                  "------\n"
                                  "|x|1 |\n"
                                  "------\n"
                                  "|y|22|\n"
                                  "------\n"
                                  "Шаг №2\n"
                                  "------------------\n"
                                  "|B|50° 0` 0.0000\"|\n"
                                  "------------------\n")
                  .toStdString());
}

TEST(TextReport, UserTextInTheHeader)
{
    const ResultTable t = Table(1, 1, {"a"});
    const QString tableText = QStringLiteral("\n---\n|a|\n---\n");
    // Characters Windows-1251 lacks become "?"; the report is still written whole.
    EXPECT_EQ(TextReportBytes(View({&t}, QStringLiteral("✓1"), QStringLiteral("中 Пётр")), ReportLayout::Common)
                  .toStdString(),
              FileBytes(QStringLiteral("Окно\n\nСт. гр. ?1\n\nФ.И.О. ? Пётр\n\n") + tableText).toStdString());
    // A line end, an escape or a direction control in the user's text never makes a line of its
    // own nor turns the report's text around: the group and the name stay one line each.
    EXPECT_EQ(TextReportBytes(View({&t}, QStringLiteral("a\rb\nc\r\nd"), QStringLiteral("e\n\rf\x1b[2J\u202Eg")),
                              ReportLayout::Common)
                  .toStdString(),
              FileBytes(QStringLiteral("Окно\n\nСт. гр. a b c  d\n\nФ.И.О. e  f [2Jg\n\n") + tableText).toStdString());
}

TEST_F(TextReportFile, ReplacesAnExistingFileWhole)
{
    const ResultTable t = Table(1, 1, {"a"});
    const QString file = path(QStringLiteral("r.txt"));
    WriteFile(file, QByteArray(10000, 'x'));
    ASSERT_EQ(Str(SaveError(View({&t}), file)), "");
    EXPECT_EQ(ReadFile(file), TextReportBytes(View({&t}), ReportLayout::Common));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("r.txt")});
    // A new file gets the usual permissions, not those of a private temporary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path(QStringLiteral("new.txt"))).constData(), &st), -1);
    ASSERT_EQ(Str(SaveError(View({&t}), path(QStringLiteral("new.txt")))), "");
    ASSERT_EQ(::stat(QFile::encodeName(path(QStringLiteral("new.txt"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST_F(TextReportFile, PathsThatCannotBeCreated)
{
    const ResultTable t = Table(1, 1, {"a"});
    WriteFile(path(QStringLiteral("plain")), "keep");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const struct {
        QString name;
        const char* reason;
    } cases[] = {
        {QStringLiteral("missing/r.txt"), "No such file or directory"},
        {QStringLiteral("missing/deeper/r.txt"), "No such file or directory"},
        {QStringLiteral("plain/r.txt"), "Not a directory"},
        {QStringLiteral("folder"), "Is a directory"},
    };
    for (const auto& c : cases) {
        const QString file = path(c.name);
        EXPECT_EQ(Str(SaveError(View({&t}), file)),
                  "Cannot create file \"" + Str(QDir::cleanPath(file)) + "\". " + c.reason);
    }
    // Nothing was created or changed.
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("folder"), QStringLiteral("plain")}));
    EXPECT_TRUE(QDir(path(QStringLiteral("folder"))).isEmpty());
    EXPECT_EQ(ReadFile(path(QStringLiteral("plain"))), "keep");

    // A relative name is shown with its full path.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString message = SaveError(View({&t}), QStringLiteral("missing/../missing/r.txt"));
    QDir::setCurrent(previous);
    EXPECT_EQ(Str(message), "Cannot create file \"" + Str(QDir(dir.path()).canonicalPath()) +
                                "/missing/r.txt\". No such file or directory");
}

TEST_F(TextReportFile, AFailedWriteKeepsTheExistingFile)
{
    // A file size limit makes the write fail part-way, as a full disk would; this holds for
    // root too.
    const ResultTable t = Table(2, 40, {});
    const QString file = path(QStringLiteral("r.txt"));
    WriteFile(file, "old report");
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const QString message = SaveError(View({&t}), file);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(Str(message), "Unable to write to " + Str(file) + ". File too large");
    EXPECT_EQ(ReadFile(file), "old report");
    EXPECT_EQ(entries(), QStringList{QStringLiteral("r.txt")});  // no temporary left behind
}

TEST_F(TextReportFile, ReadOnlyFileAndFolder)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not apply to root (faults.solve refuses root with a read-only mount)";
    const ResultTable t = Table(1, 1, {"a"});
    const QString file = path(QStringLiteral("r.txt"));
    WriteFile(file, "old report");
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner));
    EXPECT_EQ(Str(SaveError(View({&t}), file)), "Cannot create file \"" + Str(file) + "\". Permission denied");
    EXPECT_EQ(ReadFile(file), "old report");

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    const QString locked = path(QStringLiteral("locked"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const QString inLocked = locked + QStringLiteral("/r.txt");
    EXPECT_EQ(Str(SaveError(View({&t}), inLocked)), "Cannot create file \"" + Str(inLocked) + "\". Permission denied");
    EXPECT_TRUE(QDir(locked).isEmpty());
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
}  // namespace kvelta
