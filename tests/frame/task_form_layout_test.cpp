#include "frame/task_form.h"
#include "support/kvelta_test.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

namespace kvelta {
namespace {

// A window with the common panel, the widest labels the exercises place before an edit, and a table.
class LayoutForm : public TaskForm {
public:
    LayoutForm()
    {
        resize(461, 269);
        setPanelHeight(129);
        addStudentFields();
        addLabel(QStringLiteral("Label11"), QStringLiteral("L2-L1"), 2, 100, LabelStyle::BoldMaroon);
        addEdit(QStringLiteral("Edit9"), 40, 96, 57, QStringLiteral("1800"));
        addLabel(QStringLiteral("Label12"), QStringLiteral("X,м"), 8, 76, LabelStyle::BoldMaroon);
        addEdit(QStringLiteral("Edit10"), 40, 72, 121, QStringLiteral("5728374,726"));
        addLabel(QStringLiteral("Label13"), QStringLiteral("Bm"), 224, 100, LabelStyle::BoldMaroon);
        addEdit(QStringLiteral("Edit11"), 248, 96, 41, QStringLiteral("0"));
        addButton1(183, 96);
        addGrid(QStringLiteral("StringGrid1"), 4, 18, {92, 96, 97, 92});
    }
    void FormCreate() override {}
    void Button1Click() override {}
};

TEST(TaskFormLayout, LabelsEndBeforeTheEditsTheyName)
{
    LayoutForm form;
    const std::pair<const char*, const char*> pairs[] = {
        {"Label1", "Edit1"}, {"Label2", "Edit2"}, {"Label11", "Edit9"}, {"Label12", "Edit10"}, {"Label13", "Edit11"}};
    for (const auto& [labelName, editName] : pairs) {
        SCOPED_TRACE(labelName);
        const QLabel* l = form.label(QString::fromLatin1(labelName));
        ASSERT_NE(l, nullptr);
        const int textRight = l->x() + l->fontMetrics().horizontalAdvance(l->text());
        EXPECT_LT(textRight, form.edit(QString::fromLatin1(editName))->x()) << l->text().toStdString();
    }
}

TEST(TaskFormLayout, SecondsWithFourDecimalsShowWholeInTheirEdit)
{
    LayoutForm form;
    const QLineEdit* seconds = form.edit(QStringLiteral("Edit11"));
    ASSERT_EQ(seconds->width(), 41);
    // The edit's frame and the line edit's own margin, less the margin the window takes back.
    const int textWidth = seconds->width() - 2 * 2 - 2 * (2 + seconds->textMargins().left());
    for (const auto& separator : test::kSeparators)
        EXPECT_LE(seconds->fontMetrics().horizontalAdvance(test::WithSeparator(QStringLiteral("44.0822"), separator)),
                  textWidth);
}

TEST(TaskFormLayout, TableTextsOfTheDesignWidthFitTheirColumns)
{
    LayoutForm form;
    const ResultGrid* grid = form.grid(QStringLiteral("StringGrid1"));
    ASSERT_NE(grid, nullptr);
    const QFontMetrics metrics = grid->fontMetrics();
    // An angle text in a 96-pixel value column and a long formula label in a 97-pixel one.
    for (const auto& separator : test::kSeparators) {
        const QString angle = test::WithSeparator(QStringLiteral("50° 30` 0.0000\""), separator);
        EXPECT_LE(metrics.horizontalAdvance(angle) + 4, grid->columnWidth(1)) << angle.toStdString();
    }
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("1.25e^2sin^2Bcp")) + 4, grid->columnWidth(2));
    // Longer texts are cut at the cell edge, not shortened with an ellipsis.
    EXPECT_EQ(grid->textElideMode(), Qt::ElideNone);
}

// A window whose tables sit on the pages of a page control.
class PagedForm : public TaskForm {
public:
    PagedForm()
    {
        resize(446, 317);
        setPanelHeight(114);
        addStudentFields();
        addButton1(271, 64);
        addPage(QStringLiteral("Первый этап"), QStringLiteral("StringGrid1"), 2, 27, {138, 142});
        addPage(QStringLiteral("Второй этап"), QStringLiteral("StringGrid2"), 2, 24, {142, 158});
    }
    void FormCreate() override {}
    void Button1Click() override {}
};

TEST(TaskFormLayout, TablesOnPagesUseTheWindowFontInCellsAndHeadings)
{
    PagedForm form;
    for (const char* name : {"StringGrid1", "StringGrid2"}) {
        SCOPED_TRACE(name);
        const ResultGrid* grid = form.grid(QString::fromLatin1(name));
        ASSERT_NE(grid, nullptr);
        for (const QFont& font : {grid->font(), grid->horizontalHeader()->font()})
            EXPECT_TRUE(font == form.font()) << font.toString().toStdString();
    }
}

}  // namespace
}  // namespace kvelta
