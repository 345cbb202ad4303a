#include "catalogue/catalogue.h"
#include "frame/errors.h"
#include "reports/text_report.h"
#include "solve/cli.h"
#include "instructor/instructor.h"
#include "instructor/run_folder.h"
#include "instructor/spreadsheet.h"
#include "instructor/table_files.h"
#include "support/kvelta_test.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace kvelta {
namespace {

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QString kChinese300 = QString(300, QChar(0x5F20));  // "张" × 300: 900 bytes in UTF-8

// Names a class list may hold that a spreadsheet would run, a text file would show as other lines,
// or a file system would refuse.
struct HostileName {
    QString name;
    QString stemName;  // the name's part of the key's file name
};
const HostileName kHostileNames[] = {
    {"=HYPERLINK(\"http://x\",\"Иванов\")", "_HYPERLINK__http___x___Иванов__"},
    {"+cmd|' /C calc'!A0", "_cmd____C_calc__A0"},
    {"@SUM(1+1)*cmd", "_SUM_1_1__cmd"},
    {"-2+3", "_2_3"},
    {"Петров\nИтог: верно 2 из 2", "Петров_Итог__верно_2_из_2"},
    {"Esc\x1b[31mRed", "Esc__31mRed"},
    {QString("Right\u202Eto\u202Cleft"), "Right_to_left"},
    {kChinese300, QString(60, QChar(0x5F20))},
    {QString("И\u0306ванов"), "Йванов"},  // decomposed: И + combining breve
};

// The hostile names go through variants, keys and marking: every student gets a readable key,
// the CSV files hold no cell a spreadsheet would evaluate, and Kvelta reads its own cells back
// as they were.
TEST(HostileNames, GiveReadableKeysAndInertCells)
{
    test::SeparatorScope scope(QLatin1Char(','));
    QTemporaryDir dir;
    QString list;
    for (const HostileName& student : kHostileNames)
        list += "\"ГД-21\";\"" + QString(student.name).replace("\"", "\"\"") + "\"\r\n";
    WriteBytes(dir.filePath("list.csv"), list.toUtf8());
    const int count = static_cast<int>(std::size(kHostileNames));
    ASSERT_EQ(RunSolveCommand({"meridian-arc", "--make-variants", QString::number(count), "--students",
                               dir.filePath("list.csv"), "--out", dir.filePath("v.csv")}),
              0);
    ASSERT_EQ(RunSolveCommand({"meridian-arc", "--batch", dir.filePath("v.csv"), "--keys", dir.filePath("keys"), "--no-pdf"}),
              0);
    const std::vector<QStringList> summary =
        ReadTableFile(test::ReadFile(dir.filePath("keys/summary.csv")));
    ASSERT_EQ(summary.size(), std::size(kHostileNames) + 1);
    for (int k = 1; k <= count; ++k) {
        const HostileName& student = kHostileNames[k - 1];
        const QString stem = QStringLiteral("%1-ГД_21-%2").arg(k, 3, 10, QLatin1Char('0')).arg(student.stemName);
        EXPECT_LE(stem.toUtf8().size() + 5, 255);
        const QByteArray key = test::ReadFile(dir.filePath("keys/" + stem + ".txt"));
        EXPECT_FALSE(key.isEmpty()) << test::Str(stem);
        EXPECT_FALSE(key.contains('\x1b') || key.contains("\nИтог") || key.contains("\r\nИтог")) << test::Str(stem);
        EXPECT_EQ(summary[static_cast<std::size_t>(k)][2], student.name) << k;
    }
    // No line of the files starts a cell with a formula's sign.
    for (const QString file : {"v.csv", "keys/summary.csv"}) {
        const QString text = QString::fromUtf8(test::ReadFile(dir.filePath(file)));
        for (const QString& cell : text.split(QRegularExpression("[,;\\r\\n]+\"?")))
            EXPECT_FALSE(QRegularExpression("^[=+@]").match(cell).hasMatch()) << test::Str(file + ": " + cell);
    }
    // Answers handed in with those names: grades.txt holds no forged line.
    QStringList answers = QString::fromUtf8(test::ReadFile(dir.filePath("v.csv"))).split("\r\n", Qt::SkipEmptyParts);
    for (qsizetype line = 0; line < answers.size(); ++line)
        answers[line] += line == 0 ? ";S" : ";1";
    WriteBytes(dir.filePath("answers.csv"), answers.join("\r\n").toUtf8());
    ASSERT_EQ(RunSolveCommand({"meridian-arc", "--grade", dir.filePath("answers.csv"), "--out-dir", dir.filePath("marks")}), 0);
    const QString grades = QString::fromUtf8(test::ReadFile(dir.filePath("marks/grades.txt")));
    EXPECT_EQ(grades.count("Итог"), 1) << test::Str(grades);
    EXPECT_FALSE(grades.contains(QChar(0x1b)) || grades.contains(QChar(0x202E)));
}

TEST(HostileNames, CellsAreInertAndReadBackUnchanged)
{
    const std::pair<QString, QString> cases[] = {
        {"=1+1", "'=1+1"},        {"+cmd|' /C calc'!A0", "'+cmd|' /C calc'!A0"},
        {"@SUM(A1)", "'@SUM(A1)"}, {"-A1", "'-A1"},
        {"\tx", "'\tx"},          {"'=1", "''=1"},
        {"''", "''"},              {"-12,5", "-12,5"},
        {"+3", "+3"},              {"-1.5e-3", "-1.5e-3"},
        {"Иванов", "Иванов"},      {"", ""},
        {"'", "'"},                {"-0° -30` -12,5\"", "'-0° -30` -12,5\""},
    };
    for (const auto& [cell, written] : cases) {
        EXPECT_EQ(InertCell(cell), written) << test::Str(cell);
        EXPECT_EQ(CellAsWritten(InertCell(cell)), cell) << test::Str(cell);
        const std::vector<QStringList> rows = ParseDelimited(QString::fromUtf8(DelimitedLine({cell, "x"}, ';')), ';');
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].value(0), cell) << test::Str(cell);
    }
}

TEST(HostileNames, FileNamePartsFitOnCharacterBoundaries)
{
    const struct {
        QString text;
        int maxBytes;
        QString part;
    } cases[] = {
        {"Иванов И. И.", 250, "Иванов_И__И_"},
        {QString("И\u0306ванов"), 250, "Йванов"},
        {QString("e\u0301\u0327"), 250, QString("\u0229\u0301")},  // a letter with two marks stays one
        {kChinese300, 250, QString(60, QChar(0x5F20))},
        {kChinese300, 100, QString(33, QChar(0x5F20))},
        {QString::fromUcs4(U"\U0001D400\U0001F600x"), 250, QString::fromUcs4(U"\U0001D400_x")},
        {QString::fromUcs4(U"\U0001D400\U0001D400"), 6, QString::fromUcs4(U"\U0001D400")},
        {"a\x1b\nb", 250, "a__b"},
    };
    for (const auto& c : cases) {
        const QString part = FileNamePart(c.text, c.maxBytes);
        EXPECT_EQ(part, c.part) << test::Str(c.text);
        EXPECT_LE(part.toUtf8().size(), c.maxBytes);
    }
    // "007-" and 20 characters of the group (a quarter of the room), "-" and 60 of the name.
    const QString stem = KeyFileStem(7, kChinese300, kChinese300);
    EXPECT_EQ(stem, "007-" + QString(20, QChar(0x5F20)) + "-" + QString(60, QChar(0x5F20)));
    EXPECT_LE(stem.toUtf8().size(), kFileNameBytes);
}

TEST(HostileNames, TextReportsGetOneLineOfAName)
{
    const std::pair<QString, QString> cases[] = {
        {"Петров\r\nИтог: верно 2 из 2", "Петров  Итог: верно 2 из 2"},
        {"a\x1b[31mb", "a [31mb"},
        {QString("a\u202Eb\u2066c\u2069\u200F"), "abc"},
        {QString("a\u2028b\u0085c\td"), "a b c d"},
        {"Иванов И. И.", "Иванов И. И."},
    };
    for (const auto& [text, line] : cases)
        EXPECT_EQ(SingleLineText(text), line) << test::Str(text);
}

// A run holds its folder: the earlier run's files go, what a dead run left goes, the user's own
// files stay, a second run is refused, and the folder says it is incomplete until the run ends.
TEST(RunFolder, HoldsTheFolderForOneRun)
{
    QTemporaryDir dir;
    const QStringList earlier{"001-ГД-Иванов.txt", "001-ГД-Иванов.docx", "002-x.pdf", "summary.csv", "answer-book.pdf"};
    const QStringList stale{".kvelta-Ab12Cd", ".kvelta-previous-Xy34Zw"};
    const QStringList own{"notes.txt", "variants.csv", "01-short.txt", "summary.csv.bak"};
    for (const QString& name : earlier + own + QStringList{stale[0]})
        WriteBytes(dir.filePath(name), "x");
    QDir(dir.path()).mkpath(stale[1] + "/inner");
    {
        RunFolder run{QDir(dir.path())};
        for (const QString& name : earlier + stale)
            EXPECT_FALSE(QFileInfo::exists(dir.filePath(name))) << test::Str(name);
        for (const QString& name : own)
            EXPECT_TRUE(QFileInfo::exists(dir.filePath(name))) << test::Str(name);
        EXPECT_TRUE(QFile::exists(dir.filePath(RunFolder::kIncompleteMark)));
        EXPECT_THROW(RunFolder{QDir(dir.path())}, KveltaError);
        run.finish();
        EXPECT_FALSE(QFile::exists(dir.filePath(RunFolder::kIncompleteMark)));
    }
    {
        RunFolder again{QDir(dir.path())};  // the lock went with the run
    }
    EXPECT_TRUE(QFile::exists(dir.filePath(RunFolder::kIncompleteMark)));  // that run never finished
    // A folder no run wrote keeps files that only look like a run's.
    QTemporaryDir other;
    WriteBytes(other.filePath("001-notes.txt"), "mine");
    {
        RunFolder run{QDir(other.path())};
        run.finish();
    }
    EXPECT_TRUE(QFile::exists(other.filePath("001-notes.txt")));
    const std::pair<QString, bool> names[] = {{"001-a.txt", true}, {"1234-b.docx", true}, {"12-c.txt", false},
                                              {"001-a.csv", false}, {"answer-book.pdf", true}, {"x-001.txt", false},
                                              {"007.pdf", true},  {"cards.pdf", true},   {"007x.pdf", false}, {"summary.xlsx", true}};
    for (const auto& [name, ours] : names)
        EXPECT_EQ(IsRunFile(name), ours) << test::Str(name);
}

}  // namespace
}  // namespace kvelta
