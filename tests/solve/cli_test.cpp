#include "solve/cli.h"
#include "instructor/csv.h"
#include "instructor/outputs.h"
#include "instructor/spreadsheet.h"
#include "catalogue/catalogue.h"
#include "frame/edit_names.h"
#include "support/kvelta_test.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <utility>

namespace kvelta {
namespace {

// The rows of a UTF-8 table file Kvelta wrote: ';' between fields when its header has one (numbers
// with a decimal comma), else ','.
std::vector<QStringList> CsvFile(const QString& path)
{
    const QString text = DecodeSpreadsheet(test::ReadFile(path), InputEncoding::Utf8);
    const QChar separator = text.section(QLatin1Char('\n'), 0, 0).contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    return ParseDelimited(text, separator);
}

using test::SeparatorScope;

int RunCli(QStringList args) { return RunSolveCommand(args); }

TEST(SolveCommand, WritesTheReportAndTheTablesOfAMeridianArc)
{
    SeparatorScope scope(QLatin1Char(','));
    QTemporaryDir dir;
    const QString report = dir.filePath("r.txt"), json = dir.filePath("t.json");
    ASSERT_EQ(RunCli({"meridian-arc", "--decimal-separator", ".", "Edit1=ГД-21", "Edit2=Иванов И. И.", "Edit6=1",
                   "--report", report, "--tables-json", json}),
              0);
    const QByteArray bytes = test::ReadFile(report);
    EXPECT_TRUE(bytes.startsWith(QByteArray("\xC2\xFB\xF7\xE8\xF1\xEB\xE5\xED\xE8\xE5 ")));  // "Вычисление " in cp1251
    EXPECT_TRUE(bytes.contains("|S, \xEC") && bytes.contains("|110576.26387900 |"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    const QJsonObject root = QJsonDocument::fromJson(test::ReadFile(json)).object();
    EXPECT_EQ(root["class"].toString(), "TMForm");
    EXPECT_EQ(root["caption"].toString(), "Вычисление дуги меридианов");
    EXPECT_EQ(root["group"].toString(), "ГД-21");
    EXPECT_TRUE(root["error"].isNull());
    const QJsonArray tables = root["tables"].toArray();
    ASSERT_EQ(tables.size(), 1);
    const QJsonObject table = tables[0].toObject();
    EXPECT_EQ(table["name"].toString(), "StringGrid1");
    EXPECT_TRUE(table["page"].isNull());
    const QJsonArray cells = table["cells"].toArray();
    ASSERT_EQ(cells.size(), 18);
    EXPECT_EQ(cells[16].toArray()[3].toString(), "110576.26387900");
    EXPECT_EQ(cells[0].toArray()[0].toString(), "Формула");
}

TEST(SolveCommand, ReportsAConversionErrorWithStatusOneAndKeepsTheTable)
{
    QTemporaryDir dir;
    const QString json = dir.filePath("t.json");
    EXPECT_EQ(RunCli({"meridian-arc", "--decimal-separator", ",", "Edit3=1.5", "--tables-json", json}), 1);
    const QJsonObject root = QJsonDocument::fromJson(test::ReadFile(json)).object();
    EXPECT_EQ(root["error"].toString(), "'1.5' is not a valid floating point value.");
    const QJsonArray rows = root["tables"].toArray()[0].toObject()["cells"].toArray();
    EXPECT_EQ(rows[1].toArray()[1].toString(), "");
}

TEST(SolveCommand, ListsEveryExerciseAndRejectsWrongUsageWithStatusTwo)
{
    EXPECT_EQ(RunCli({"--list"}), 0);
    EXPECT_EQ(RunCli({"--version"}), 0);
    QTemporaryDir dir;
    const QStringList cases[] = {
        {},
        {"no-such-exercise"},
        {"meridian-arc", "Edit99=1"},
        {"meridian-arc", "--decimal-separator", ";"},
        {"meridian-arc", "--report"},
        {"meridian-arc", "--active-page", "x"},
        {"meridian-arc", "--active-page", "2"},
        {"meridian-arc", "--batch", dir.filePath("v.csv")},
        {"meridian-arc", "stray"},
        {"--list", "extra"},
        {"meridian-arc", "--make-variants", "0"},
        {"meridian-arc", "--make-variants", "2", "--batch", dir.filePath("v.csv"), "--out-dir", dir.path()},
        {"meridian-arc", "--make-variants", "2", "Edit3=1"},
        {"meridian-arc", "--seed", "1"},
        {"meridian-arc", "--make-variants", "2", "--seed", "-1"},
        {"meridian-arc", "--make-variants", "2", "--students", dir.filePath("none.csv")},
        {"meridian-arc", "--grade", dir.filePath("v.csv")},
        {"meridian-arc", "--grade", dir.filePath("v.csv"), "--out-dir", dir.path(), "--tolerance", "Q=1"},
        {"meridian-arc", "--keys", dir.path()},
        {"meridian-arc", "--batch", dir.filePath("v.csv"), "--out-dir", dir.path(), "--no-pdf"},
        {"meridian-arc", "--batch", dir.filePath("v.csv"), "--out-dir", dir.path(), "--input-encoding", "koi8-r"},
        // Empty file names, which would write nothing and report success.
        {"meridian-arc", "--report", ""},
        {"meridian-arc", "--docx", ""},
        {"meridian-arc", "--pdf", ""},
        {"meridian-arc", "--tables-json", ""},
        {"meridian-arc", "--make-variants", "2", "--out", ""},
        {"meridian-arc", "--batch", "", "--out-dir", dir.path()},
        {"meridian-arc", "--batch", dir.filePath("v.csv"), "--keys", ""},
        // Tolerances that would mark every answer right, or none.
        {"gk-forward", "--grade", dir.filePath("v.csv"), "--out-dir", dir.path(), "--tolerance", "x=inf"},
        {"gk-forward", "--grade", dir.filePath("v.csv"), "--out-dir", dir.path(), "--tolerance", "x=nan"},
    };
    for (const QStringList& args : cases)
        EXPECT_EQ(RunCli(args), 2) << args.join(' ').toStdString();
}

// Only these arguments make the program load Qt Gui and the PDF module.
TEST(SolveCommand, AsksForPdfWhenAPdfFileIsToBeWritten)
{
    const std::pair<QStringList, bool> cases[] = {
        {{"meridian-arc", "--pdf", "r.pdf"}, true},
        {{"meridian-arc", "--pdf=-"}, true},
        {{"meridian-arc", "--batch", "v.csv", "--out-dir", "o", "--with-pdf"}, true},
        {{"meridian-arc", "--batch", "v.csv", "--keys", "k"}, true},
        {{"meridian-arc", "--batch", "v.csv", "--keys=k"}, true},
        {{"meridian-arc", "--batch", "v.csv", "--keys", "k", "--no-pdf"}, false},
        {{"meridian-arc", "--batch", "v.csv", "--no-pdf", "--keys", "k", "--with-pdf"}, true},
        {{"meridian-arc", "--batch", "v.csv", "--out-dir", "o"}, false},
        {{"meridian-arc", "--", "--keys"}, false},
    };
    for (const auto& [args, asks] : cases)
        EXPECT_EQ(AsksForPdf(args), asks) << args.join(' ').toStdString();
}

TEST(SolveCommand, BatchWritesOneReportPerVariantAndASummaryWithTheBadRow)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("v.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Edit1,Edit2,Edit3,Edit6\r\n"
               "Г-1,\"Петров, П.\",50,51\r\n"
               "Г-1,Сидоров,abc,51\r\n"
               "Г-1,short\r\n"
               "Г-2,\"\"\"Кавычки\"\"\",0,1\r\n");
    file.close();
    const QString out = dir.filePath("out");
    EXPECT_EQ(RunCli({"meridian-arc", "--decimal-separator", ".", "--batch", csv, "--out-dir", out}), 1);
    const std::vector<QStringList> summary = CsvFile(out + "/summary.csv");
    ASSERT_EQ(summary.size(), 5u);
    EXPECT_EQ(summary[0], (QStringList{"variant", "group", "name", "error", "S", "Edit1", "Edit2", "Edit3", "Edit6"}));
    EXPECT_EQ(summary[1], (QStringList{"001", "Г-1", "Петров, П.", "", "111240.47281540", "Г-1", "Петров, П.", "50", "51"}));
    EXPECT_EQ(summary[2][3], "'abc' is not a valid floating point value.");
    EXPECT_EQ(summary[2][4], "");
    EXPECT_FALSE(summary[3][3].isEmpty());
    EXPECT_EQ(summary[4][2], "\"Кавычки\"");
    EXPECT_EQ(summary[4][4], "110576.26387900");
    EXPECT_TRUE(QFile::exists(out + "/001-Петров__П_.txt"));
    EXPECT_TRUE(QFile::exists(out + "/002-Сидоров.txt"));
    EXPECT_FALSE(QFile::exists(out + "/003-short.txt"));
}

TEST(SolveCommand, HostileEditTextsNeverCrash)
{
    QTemporaryDir dir;
    const QString hostile[] = {"", " ", "1e400", "-1e400", "1e5000", "nan", "inf", "0x10", "１２", "%1%2",
                               "9999999999999999999999999999999999999999", "1e308", "-1e308", "\xF0\x9F\x98\x80"};
    for (const Exercise* exercise : Catalogue()) {
        for (const QString& text : hostile) {
            for (const char* edit : {"Edit3", "Edit4", "Edit5", "Edit6", "Edit9", "Edit10", "Edit12"}) {
                const int status = RunCli({exercise->name, "--decimal-separator", ".", QString(edit) + "=" + text,
                                        "--report", dir.filePath("r.txt")});
                EXPECT_TRUE(status == 0 || status == 1 || status == 2) << exercise->name.toStdString();
            }
        }
    }
}

// --example types the worked example first; edits named beside it override it.
TEST(SolveCommand, ExampleIsTheWorkedExampleAndNamedEditsOverrideIt)
{
    QTemporaryDir dir;
    for (QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            SCOPED_TRACE(exercise->name.toStdString());
            const TypedTexts example = exercise->shownExample();
            QStringList typed = {exercise->name, "--decimal-separator", QString(separator)};
            for (const auto& [name, text] : example)
                typed << name + "=" + text;
            const QString viaOption = dir.filePath("option.json"), viaEdits = dir.filePath("edits.json");
            EXPECT_EQ(RunCli({exercise->name, "--decimal-separator", QString(separator), "--example", "--tables-json",
                              viaOption}),
                      0);
            EXPECT_EQ(RunCli(typed + QStringList{"--tables-json", viaEdits}), 0);
            EXPECT_EQ(test::ReadFile(viaOption), test::ReadFile(viaEdits));
        }
    }
    const QString overridden = dir.filePath("o.txt"), explicitEdits = dir.filePath("e.txt");
    EXPECT_EQ(RunCli({"meridian-arc", "--decimal-separator", ".", "--example", "Edit6=52", "--report", overridden}), 0);
    EXPECT_EQ(RunCli({"meridian-arc", "--decimal-separator", ".", "Edit3=50", "Edit6=52", "--report", explicitEdits}),
              0);
    EXPECT_EQ(test::ReadFile(overridden), test::ReadFile(explicitEdits));
    EXPECT_EQ(RunCli({"meridian-arc", "--example", "--batch", "v.csv", "--out-dir", dir.path()}), 2);
    // The cards' folder is their own: the reports' or the keys' folder would pass for an earlier run.
    EXPECT_EQ(RunCli({"meridian-arc", "--batch", "v.csv", "--out-dir", dir.path(), "--cards", dir.path() + "/."}), 2);
    EXPECT_EQ(RunCli({"meridian-arc", "--batch", "v.csv", "--keys", dir.filePath("k"), "--cards", dir.filePath("k")}), 2);
}

// The worked example typed under the inputs' names, an angle in one text, gives the same tables
// as typed into the edits, with the number written with either decimal mark.
TEST(SolveCommand, NamedInputsTypeWhatTheirEditsType)
{
    QTemporaryDir dir;
    for (QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            SCOPED_TRACE(exercise->name.toStdString());
            const EditTexts texts(*exercise, exercise->shownExample());
            TypedTexts all;
            for (const EditField& edit : exercise->edits)
                all.emplace_back(edit.name, texts.text(edit.name));
            QStringList viaEdits{exercise->name, "--decimal-separator", QString(separator)};
            for (const auto& [edit, text] : all)
                viaEdits << edit + "=" + text;
            QStringList viaNames{exercise->name, "--decimal-separator", QString(separator)};
            QStringList otherMark = viaNames;
            const QChar other = separator == ',' ? '.' : ',';
            for (const auto& [name, text] : NamedValues(exercise->edits, all)) {
                viaNames << name + "=" + text;
                otherMark << name + "=" + QString(text).replace(separator, other);
            }
            const QString edits = dir.filePath("edits.json"), names = dir.filePath("names.json"),
                          marks = dir.filePath("marks.json");
            ASSERT_EQ(RunCli(viaEdits + QStringList{"--tables-json", edits}), 0);
            ASSERT_EQ(RunCli(viaNames + QStringList{"--tables-json", names}), 0) << viaNames.join(' ').toStdString();
            ASSERT_EQ(RunCli(otherMark + QStringList{"--tables-json", marks}), 0) << otherMark.join(' ').toStdString();
            EXPECT_EQ(test::ReadFile(edits), test::ReadFile(names));
            EXPECT_EQ(test::ReadFile(edits), test::ReadFile(marks));
        }
    }
}

TEST(SolveCommand, AnglesTypedWholeGiveTheWorkedExampleAndTheJsonNamesThem)
{
    QTemporaryDir dir;
    const QString named = dir.filePath("named.txt"), edits = dir.filePath("edits.txt"), json = dir.filePath("t.json");
    for (const char* separator : {",", "."}) {
        ASSERT_EQ(RunCli({"gk-forward", "--decimal-separator", separator, "B=51°38′44,0822″", "L=24°2′13.1579\"",
                          "L0=21", "--report", named, "--tables-json", json}),
                  0);
        const QString seconds = QString("44") + separator + "0822", lSeconds = QString("13") + separator + "1579";
        ASSERT_EQ(RunCli({"gk-forward", "--decimal-separator", separator, "Edit3=21", "Edit6=51", "Edit7=38",
                          "Edit8=" + seconds, "Edit9=24", "Edit10=2", "Edit11=" + lSeconds, "--report", edits}),
                  0);
        EXPECT_EQ(test::ReadFile(named), test::ReadFile(edits));
        const QJsonObject root = QJsonDocument::fromJson(test::ReadFile(json)).object();
        EXPECT_EQ(root["inputs"].toObject()["B"].toString(), "51°38′" + seconds + "″");
        const QJsonArray results = root["results"].toArray();
        ASSERT_EQ(results.size(), 2);
        EXPECT_EQ(results[0].toObject()["name"].toString(), "x");
        EXPECT_EQ(results[0].toObject()["row"].toInt(), 20);
        EXPECT_EQ(results[0].toObject()["text"].toString(), QString("5728374") + separator + "727");
    }
    // Wrong names and unreadable angles are wrong usage; one edit typed twice too.
    for (const QStringList& args : {QStringList{"gk-forward", "Q=1"}, QStringList{"gk-forward", "B=51°x"},
                                    QStringList{"gk-forward", "B=51", "B.sec=1"},
                                    QStringList{"gk-inverse", "Edit6=1", "--report", named}}) {
        const int status = RunCli(args);
        EXPECT_EQ(status, args.contains("Edit6=1") ? 0 : 2) << args.join(' ').toStdString();
    }
}

// Variants written under names read back as a batch; summary.csv keeps the header's names.
TEST(SolveCommand, VariantsMadeWithNamesReadBackAsABatch)
{
    QTemporaryDir dir;
    for (const char* separator : {",", "."}) {
        const QString variants = dir.filePath("v.csv"), out = dir.filePath(QString("out") + separator);
        ASSERT_EQ(RunCli({"gk-forward", "--decimal-separator", separator, "--make-variants", "3", "--out", variants}), 0);
        const QString text = QString::fromUtf8(test::ReadFile(variants));
        EXPECT_TRUE(text.startsWith(QString("\uFEFFgroup%1name%1L0%1B%1L\r\n").arg(separator[0] == ',' ? ';' : ',')))
            << text.toStdString();
        ASSERT_EQ(RunCli({"gk-forward", "--decimal-separator", separator, "--batch", variants, "--out-dir", out}), 0);
        const std::vector<QStringList> summary = CsvFile(out + "/summary.csv");
        ASSERT_EQ(summary.size(), 4u);
        EXPECT_EQ(summary[0].mid(4), (QStringList{"x", "y", "group", "name", "L0", "B", "L"}));
        EXPECT_EQ(summary[1][9].count(' '), 2) << summary[1][9].toStdString();  // B as "51 38 44.0822"
        EXPECT_EQ(summary[1][3], "");
    }
}

TEST(SolveCommand, ListShowsTheNamesFirstAndNoHiddenEdit)
{
    const QString list = QString::fromUtf8(ExerciseList());
    EXPECT_FALSE(list.contains("скрыто"));
    EXPECT_TRUE(list.contains("\n  L0\tEdit3, Edit4, Edit5 (L0.deg, L0.min, L0.sec)\tLo o, Lo ', Lo \"\t"
                              "Lo: градусы, минуты, секунды\tdefault \"0°0′0″\"\n"));
    EXPECT_TRUE(list.contains("\n  s\tEdit12\ts,м\tрасстояние s, м\tdefault \"0\"\n"));
    EXPECT_TRUE(list.contains("\n  group\tEdit1\tСт. гр.\t"));
    for (const QString& line : list.split('\n')) {
        if (line.startsWith("  ")) {
            EXPECT_FALSE(line.startsWith("  Edit")) << line.toStdString();
        }
    }
}

// In a marked variants file an input and a result may share a name (spatial coordinates' X given
// for the second point, X computed for the first): the first column is the input.
TEST(SolveCommand, GradesAFileWhoseInputsAndResultsShareNames)
{
    QTemporaryDir dir;
    const QString variants = dir.filePath("v.csv"), out = dir.filePath("out"), answers = dir.filePath("a.csv");
    ASSERT_EQ(RunCli({"spatial-coordinates", "--decimal-separator", ".", "--make-variants", "2", "--out", variants}), 0);
    ASSERT_EQ(RunCli({"spatial-coordinates", "--decimal-separator", ".", "--batch", variants, "--out-dir", out}), 0);
    const std::vector<QStringList> summary = CsvFile(out + "/summary.csv");
    ASSERT_EQ(summary[0].mid(4, 6), (QStringList{"X", "Y", "Z", "B", "L", "H"}));
    std::vector<QStringList> given = CsvFile(variants);
    ASSERT_EQ(given.size(), 3u);
    ASSERT_EQ(given[0], (QStringList{"group", "name", "B", "L", "H", "X", "Y", "Z"}));
    QByteArray marked;
    for (std::size_t r = 0; r < given.size(); ++r)
        marked += CsvLine(given[r] + QStringList{summary[r][4], summary[r][7]});  // X and B answered
    QFile file(answers);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(marked);
    file.close();
    ASSERT_EQ(RunCli({"spatial-coordinates", "--grade", answers, "--out-dir", out}), 0);
    const std::vector<QStringList> grades = CsvFile(out + "/grades.csv");
    ASSERT_EQ(grades.size(), 3u);
    EXPECT_EQ(grades[0], (QStringList{"Вариант", "Группа", "Студент", "X", "X разность", "B", "B разность", "Верно", "Всего", "Итог"}));
    EXPECT_EQ(grades[1].mid(7, 2), (QStringList{"2", "2"}));
    EXPECT_EQ(grades[2].mid(7, 2), (QStringList{"2", "2"}));
}

TEST(Csv, ParsesQuotedFieldsAndLineBreaks)
{
    const auto rows = ParseDelimited("a,\"b,c\",\"d\"\"e\"\n\"x\ny\",,z\r\n", QLatin1Char(','));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (QStringList{"a", "b,c", "d\"e"}));
    EXPECT_EQ(rows[1], (QStringList{"x\ny", "", "z"}));
    EXPECT_THROW(ParseDelimited("\"open", QLatin1Char(',')), std::runtime_error);
    EXPECT_EQ(CsvLine({"a", "b,c", "q\""}), QByteArray("a,\"b,c\",\"q\"\"\"\r\n"));
}

// The compact rows of a sheet give back every cell as the reader made it: empty cells null,
// letters of every width, quotes, separators and line breaks inside, the characters whose
// UTF-8 comes nearest the byte that ends a cell; rows of one empty cell and of none.
TEST(Csv, CompactRowsGiveBackEveryCell)
{
    const std::vector<QStringList> rows = ParseDelimited(
        QStringLiteral("a,,\"b,c\",Иванов\n\"x\ny\",\"\"\"q\"\"\",ÿ,\U0001F600,\uFFFD\n1.5,-2,,\n"), QLatin1Char(','));
    ASSERT_EQ(rows.size(), 3u);
    std::vector<QStringList> cases = rows;
    cases.push_back(QStringList{QString()});
    cases.push_back(QStringList{});
    cases.push_back(QStringList{QStringLiteral("tail")});
    const SheetRows compact(cases);
    ASSERT_EQ(compact.size(), cases.size());
    for (std::size_t r = 0; r < cases.size(); ++r) {
        const QStringList row = compact[r];
        ASSERT_EQ(row, cases[r]) << r;
        for (qsizetype c = 0; c < row.size(); ++c)
            EXPECT_EQ(row[c].isNull(), cases[r][c].isNull()) << r << ", " << c;
    }
    EXPECT_EQ(compact.front(), cases.front());
    EXPECT_TRUE(SheetRows().empty());
}

}  // namespace
}  // namespace kvelta

namespace kvelta {
namespace {

// The UTF-8 report keeps every character of a name, as the desktop's does; Windows-1251 cannot.
TEST(SolveCommand, Utf8ReportKeepsWhatWindows1251Cannot)
{
    QTemporaryDir dir;
    for (const QString name : {"✓ Иванов", "张伟", "Ёлкин"}) {
        const QString utf8 = dir.filePath("u.txt"), cp1251 = dir.filePath("w.txt");
        ASSERT_EQ(RunCli({"meridian-arc", "Edit2=" + name, "--report", utf8, "--utf8"}), 0);
        ASSERT_EQ(RunCli({"meridian-arc", "Edit2=" + name, "--report", cp1251}), 0);
        const QString text = QString::fromUtf8(test::ReadFile(utf8));
        EXPECT_TRUE(text.contains("Ф.И.О. " + name + "\n")) << test::Str(text.left(120));
        EXPECT_FALSE(text.contains('\r'));
        EXPECT_EQ(text.count('\n'), test::ReadFile(cp1251).count("\r\n"));
    }
}

}  // namespace
}  // namespace kvelta
