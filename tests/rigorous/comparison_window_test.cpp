// The comparison window offscreen: it opens for an exercise window, computes from that window's
// current edits (not from its tables), leaves the exercise window as it was, and reports a
// conversion error as "Вычислить" does.
#include "ellipsoid/exercises.h"
#include "frame/task_form.h"
#include "gauss_kruger/exercises.h"
#include "rigorous/comparison_window.h"
#include "support/window_test.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <memory>

namespace kvelta {
namespace {

using test::AllCells;
using test::ErrorRecorder;
using test::SeparatorScope;
using test::Str;

QStringList EditTexts(TaskForm& form)
{
    QStringList texts;
    for (QLineEdit* e : form.findChildren<QLineEdit*>())
        texts << e->objectName() + QLatin1Char('=') + e->text();
    return texts;
}

QString Cell(const RigorousComparisonWindow& w, int row, int column) { return w.table()->item(row, column)->text(); }

TEST(RigorousComparisonWindow, ComputesFromCurrentEditsAndLeavesTheWindowAlone)
{
    SeparatorScope scope(QLatin1Char(','));
    ErrorRecorder errors;
    auto form = std::make_unique<TaskForm>(GaussKrugerForwardExercise());
    form->edit(QStringLiteral("Edit3"))->setText(QStringLiteral("21"));
    form->edit(QStringLiteral("Edit6"))->setText(QStringLiteral("51"));
    form->edit(QStringLiteral("Edit7"))->setText(QStringLiteral("38"));
    form->edit(QStringLiteral("Edit8"))->setText(QStringLiteral("44,0822"));
    form->edit(QStringLiteral("Edit9"))->setText(QStringLiteral("24"));
    form->edit(QStringLiteral("Edit10"))->setText(QStringLiteral("2"));
    form->edit(QStringLiteral("Edit11"))->setText(QStringLiteral("13,1579"));
    // "Вычислить" is not pressed: the table is empty, the comparison still has the example.
    const QStringList cellsBefore = AllCells(form->grid(QStringLiteral("StringGrid1"))->table());
    const QStringList editsBefore = EditTexts(*form);

    std::unique_ptr<RigorousComparisonWindow> window(CreateRigorousComparison(*form, nullptr));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(window->windowTitle().contains(form->caption()));
    ASSERT_EQ(window->table()->rowCount(), 2);
    EXPECT_EQ(Str(Cell(*window, 0, 0)), "x, м");
    EXPECT_EQ(Str(Cell(*window, 0, 1)), "5728374,727");
    EXPECT_EQ(Str(Cell(*window, 0, 2)), "5728380,126");
    EXPECT_EQ(Str(Cell(*window, 0, 3)), "-5,399 м");
    EXPECT_EQ(Str(Cell(*window, 1, 1)), "210198,193");
    EXPECT_EQ(Str(Cell(*window, 1, 2)), "210198,390");
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("Ellipsoid"))->text().contains(QStringLiteral("298,3")));
    EXPECT_FALSE(window->findChild<QLabel*>(QStringLiteral("Note"))->text().isEmpty());
    EXPECT_EQ(AllCells(form->grid(QStringLiteral("StringGrid1"))->table()), cellsBefore);
    EXPECT_EQ(EditTexts(*form), editsBefore);

    // The computed table of the exercise stays as "Вычислить" wrote it; "Пересчитать" reads the
    // edits as they are now.
    form->compute();
    const QStringList computed = AllCells(form->grid(QStringLiteral("StringGrid1"))->table());
    form->edit(QStringLiteral("Edit9"))->setText(QStringLiteral("-3"));
    form->edit(QStringLiteral("Edit10"))->setText(QStringLiteral("0"));
    form->edit(QStringLiteral("Edit11"))->setText(QStringLiteral("0"));
    form->edit(QStringLiteral("Edit6"))->setText(QStringLiteral("0"));
    form->edit(QStringLiteral("Edit7"))->setText(QStringLiteral("0"));
    form->edit(QStringLiteral("Edit8"))->setText(QStringLiteral("0"));
    form->edit(QStringLiteral("Edit3"))->setText(QStringLiteral("0"));
    window->recompute();
    EXPECT_EQ(Str(Cell(*window, 1, 1)), "-334117,545");
    EXPECT_EQ(Str(Cell(*window, 1, 2)), "-334117,859");
    EXPECT_EQ(AllCells(form->grid(QStringLiteral("StringGrid1"))->table()), computed);
    EXPECT_TRUE(errors.messages.isEmpty());

    // A bad edit on recompute: the error box, and the window keeps its rows.
    form->edit(QStringLiteral("Edit9"))->setText(QStringLiteral("abc"));
    window->recompute();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_EQ(Str(errors.messages[0]), "'abc' is not a valid floating point value.");
    EXPECT_EQ(Str(Cell(*window, 1, 1)), "-334117,545");

    // The exercise window closes first: nothing to recompute from, no crash.
    form.reset();
    window->recompute();
    EXPECT_EQ(errors.messages.size(), 1);
}

TEST(RigorousComparisonWindow, ConversionErrorShowsTheErrorBoxAndNoWindow)
{
    SeparatorScope scope(QLatin1Char(','));
    ErrorRecorder errors;
    auto form = std::make_unique<TaskForm>(MeridianArcExercise());
    form->edit(QStringLiteral("Edit4"))->setText(QStringLiteral("1.5"));
    EXPECT_EQ(CreateRigorousComparison(*form, nullptr), nullptr);
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_EQ(Str(errors.messages[0]), "'1.5' is not a valid floating point value.");
}

// The screenshot of the Gauss–Krüger example, for looking at (written next to the test program).
TEST(RigorousComparisonWindow, ScreenshotOfTheGaussKrugerExample)
{
    SeparatorScope scope(QLatin1Char(','));
    auto form = std::make_unique<TaskForm>(ZoneTransferExercise());
    std::unique_ptr<RigorousComparisonWindow> window(CreateRigorousComparison(*form, nullptr));
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->table()->rowCount(), 4);
    EXPECT_EQ(Str(Cell(*window, 3, 1)), "-205079,132");
    EXPECT_EQ(Str(Cell(*window, 3, 2)), "-205079,965");
    window->resize(1000, 420);
    const QString path = QDir::current().filePath(QStringLiteral("rigorous-gauss-kruger.png"));
    EXPECT_TRUE(window->grab().save(path));
}

}  // namespace
}  // namespace kvelta
