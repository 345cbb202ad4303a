#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/edit_names.h"
#include "solve/cli.h"
#include "instructor/csv.h"
#include "instructor/instructor.h"
#include "instructor/spreadsheet.h"
#include "instructor/table_files.h"
#include "support/kvelta_test.h"

#include <QDir>
#include <cmath>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <set>

namespace kvelta {
namespace {

// The rows of a table file Kvelta wrote (in the separators of the locale it was written in).
std::vector<QStringList> CsvFile(const QString& path)
{
    return ReadTableFile(test::ReadFile(path));
}

using test::SeparatorScope;

QByteArray Cp1251(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        bytes += u < 0x80 ? char(u) : u == 0x401 ? char(0xA8) : u == 0x451 ? char(0xB8) : char(u - 0x410 + 0xC0);
    }
    return bytes;
}

QByteArray Utf16Le(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text)
        bytes += char(c.unicode() & 0xFF), bytes += char(c.unicode() >> 8);
    return bytes;
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

double Degrees(const TypedTexts& texts, int firstEdit)
{
    double degrees = 0;
    for (const auto& [edit, text] : texts)
        for (int part = 0; part < 3; ++part)
            if (edit == QStringLiteral("Edit%1").arg(firstEdit + part))
                degrees += QString(text).replace(',', '.').toDouble() / std::pow(60.0, part);
    return degrees;
}

// Every exercise draws variants that compute without an error over many seeds, in the territory
// and with the closures the course uses.
TEST(Variants, ComputeLieInTheirRangesAndCloseOverManySeeds)
{
    const std::map<QString, std::vector<int>> latitudes{
        {"meridian-arc", {3, 6}}, {"parallel-arc", {6}},   {"trapezoid-area", {3, 6}},
        {"trapezoid-sides", {3, 6}}, {"gk-forward", {6}}, {"large-triangle", {12, 15, 18, 22}}};
    for (const QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            ASSERT_TRUE(exercise->makeVariant) << test::Str(exercise->name);
            for (quint32 seed = 0; seed < 100; ++seed) {
                QRandomGenerator random(seed);
                TypedTexts texts = exercise->makeVariant(random);
                const std::string where = test::Str(exercise->name) + " seed " + std::to_string(seed);
                const auto latitude = latitudes.find(exercise->name);
                for (const int edit : latitude == latitudes.end() ? std::vector<int>{} : latitude->second) {
                    EXPECT_GE(Degrees(texts, edit), 40) << where;
                    EXPECT_LE(Degrees(texts, edit), 70) << where;
                }
                if (exercise->name == "gk-forward") {
                    EXPECT_LT(std::abs(Degrees(texts, 9) - Degrees(texts, 3)), 3) << where;
                }
                if (exercise->name == "legendre" || exercise->name == "large-triangle") {
                    const double excess = Degrees(texts, 3) + Degrees(texts, 6) + Degrees(texts, 9) - 180;
                    EXPECT_GT(excess, 0) << where;
                    EXPECT_LT(excess, exercise->name == "legendre" ? 20.0 / 3600 : 1) << where;
                }
                for (auto& typed : texts)
                    typed.second.replace(',', separator);
                EXPECT_EQ(SolveExercise(*exercise, texts).fault, "") << where;
            }
        }
    }
}

TEST(Variants, RepeatWithTheSeedAndNeverTwiceAlike)
{
    SeparatorScope scope('.');
    const Exercise& exercise = *FindExercise("meridian-arc");
    const QByteArray first = MakeVariants(exercise, 400, 3, {{"ГД-21", "Иванов"}});
    EXPECT_EQ(first, MakeVariants(exercise, 400, 3, {{"ГД-21", "Иванов"}}));
    EXPECT_NE(first, MakeVariants(exercise, 400, 4, {{"ГД-21", "Иванов"}}));
    QList<QByteArray> lines = first.split('\n');
    EXPECT_TRUE(lines[1].startsWith("ГД-21,Иванов,"));
    std::set<QByteArray> drawn;
    for (QByteArray& line : lines)
        drawn.insert(line.mid(line.indexOf(',', line.indexOf(',') + 1)));
    EXPECT_EQ(drawn.size(), lines.size());
}

TEST(Spreadsheet, ReadsWhatSpreadsheetsSaveAndSaysWhyItCannot)
{
    SeparatorScope scope('.');
    const Exercise& exercise = *FindExercise("trapezoid-area");
    struct Case {
        QByteArray bytes;
        InputEncoding encoding;
        QString error;  // empty: read, Edit2 of the first row "Иванов", Edit9 "1800.5"
    } cases[] = {
        {"\xEF\xBB\xBF" "Edit2,Edit9\r\nИванов,1800.5\r\n", InputEncoding::Detect, ""},
        {Cp1251("Фамилия Имя  Отчество;L2-L1 \"\nИванов;1800,5\n;\n;\n"), InputEncoding::Detect, ""},
        {Cp1251("Edit2\tEdit9\r\nИванов\t1800,5\r\n"), InputEncoding::Windows1251, ""},
        {"Edit2;edit9\r\n\"Иванов\";\"1800,5\"\r\n", InputEncoding::Utf8, ""},
        {Cp1251("Edit2;Edit9\nИванов;1800,5\n"), InputEncoding::Utf8, "not valid UTF-8"},
        {"Edit2;Edit9;Edit3\nИванов;1800,5;1\nПетров;1;1.5\n", InputEncoding::Detect, "both with a decimal comma (variant 1, column 2)"},
        {"Edit2;Edit9;Edit2\n", InputEncoding::Detect, "names Edit2 more than once"},
        {"Edit2;B3 o\n", InputEncoding::Detect, "has no edit 'B3 o'"},
        {"\n\n", InputEncoding::Detect, "holds only blank lines"},
        {QByteArray(100000, '\n'), InputEncoding::Detect, "holds only blank lines"},
        {Utf16Le(QChar(0xFEFF) + QString("Edit2,Edit9\r\nИванов,1800.5\r\n")), InputEncoding::Detect, ""},
        {Utf16Le(QChar(0xFEFF) + QString("Edit2,Edit9\r\nИванов,1800.5\r\n")).chopped(1), InputEncoding::Detect, "not valid UTF-16"},
        {"Edit2,Edit9\nИванов,1800.5\n\xFF,1\n", InputEncoding::Detect, "line 3 holds the byte 0xff"},
        {"Edit2,Edit9\n\xC8\xE2\xE0\xED\xEE\xE2,1800.5\n\x98,1\n", InputEncoding::Utf8, "line 2 holds the byte 0xc8"},
        {QByteArray("Edit2\0,Edit9\n", 13), InputEncoding::Detect, "line 1 holds a zero byte: the file is UTF-16"},
        {QByteArray("\xFF\xFE\0\0E\0\0\0", 8), InputEncoding::Detect, "the file is UTF-32"},
        {"Edit2,Edit9" + QByteArray(1000, ',') + "\nИванов,1800.5\n", InputEncoding::Detect, "more than 1000 fields"},
        {";;\nИванов;1800,5\n", InputEncoding::Detect, "no header row"},
        {"\r\n \r\nEdit2,Edit9\n\n,\nИванов,1800.5\n", InputEncoding::Detect, ""},
        {"Edit2;Edit9;;\nИванов;1800,5;;\n", InputEncoding::Detect, ""},
        {"Edit2;;Edit9\nИванов;x;1800,5\n", InputEncoding::Detect, "column 2 has no header but variant 1 fills it"},
        {"Edit2;Edit9\n\"Иванов;1\n", InputEncoding::Detect, "not closed"},
        {"name;L2-L1\nИванов;1800,5\n", InputEncoding::Detect, ""},
        {"name,L2-L1,l2-l1\nИванов,1800.5,1\n", InputEncoding::Detect, "has no edit 'l2-l1'"},
        {"name;B1;B1.sec\nИванов;50;1\n", InputEncoding::Detect, "names B1.sec more than once"},
    };
    for (const Case& c : cases) {
        try {
            const VariantSheet sheet = ReadVariantSheet(c.bytes, exercise, {c.encoding, false, false});
            EXPECT_EQ(c.error, "") << c.bytes.toStdString();
            ASSERT_EQ(sheet.rows.size(), 1u) << c.bytes.toStdString();
            const std::optional<TypedTexts> edits = sheet.edits(exercise, sheet.rows.front());
            ASSERT_TRUE(edits);
            EXPECT_EQ(*edits, (TypedTexts{{"Edit2", "Иванов"}, {"Edit9", "1800.5"}})) << c.bytes.toStdString();
        } catch (const SpreadsheetError& e) {
            EXPECT_TRUE(!c.error.isEmpty() && QString::fromUtf8(e.what()).contains(c.error))
                << c.bytes.toStdString() << ": " << e.what();
        }
    }
    const std::vector<Student> students = ReadStudents(Cp1251("Группа;ФИО\r\nГД-21;Ёлкин, Иван\r\n;Петров\r\n"), InputEncoding::Detect);
    ASSERT_EQ(students.size(), 2u);
    EXPECT_EQ(students[0].name, "Ёлкин, Иван");
    EXPECT_EQ(students[0].group, "ГД-21");
    EXPECT_EQ(students[1].name, "Петров");
}

// Angles are marked as the table prints them or in decimal degrees; an answer that does not read
// as a number is «не прочитано» for that cell, never a crash.
TEST(Instructor, MarksAnglesInEitherFormAndUnreadableAnswers)
{
    SeparatorScope scope('.');
    QTemporaryDir dir;
    const Solution solution = SolveExercise(*FindExercise("gk-inverse"), {});
    const QString B = solution.tables[0].cell(1, 23);
    const double L = static_cast<double>(*solution.tables[0].number(1, 26));
    const QString answers = dir.filePath("answers.csv");
    const QString quotedB = '"' + QString(B).replace("\"", "\"\"") + '"';
    // The fourth writes a word after a number (unread, not that number) and a spaced degree mark.
    WriteBytes(answers, QString("Edit2;B;L\nПервый;%1;%2°\nВторой;1e99999;abc\nТретий;%3;%4\nЧетвёртый;%5абв;%2 °\n")
                            .arg(quotedB, QString::number(L, 'f', 12), QString(quotedB).replace("44", "45"),
                                 QString::number(L + 1e-6, 'f', 12),
                                 QString::number(static_cast<double>(*solution.tables[0].number(1, 23))))
                            .toUtf8());
    ASSERT_EQ(RunSolveCommand({"gk-inverse", "--grade", answers, "--out-dir", dir.path()}), 0);
    const std::vector<QStringList> grades = CsvFile(dir.filePath("grades.csv"));
    ASSERT_EQ(grades.size(), 5u);
    EXPECT_EQ(grades[1].mid(3), (QStringList{"1", "0.0000", "1", "0.0000", "2", "2", "2 из 2"}));
    EXPECT_EQ(grades[4].mid(3), (QStringList{"не прочитано", "", "1", "0.0000", "1", "2", "1 из 2"}));
    EXPECT_EQ(grades[2].mid(3), (QStringList{"не прочитано", "", "не прочитано", "", "0", "2", "0 из 2"}));
    EXPECT_EQ(grades[3][3], "0");
    EXPECT_EQ(grades[3][5], "0");  // 0.0036″ off, the table prints 0.0001″
    ASSERT_EQ(RunSolveCommand({"gk-inverse", "--grade", answers, "--out-dir", dir.path(), "--tolerance", "L=0.01"}), 0);
    EXPECT_EQ(CsvFile(dir.filePath("grades.csv"))[3][5], "1");
}

// Results copied from the tables are right for every exercise, whatever their cells print.
TEST(Instructor, AnswersCopiedFromTheKeysAreRightForEveryExercise)
{
    for (const QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            const std::vector<QStringList> variants = ParseDelimited(
                QString::fromUtf8(MakeVariants(*exercise, 12, 5, {})), separator == ',' ? ';' : ',');
            QStringList header = variants.front();
            for (const ResultQuantity& result : exercise->results)
                header << result.name;
            QByteArray answers = DelimitedLine(header, ';');
            for (std::size_t v = 1; v < variants.size(); ++v) {
                TypedTexts named;
                for (qsizetype c = 0; c < variants[v].size(); ++c)
                    named.emplace_back(variants.front()[c], variants[v][c]);
                const Solution solution = SolveExercise(*exercise, TextsOfNamedValues(exercise->edits, named));
                QStringList row = variants[v];
                for (const ResultQuantity& result : exercise->results)
                    row << solution.tables[static_cast<std::size_t>(result.table)].cell(result.column, result.row);
                answers += DelimitedLine(row, ';');
            }
            QTemporaryDir dir;
            GradeAnswers(*exercise, ReadVariantSheet(answers, *exercise, {InputEncoding::Detect, false, true}), {},
                         QDir(dir.path()), "answers.csv");
            const std::vector<QStringList> grades = CsvFile(dir.filePath("grades.csv"));
            ASSERT_EQ(grades.size(), 13u);
            for (std::size_t g = 1; g < grades.size(); ++g) {
                const QString total = grades[g][grades[g].size() - 2];
                EXPECT_EQ(grades[g][grades[g].size() - 3], total) << test::Str(exercise->name) << ": " << test::Str(grades[g].join(','));
                EXPECT_EQ(grades[g].constLast(), total + " из " + total);
            }
        }
    }
}

// A class list as LibreOffice Calc saves it in a Russian locale goes through variants, answer keys
// and marking without editing: one student right, one with one wrong answer, one all wrong.
TEST(Instructor, ClassListToVariantsKeysAndMarks)
{
    for (const QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        QTemporaryDir dir;
        const QString list = dir.filePath("группа.csv"), variants = dir.filePath("variants.csv");
        WriteBytes(list, Cp1251("Группа;ФИО\r\nГД-21;Алексеев Алексей\r\nГД-21;Борисова Бэла\r\nГД-22;Васильев/Вадим\r\n"));
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--make-variants", "3", "--students", list, "--out", variants}), 0);
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--batch", variants, "--keys", dir.filePath("keys"), "--no-pdf"}), 0);
        const QStringList keys = QDir(dir.filePath("keys")).entryList(QDir::Files);
        EXPECT_EQ(keys, (QStringList{"001-ГД_21-Алексеев_Алексей.docx", "001-ГД_21-Алексеев_Алексей.txt",
                                     "002-ГД_21-Борисова_Бэла.docx", "002-ГД_21-Борисова_Бэла.txt",
                                     "003-ГД_22-Васильев_Вадим.docx", "003-ГД_22-Васильев_Вадим.txt", "summary.csv"}));

        // The answers are the keys' results (a1, a2, c, d in cm), as the students hand them in.
        const std::vector<QStringList> rows = CsvFile(dir.filePath("keys/summary.csv"));
        ASSERT_EQ(rows.size(), 4u);
        ASSERT_TRUE(rows[0].join(',').startsWith("variant,group,name,error,a1,a2,c,d,group,name,B1,B2,L2-L1,M"));
        QStringList answerLines = QString::fromUtf8(test::ReadFile(variants)).remove(QChar(0xFEFF)).split("\r\n");
        const QChar field = separator == ',' ? ';' : ',';
        answerLines[0] += QStringList{"", "a1", "a2", "c", "d"}.join(field);
        for (int student = 1; student <= 3; ++student) {
            QStringList results = rows[static_cast<std::size_t>(student)].mid(4, 4);
            if (student == 2)  // a2 (printed to 1e-8 cm) off by five units of the last place
                results[1] = QString::number(results[1].replace(separator, '.').toDouble() + 5e-8, 'f', 8).replace('.', separator);
            if (student == 3)
                results = QStringList{"1", "2", "3", "4"};
            answerLines[student] += field + results.join(field);
        }
        const QString answers = dir.filePath("answers.csv");
        WriteBytes(answers, Cp1251(answerLines.join("\r\n")));
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--grade", answers, "--out-dir", dir.filePath("marks")}), 0);
        const std::vector<QStringList> grades = CsvFile(dir.filePath("marks/grades.csv"));
        ASSERT_EQ(grades.size(), 4u);
        EXPECT_EQ(grades[0].join(','), "Вариант,Группа,Студент,a1,a1 разность,a2,a2 разность,c,c разность,d,d разность,Верно,Всего,Итог");
        const QStringList verdicts[] = {{"1", "1", "1", "1", "4"}, {"1", "0", "1", "1", "3"}, {"0", "0", "0", "0", "0"}};
        const QString names[] = {"Алексеев Алексей", "Борисова Бэла", "Васильев/Вадим"};
        for (int student = 1; student <= 3; ++student) {
            const QStringList& row = grades[static_cast<std::size_t>(student)];
            ASSERT_EQ(row.size(), 14);
            EXPECT_EQ(row[2], names[student - 1]);
            EXPECT_EQ((QStringList{row[3], row[5], row[7], row[9], row[11]}), verdicts[student - 1]) << student;
            EXPECT_EQ(row[12], "4");
            EXPECT_EQ(row[13], verdicts[student - 1].constLast() + " из 4");
        }
        const double a2Difference = QString(grades[2][6]).replace(separator, '.').toDouble();
        EXPECT_NEAR(a2Difference, 5e-8, 0.6e-8);
        const QString report = QString::fromUtf8(test::ReadFile(dir.filePath("marks/grades.txt")));
        EXPECT_TRUE(report.contains("верно 3 из 4")) << test::Str(report);
    }
}

// One student's slip never stops the marking: an answer with the other decimal separator, or one
// that is no number at all, is «не прочитано» for that cell; the student's other answers and the
// other students are marked.
TEST(Instructor, MarkingNeverStopsForOneStudent)
{
    const Exercise& exercise = *FindExercise("trapezoid-sides");
    for (const QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        const QChar other = separator == ',' ? '.' : ',';
        const std::vector<QStringList> variants = ReadTableFile(MakeVariants(exercise, 4, 11, {}));
        QStringList header = variants.front();
        for (const ResultQuantity& result : exercise.results)
            header << result.name;
        std::vector<QStringList> answers{header};
        // Student 2 writes the other decimal separator, student 3 two numbers run together, student
        // 4 leaves an answer out.
        struct Slip {
            int result;  // which answer is written wrong; -1 none
            QString verdict;
        } slips[] = {{-1, "1"}, {0, "не прочитано"}, {1, "не прочитано"}, {2, "0"}};
        for (std::size_t v = 1; v < variants.size(); ++v) {
            TypedTexts typed;
            for (qsizetype c = 0; c < variants[v].size(); ++c)
                for (const auto& edit : TextsOfNamedValue(exercise.edits, variants.front()[c], variants[v][c]))
                    typed.push_back(edit);  // variants.csv is headed by the inputs' names
            const Solution solution = SolveExercise(exercise, typed);
            QStringList row = variants[v];
            for (std::size_t r = 0; r < exercise.results.size(); ++r) {
                const ResultQuantity& result = exercise.results[r];
                QString answer = solution.tables[static_cast<std::size_t>(result.table)].cell(result.column, result.row);
                const Slip& slip = slips[v - 1];
                if (static_cast<int>(r) == slip.result)
                    answer = v == 2 ? answer.replace(separator, other) : v == 3 ? answer + "x" + answer : QString();
                row << answer;
            }
            answers.push_back(row);
        }
        QTemporaryDir dir;
        const QString file = dir.filePath("answers.csv");
        WriteBytes(file, TableFile(answers));
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--grade", file, "--out-dir", dir.path()}), 0);
        const std::vector<QStringList> grades = CsvFile(dir.filePath("grades.csv"));
        ASSERT_EQ(grades.size(), 5u);
        const int results = static_cast<int>(exercise.results.size());
        for (int student = 0; student < 4; ++student) {
            const QStringList& row = grades[static_cast<std::size_t>(student + 1)];
            int right = 0;
            for (int r = 0; r < results; ++r) {
                const bool slipped = r == slips[student].result;
                EXPECT_EQ(row[3 + 2 * r], slipped ? slips[student].verdict : QString("1")) << student << " " << r;
                right += slipped ? 0 : 1;
            }
            EXPECT_EQ(row.constLast(), QStringLiteral("%1 из %2").arg(right).arg(results));
        }
    }
}

}  // namespace
}  // namespace kvelta
