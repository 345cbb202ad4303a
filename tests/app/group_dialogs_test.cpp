#include "app/group_dialogs.h"
#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/edit_names.h"
#include "render/document_painter.h"
#include "solve/cli.h"
#include "instructor/instructor.h"
#include "instructor/spreadsheet.h"
#include "support/kvelta_test.h"
#include "support/window_test.h"

#include <QCheckBox>
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

// Whole answer keys in a folder: stem → (text report, document, PDF).
std::map<QString, std::array<QByteArray, 3>> Keys(const QDir& dir)
{
    std::map<QString, std::array<QByteArray, 3>> keys;
    const char* const kinds[] = {"*.txt", "*.docx", "*.pdf"};
    for (std::size_t kind = 0; kind < 3; ++kind)
        for (const QString& name : dir.entryList({kinds[kind]}, QDir::Files))
            if (name != "answer-book.pdf")
                keys[QFileInfo(name).completeBaseName()][kind] = test::ReadFile(dir.filePath(name));
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
        EXPECT_FALSE(dialog.cardsPerPage->isEnabled());
        dialog.cards->setChecked(true);
        ASSERT_TRUE(dialog.cardsPerPage->isEnabled());
        dialog.cardsPerPage->setCurrentIndex(dialog.cardsPerPage->findData(4));
        EXPECT_FALSE(RunDialog(dialog, dir.filePath("group"), 3, false));
        EXPECT_EQ(dialog.progress->value(), 3);
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--make-variants", "3", "--seed", "7", "--out", dir.filePath("v.csv")}), 0);
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--batch", dir.filePath("v.csv"), "--keys", dir.filePath("cli")},
                                  WritePdfBook), 0);
        EXPECT_EQ(test::ReadFile(dir.filePath("group/variants.csv")), test::ReadFile(dir.filePath("v.csv")));
        EXPECT_EQ(test::ReadFile(dir.filePath("group/summary.csv")), test::ReadFile(dir.filePath("cli/summary.csv")));
        const auto keys = Keys(QDir(dir.filePath("group"))), cliKeys = Keys(QDir(dir.filePath("cli")));
        ASSERT_EQ(keys.size(), 3u);
        ASSERT_EQ(cliKeys.size(), 3u);
        for (auto key = keys.begin(), cliKey = cliKeys.begin(); key != keys.end(); ++key, ++cliKey) {
            EXPECT_EQ(key->first, cliKey->first);
            EXPECT_EQ(key->second[0], cliKey->second[0]);
            EXPECT_EQ(key->second[1], cliKey->second[1]);
            // The PDF files differ only in their creation time.
            EXPECT_TRUE(key->second[2].startsWith("%PDF") && key->second[2].size() == cliKey->second[2].size());
        }
        EXPECT_TRUE(test::ReadFile(dir.filePath("group/answer-book.pdf")).startsWith("%PDF"));
        // The task cards are those of --cards with four a page.
        ASSERT_EQ(RunSolveCommand({"trapezoid-sides", "--batch", dir.filePath("v.csv"), "--out-dir", dir.filePath("out"),
                                   "--cards", dir.filePath("cli-cards"), "--cards-per-page", "4"},
                                  WritePdfBook), 0);
        const QStringList cards = QDir(dir.filePath("group/cards")).entryList(QDir::Files);
        EXPECT_EQ(cards.size(), 4);
        EXPECT_EQ(cards, QDir(dir.filePath("cli-cards")).entryList(QDir::Files));
        for (const QString& card : cards)
            EXPECT_EQ(test::ReadFile(dir.filePath("group/cards/" + card)).size(),
                      test::ReadFile(dir.filePath("cli-cards/" + card)).size()) << test::Str(card);

        GroupVariantsDialog cancelled;
        EXPECT_TRUE(RunDialog(cancelled, dir.filePath("cancelled"), 200, true));
        const QDir folder(dir.filePath("cancelled"));
        EXPECT_FALSE(folder.exists("cards"));  // not asked for
        const auto partial = Keys(folder);
        EXPECT_GE(partial.size(), 1u);
        EXPECT_LE(partial.size(), 200u);
        for (const auto& [stem, files] : partial) {
            EXPECT_TRUE(files[0].size() > 0 && files[1].startsWith("PK") && files[2].startsWith("%PDF")) << test::Str(stem);
            EXPECT_TRUE(files[1].size() > 1000 && files[2].size() > 1000) << test::Str(stem);
        }
        // The variants, whole keys and the summary of those: no half-written temporary file, no book.
        EXPECT_EQ(folder.entryList(QDir::Files).size(), 3 * partial.size() + 2);
        EXPECT_EQ(test::ReadFile(folder.filePath("summary.csv")).count('\n'), partial.size() + 1);
        EXPECT_TRUE(errors.messages.isEmpty()) << test::Str(errors.messages.join('\n'));
    }
}

// Marks the file as «Проверить» does; true when the marks are shown.
bool Grade(GradeAnswersDialog& dialog, const QString& fileName)
{
    QSignalSpy finished(&dialog, &GradeAnswersDialog::gradingFinished);
    dialog.file->setText(fileName);
    dialog.check->click();
    EXPECT_TRUE(dialog.running() && !dialog.check->isEnabled());
    EXPECT_TRUE(finished.wait(60000));
    return finished.size() == 1 && finished.front().at(0).toString().isEmpty();
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
        for (const ResultQuantity& result : exercise.results)
            header << result.name;
        QByteArray answers = DelimitedLine(header, field);
        for (std::size_t v = 1; v < variants.size(); ++v) {
            TypedTexts named;
            for (qsizetype c = 0; c < variants[v].size(); ++c)
                named.emplace_back(variants.front()[c], variants[v][c]);
            const Solution solution = SolveExercise(exercise, TextsOfNamedValues(exercise.edits, named));
            QStringList row = variants[v];
            for (const ResultQuantity& result : exercise.results)
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
        ASSERT_TRUE(Grade(dialog, file.fileName()));
        const int results = static_cast<int>(exercise.results.size());
        ASSERT_EQ(dialog.table->rowCount(), 2);
        ASSERT_EQ(dialog.table->columnCount(), 6 + 2 * results);
        EXPECT_EQ(dialog.table->horizontalHeaderItem(2)->text(), "Студент");
        EXPECT_EQ(dialog.table->horizontalHeaderItem(5 + 2 * results)->text(), "Итог");
        EXPECT_EQ(dialog.table->item(0, 5 + 2 * results)->text(), QStringLiteral("%1 из %1").arg(results));
        EXPECT_EQ(dialog.table->item(1, 5 + 2 * results)->text(), QStringLiteral("0 из %1").arg(results));
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

        // The search shows the students whose name holds the text.
        dialog.search->setText("вариант 2");
        EXPECT_TRUE(dialog.table->isRowHidden(0));
        EXPECT_FALSE(dialog.table->isRowHidden(1));
        dialog.search->clear();
        EXPECT_FALSE(dialog.table->isRowHidden(0));
        // A tolerance wide enough makes the second student's answers right; one that is no number
        // is an error box, and the marks stay.
        ASSERT_EQ(dialog.tolerances->rowCount(), results);
        for (int r = 0; r < results; ++r)
            dialog.tolerances->item(r, 1)->setText("1e12");
        ASSERT_TRUE(Grade(dialog, file.fileName()));
        EXPECT_EQ(dialog.table->item(1, 3)->text(), "1");
        dialog.tolerances->item(0, 1)->setText("один");
        QSignalSpy refused(&dialog, &GradeAnswersDialog::gradingFinished);
        dialog.check->click();  // refused before any marking starts
        ASSERT_EQ(refused.size(), 1);
        EXPECT_TRUE(refused.front().at(0).toString().contains("не число"));
        EXPECT_EQ(errors.messages.size(), 1);
        EXPECT_EQ(dialog.table->item(1, 3)->text(), "1");
        errors.messages.clear();
        dialog.tolerances->item(0, 1)->setText("");
        EXPECT_TRUE(errors.messages.isEmpty()) << test::Str(errors.messages.join('\n'));
        // An unreadable file is an error box, not a crash.
        EXPECT_FALSE(Grade(dialog, dir.filePath("missing.csv")));
        EXPECT_EQ(errors.messages.size(), 1);
    }
}

}  // namespace
}  // namespace kvelta
