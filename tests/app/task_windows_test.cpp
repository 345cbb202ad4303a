// Every exercise's window is the one its description gives — caption, edits with their defaults,
// tables as created — and its layout keeps every caption and value readable.

#include "app/task_windows.h"
#include "catalogue/catalogue.h"
#include "frame/task_form.h"
#include "support/window_test.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

namespace kvelta {
namespace {

using test::Str;

std::unique_ptr<TaskForm> NewWindow(const Exercise& exercise)
{
    std::unique_ptr<TaskForm> form(CreateTaskForm(exercise));
    EXPECT_TRUE(form) << Str(exercise.windowClass);
    return form;
}

TEST(TaskWindows, EveryExerciseOpensTheWindowItsDescriptionGives)
{
    for (QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            SCOPED_TRACE(Str(exercise->windowClass));
            const std::unique_ptr<TaskForm> form = NewWindow(*exercise);
            ASSERT_TRUE(form);
            EXPECT_EQ(&form->exercise(), exercise);
            EXPECT_EQ(Str(form->caption()), Str(exercise->caption));
            EXPECT_EQ(Str(form->objectName()), Str(WindowObjectName(exercise->windowClass)));

            QStringList onScreen;
            for (const QLineEdit* edit : form->panel()->findChildren<QLineEdit*>())
                onScreen << edit->objectName();
            QStringList described;
            for (const EditField& field : exercise->edits) {
                described << field.name;
                const QLineEdit* edit = form->edit(field.name);
                EXPECT_EQ(Str(edit->text()), Str(ShownDefault(field))) << Str(field.name);
                EXPECT_EQ(edit->isHidden(), field.kind == EditKind::Unused) << Str(field.name);
                EXPECT_EQ(edit->maxLength(), kEditMaxLength);
            }
            onScreen.sort();
            described.sort();
            EXPECT_EQ(onScreen, described);

            // The tables as a new window's creation writes them: headings and labels only.
            const ExerciseTables created(*exercise);
            const ReportView view = form->reportView();
            ASSERT_EQ(view.tables.size(), exercise->tables.size());
            for (std::size_t i = 0; i < view.tables.size(); ++i) {
                EXPECT_EQ(Str(view.tables[i].name), Str(exercise->tables[i].name));
                EXPECT_EQ(Str(view.tables[i].page), Str(exercise->tables[i].page));
                EXPECT_EQ(test::AllCells(*view.tables[i].table), test::AllCells(created[i]));
                const ResultGrid* grid = form->grid(exercise->tables[i].name);
                for (int c = 0; c < grid->table().columnCount(); ++c)  // a hidden column has no width
                    EXPECT_GE(grid->columnWidth(c), grid->table().columnInUse(c) ? exercise->tables[i].width(c) : 0);
            }
            EXPECT_EQ(view.activePage, exercise->hasPages() ? 0 : -1);
        }
    }
}

// The design names a window after its class without the "T" of the convention; a class named
// otherwise keeps every letter.
TEST(TaskWindows, ObjectNameDropsOnlyTheConventionalT)
{
    const std::pair<const char*, const char*> cases[] = {
        {"TMForm", "MForm"},       {"TPrKoordForm", "PrKoordForm"}, {"TCurvatureRadiiForm", "CurvatureRadiiForm"},
        {"RadiiForm", "RadiiForm"}, {"Tablet", "Tablet"},             {"T", "T"},
        {"", ""},                   {"TT", "T"},
    };
    for (const auto& [windowClass, objectName] : cases)
        EXPECT_EQ(Str(WindowObjectName(QString::fromLatin1(windowClass))), objectName) << windowClass;
}

// Every control stands where the layout puts it, with its text and look, and Tab walks the edits
// and the button in the layout's order; the window opens at the layout's size.
TEST(TaskWindows, ControlsStandWhereTheLayoutPutsThem)
{
    for (const Exercise* exercise : Catalogue()) {
        SCOPED_TRACE(Str(exercise->windowClass));
        const std::unique_ptr<TaskForm> form = NewWindow(*exercise);
        ASSERT_TRUE(form);
        const WindowLayout& layout = exercise->window;
        EXPECT_EQ(form->sizeHint(), QSize(layout.width, layout.height));
        EXPECT_EQ(form->panel()->height(), layout.panelHeight);
        QList<QLabel*> labels = form->panel()->findChildren<QLabel*>();
        QStringList tabOrder, placedOrder;
        for (const PlacedControl& placed : layout.controls) {
            switch (placed.kind) {
            case PlacedControl::Kind::Edit: {
                const QLineEdit* edit = form->edit(placed.text);
                EXPECT_EQ(edit->geometry(), QRect(placed.left, placed.top, placed.width, 21)) << Str(placed.text);
                if (!edit->isHidden())
                    placedOrder << placed.text;
                break;
            }
            case PlacedControl::Kind::Button:
                EXPECT_EQ(form->button()->geometry(), QRect(placed.left, placed.top, 75, 25));
                placedOrder << form->button()->objectName();
                break;
            default: {
                ASSERT_FALSE(labels.isEmpty()) << Str(placed.text);
                const QLabel* label = labels.takeFirst();  // made in the layout's order
                EXPECT_EQ(Str(label->text()), Str(placed.text));
                EXPECT_EQ(label->pos(), QPoint(placed.left, placed.top)) << Str(placed.text);
                EXPECT_EQ(label->font().bold(), placed.kind == PlacedControl::Kind::Caption) << Str(placed.text);
                if (placed.width > 0)
                    EXPECT_EQ(label->width(), placed.width) << Str(placed.text);
            }
            }
        }
        EXPECT_TRUE(labels.isEmpty());
        QWidget* w = form->edit(QStringLiteral("Edit1"));
        for (int step = 0; step < 1000 && tabOrder.size() < placedOrder.size(); ++step, w = w->nextInFocusChain())
            if ((qobject_cast<QLineEdit*>(w) || qobject_cast<QPushButton*>(w)) && !w->isHidden())
                tabOrder << w->objectName();
        EXPECT_EQ(tabOrder, placedOrder);
    }
}

// The meridian-arc window, by the numbers of its design.
TEST(TaskWindows, MeridianArcWindowKeepsItsDesign)
{
    const std::unique_ptr<TaskForm> form = NewWindow(*FindExercise(QStringLiteral("meridian-arc")));
    ASSERT_TRUE(form);
    EXPECT_EQ(form->objectName(), QStringLiteral("MForm"));
    EXPECT_EQ(form->sizeHint(), QSize(461, 269));
    EXPECT_EQ(form->edit(QStringLiteral("Edit1"))->geometry(), QRect(144, 8, 265, 21));
    EXPECT_EQ(form->edit(QStringLiteral("Edit5"))->geometry(), QRect(152, 64, 41, 21));
    EXPECT_EQ(form->edit(QStringLiteral("Edit6"))->geometry(), QRect(240, 64, 41, 21));
    EXPECT_EQ(form->button()->geometry(), QRect(183, 96, 75, 25));
}

// No caption runs into an edit, the button or another caption, in whatever face the system
// gives; every seconds edit shows four decimals whole.
TEST(TaskWindows, CaptionsAndValuesStayReadable)
{
    for (const Exercise* exercise : Catalogue()) {
        SCOPED_TRACE(Str(exercise->windowClass));
        const std::unique_ptr<TaskForm> form = NewWindow(*exercise);
        ASSERT_TRUE(form);
        QList<QRect> occupied;
        for (const QWidget* w : form->panel()->findChildren<QWidget*>())
            if (!w->isHidden() && (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPushButton*>(w)))
                occupied << w->geometry();
        for (const QLabel* label : form->panel()->findChildren<QLabel*>()) {
            if (label->isHidden())
                continue;
            const QRect text(label->pos(), QSize(label->fontMetrics().horizontalAdvance(label->text()),
                                                 label->fontMetrics().ascent()));
            for (const QRect& other : occupied)
                EXPECT_FALSE(text.intersects(other)) << Str(label->text()) << " runs into a control";
            occupied << text;
        }
        for (const EditField& field : exercise->edits) {
            const QLineEdit* edit = form->edit(field.name);
            if (edit->width() > 41 || !field.label.endsWith(QLatin1Char('"')))
                continue;
            const int room = edit->width() - 2 * 2 - 2 * (2 + edit->textMargins().left());
            for (QChar separator : test::kSeparators)
                EXPECT_LE(edit->fontMetrics().horizontalAdvance(test::WithSeparator(QStringLiteral("44.0822"), separator)),
                          room)
                    << Str(field.name);
        }
        // Tables on pages take the window's face, in their cells and their headings.
        for (const TableLayout& layout : exercise->tables) {
            const ResultGrid* grid = form->grid(layout.name);
            EXPECT_TRUE(grid->font() == form->font());
            EXPECT_TRUE(grid->horizontalHeader()->font() == form->font());
            EXPECT_EQ(grid->textElideMode(), Qt::ElideNone);  // a long text is cut, not shortened
        }
    }
}

// After the worked example every column is at least its design width and as wide as its longest
// text (the table keeps the design widths for the reports), and the copied texts are the cells.
TEST(TaskWindows, ColumnsShowWholeValuesAndCopyAsTabSeparatedText)
{
    for (QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            SCOPED_TRACE(Str(exercise->windowClass));
            const std::unique_ptr<TaskForm> form = NewWindow(*exercise);
            ASSERT_TRUE(form);
            form->fillExample();
            form->compute();
            for (const TableLayout& layout : exercise->tables) {
                ResultGrid* grid = form->grid(layout.name);
                grid->fitColumns();
                const ResultTable& table = grid->table();
                const QFontMetrics metrics(grid->font());
                QCoreApplication::processEvents();
                for (int c = 0; c < table.columnCount(); ++c) {
                    EXPECT_EQ(table.columnWidth(c), layout.width(c));
                    EXPECT_EQ(grid->isColumnHidden(c), !table.columnInUse(c)) << c;
                    if (grid->isColumnHidden(c))
                        continue;
                    EXPECT_GE(grid->columnWidth(c), layout.width(c));
                    for (int r = 1; r < table.rowCount(); ++r)
                        EXPECT_GT(grid->columnWidth(c), metrics.horizontalAdvance(table.cell(c, r)))
                            << Str(table.cell(c, r));
                }
                // Rows 1 and 2 of the first two columns (value rows 0 and 1 of the view).
                grid->selectionModel()->select(QItemSelection(grid->model()->index(0, 0), grid->model()->index(1, 1)),
                                               QItemSelectionModel::ClearAndSelect);
                EXPECT_EQ(Str(grid->selectedText()), Str(table.cell(0, 1) + "\t" + table.cell(1, 1) + "\n"
                                                        + table.cell(0, 2) + "\t" + table.cell(1, 2) + "\n"));
                // What the grid shows: the rows and columns in use, the others hidden.
                const QStringList lines = grid->wholeTableText().split('\n', Qt::SkipEmptyParts);
                ASSERT_EQ(lines.size(), static_cast<qsizetype>(table.rowsInUse().size()));
                EXPECT_EQ(lines.front().split('\t').size(), static_cast<qsizetype>(table.columnsInUse().size()));
                for (int r = 1; r < table.rowCount(); ++r)
                    EXPECT_EQ(grid->isRowHidden(r - 1), !table.rowInUse(r)) << r;
                EXPECT_EQ(Str(lines.front().split('\t').front()), Str(table.cell(0, 0)));
            }
        }
    }
}

}  // namespace
}  // namespace kvelta
