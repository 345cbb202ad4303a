#include "app/group_dialogs.h"
#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "solve/cli.h"
#include "solve/instructor.h"
#include "solve/spreadsheet.h"
#include "support/kvelta_test.h"
#include "support/window_test.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

namespace kvelta {
namespace {

using test::SeparatorScope;

// Whole answer keys in a folder: stem → (text report, document).
std::map<QString, std::pair<QByteArray, QByteArray>> Keys(const QDir& dir)
{
    std::map<QString, std::pair<QByteArray, QByteArray>> keys;
    for (const QString& name : dir.entryList({"*.txt"}, QDir::Files))
        keys[QFileInfo(name).completeBaseName()].first = test::ReadFile(dir.filePath(name));
    for (const QString& name : dir.entryList({"*.docx"}, QDir::Files))
        keys[QFileInfo(name).completeBaseName()].second = test::ReadFile(dir.filePath(name));
    return keys;
}

bool RunDialog(GroupVariantsDialog& dialog, const QString& folder, int count, bool cancelAtFirst)
{
    dialog.exercise->setCurrentIndex(dialog.exercise->findData("trapezoid-sides"));
    dialog.count->setValue(count);
    dialog.seed->setValue(7);
    dialog.folder->setText(folder);
    QSignalSpy finished(&dialog, &GroupVariantsDialog::workFinished);
    if (cancelAtFirst)
        QObject::connect(&dialog, &GroupVariantsDialog::progressed, &dialog, [&dialog](int done, int) {
            if (done == 1)
                dialog.cancelWork();
        });
    dialog.start->click();
    EXPECT_TRUE(dialog.running());
    EXPECT_TRUE(finished.wait(120000));
    EXPECT_FALSE(dialog.running());
    EXPECT_EQ(finished.front().at(0).toString(), "");
    return finished.front().at(1).toBool();
}

// The dialog writes what kvelta-solve --make-variants and --batch --keys write for the same
// exercise, count and seed; a cancelled run leaves only whole keys.
TEST(GroupDialogs, WritesVariantsAndKeysAsTheCommandLineAndCancelsBetweenVariants)
{
    for (const QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        test::ErrorRecorder errors;
        QTemporaryDir dir;
        GroupVariantsDialog dialog;
        EXPECT_FALSE(RunDialog(dialog, dir.filePath("group"), 3, false));
        EXPECT_EQ(dialog.progress->value(), 3);
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--make-variants", "3", "--seed", "7", "--out", dir.filePath("v.csv")}), 0);
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--batch", dir.filePath("v.csv"), "--keys", dir.filePath("cli"), "--no-pdf"}), 0);
        EXPECT_EQ(test::ReadFile(dir.filePath("group/variants.csv")), test::ReadFile(dir.filePath("v.csv")));
        const auto keys = Keys(QDir(dir.filePath("group")));
        EXPECT_EQ(keys.size(), 3u);
        EXPECT_TRUE(keys == Keys(QDir(dir.filePath("cli"))));

        GroupVariantsDialog cancelled;
        EXPECT_TRUE(RunDialog(cancelled, dir.filePath("cancelled"), 200, true));
        const QDir folder(dir.filePath("cancelled"));
        const auto partial = Keys(folder);
        EXPECT_GE(partial.size(), 1u);
        EXPECT_LE(partial.size(), 200u);
        for (const auto& [stem, files] : partial) {
            EXPECT_TRUE(files.first.size() > 0 && files.second.startsWith("PK")) << test::Str(stem);
            EXPECT_TRUE(files.second.size() > 1000) << test::Str(stem);
        }
        // Nothing but the variants and whole keys: no half-written temporary file.
        EXPECT_EQ(folder.entryList(QDir::Files).size(), 2 * partial.size() + 1);
        EXPECT_TRUE(errors.messages.isEmpty()) << test::Str(errors.messages.join('\n'));
    }
}

// One student all right, one all wrong: green and red verdict cells, and the export is grades.csv.
TEST(GroupDialogs, MarksRightAnswersGreenAndWrongRed)
{
    for (const QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        const Exercise& exercise = *FindExercise("meridian-arc");
        QTemporaryDir dir;
        const QChar field = separator == ',' ? ';' : ',';
        const std::vector<QStringList> variants =
            ParseDelimited(QString::fromUtf8(MakeVariants(exercise, 2, 3, {})), field);
        QStringList header = variants.front();
        for (const QuantitySpec& result : exercise.results)
            header << result.name;
        QByteArray answers = DelimitedLine(header, field);
        for (std::size_t v = 1; v < variants.size(); ++v) {
            TypedTexts typed;
            for (qsizetype c = 0; c < variants[v].size(); ++c)
                typed.emplace_back(variants.front()[c], variants[v][c]);
            const Solution solution = SolveExercise(exercise, typed);
            QStringList row = variants[v];
            for (const QuantitySpec& result : exercise.results)
                row << (v == 1 ? solution.tables[static_cast<std::size_t>(result.table)].cell(result.column, result.row)
                               : QString("12345"));
            answers += DelimitedLine(row, field);
        }
        QFile file(dir.filePath("ANSWERS.csv"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(answers);
        file.close();

        test::ErrorRecorder errors;
        GradeAnswersDialog dialog;
        dialog.exercise->setCurrentIndex(dialog.exercise->findData("meridian-arc"));
        ASSERT_TRUE(dialog.grade(file.fileName()));
        const int results = static_cast<int>(exercise.results.size());
        ASSERT_EQ(dialog.table->rowCount(), 2);
        ASSERT_EQ(dialog.table->columnCount(), 5 + 2 * results);
        for (int r = 0; r < results; ++r) {
            EXPECT_EQ(dialog.table->item(0, 3 + 2 * r)->text(), "1");
            EXPECT_EQ(dialog.table->item(0, 3 + 2 * r)->background().color(), QColor(0xc8, 0xf0, 0xc8));
            EXPECT_EQ(dialog.table->item(1, 3 + 2 * r)->text(), "0");
            EXPECT_EQ(dialog.table->item(1, 4 + 2 * r)->background().color(), QColor(0xf8, 0xc8, 0xc8));
        }
        EXPECT_EQ(dialog.table->item(0, 3 + 2 * results)->text(), QString::number(results));
        EXPECT_EQ(dialog.table->item(1, 3 + 2 * results)->text(), "0");

        ASSERT_TRUE(dialog.exportCsv(dir.filePath("export.csv")));
        ASSERT_EQ(RunSolveCommand({"meridian-arc", "--grade", file.fileName(), "--out-dir", dir.path()}), 0);
        EXPECT_EQ(test::ReadFile(dir.filePath("export.csv")), test::ReadFile(dir.filePath("grades.csv")));
        EXPECT_TRUE(errors.messages.isEmpty()) << test::Str(errors.messages.join('\n'));
        // An unreadable file is an error box, not a crash.
        EXPECT_FALSE(dialog.grade(dir.filePath("missing.csv")));
        EXPECT_EQ(errors.messages.size(), 1);
    }
}

}  // namespace
}  // namespace kvelta
