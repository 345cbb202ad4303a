#include "spherical/sf_tr_form.h"

#include "support/kvelta_test.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

namespace kvelta {
namespace {

using test::ErrorRecorder;
using test::kSeparators;
using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

struct FormDeleter {
    void operator()(TSfTrForm* form) const { delete form; }
};
using Form = std::unique_ptr<TSfTrForm, FormDeleter>;

Form NewWindow() { return Form(TaskForm::Create<TSfTrForm>()); }

QString Cell(TSfTrForm& form, int page, int column, int row)
{
    return form.pageTables()[static_cast<std::size_t>(page - 1)]->cell(column, row);
}

TEST(SfTrForm, LayoutOfANewWindow)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Form form = NewWindow();
        EXPECT_EQ(Str(form->caption()), "Решение большого сферического треугольника");
        EXPECT_EQ(form->size(), QSize(664, 543));
        EXPECT_EQ(form->panel()->height(), 169);
        // The default side is shown with the user's separator, so it is read in either locale.
        EXPECT_EQ(Str(form->edit(QStringLiteral("Edit21"))->text()), "804666" + Str(QString(separator)) + "593");
        EXPECT_EQ(form->edit(QStringLiteral("Edit21"))->geometry(), QRect(248, 136, 89, 21));
        EXPECT_EQ(form->button()->geometry(), QRect(343, 136, 75, 25));
        EXPECT_EQ(Str(form->button()->text()), "Вычислить");
        EXPECT_EQ(form->edit(QStringLiteral("Edit22"))->geometry(), QRect(40, 136, 41, 21));
        EXPECT_EQ(form->edit(QStringLiteral("Edit14"))->geometry(), QRect(360, 64, 41, 21));
        EXPECT_EQ(form->edit(QStringLiteral("Edit20"))->geometry(), QRect(360, 112, 41, 21));
        for (int n = 3; n <= 24; ++n)
            if (n != 21)
                EXPECT_EQ(Str(form->edit(QStringLiteral("Edit%1").arg(n))->text()), "0") << n;

        QTabWidget* pages = form->pageControl();
        ASSERT_EQ(pages->count(), 8);
        EXPECT_EQ(pages->currentIndex(), 0);
        const ReportView view = form->reportView();
        ASSERT_EQ(view.tables.size(), 8u);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(Str(pages->tabText(i)), std::to_string(i + 1));
            EXPECT_EQ(Str(view.tables[static_cast<std::size_t>(i)].name), "StringGrid" + std::to_string(i + 1));
        }
        EXPECT_EQ(view.tables[3].table->columnWidth(4), 80);
        EXPECT_EQ(view.tables[6].table->columnWidth(0), 162);
        EXPECT_EQ(Str(Cell(*form, 1, 2, 24)), "E/12");
        EXPECT_EQ(Str(Cell(*form, 1, 3, 24)), "");  // values wait for "Вычислить"

        // Bold maroon row captions.
        QStringList captions;
        for (QLabel* label : form->panel()->findChildren<QLabel*>())
            if (label->font().bold())
                captions << label->text();
        captions.sort();
        EXPECT_EQ(Str(captions.join(' ')), "A B Ba Bb Bc Bm C b");
    }
}

TEST(SfTrForm, TabOrderRunsDownTheLeftColumnThenTheRight)
{
    Form form = NewWindow();
    QStringList expected = {"Edit1", "Edit2"};
    for (int first : {3, 6, 9, 22, 12, 15, 18})
        for (int i = 0; i < 3; ++i)
            expected << QStringLiteral("Edit%1").arg(first + i);
    expected << "Edit21" << "Button1";
    QStringList order;
    QWidget* w = form->edit(QStringLiteral("Edit1"));
    for (int i = 0; i < 200 && order.size() < expected.size(); ++i, w = w->nextInFocusChain())
        if (expected.contains(w->objectName()) && !order.contains(w->objectName()))
            order << w->objectName();
    EXPECT_EQ(Str(order.join(' ')), Str(expected.join(' ')));
}

TEST(SfTrForm, ComputesTypedExampleAndStopsOnDefaults)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        ErrorRecorder errors;
        Form form = NewWindow();

        // A new window's defaults stop at the excess from the angles (0/0), after emptying "D1".
        form->button()->click();
        EXPECT_EQ(Str(errors.messages.join('|')), "Invalid floating point operation.");
        EXPECT_EQ(Str(Cell(*form, 3, 1, 2)), Str(WithSeparator(QStringLiteral("647488.33"), separator)));
        EXPECT_EQ(Str(Cell(*form, 3, 3, 3)), "");
        EXPECT_EQ(Str(Cell(*form, 3, 3, 4)), "");
        EXPECT_EQ(Str(Cell(*form, 4, 1, 1)), "");

        const std::pair<const char*, const char*> typed[] = {
            {"Edit3", "50"},  {"Edit4", "7"},  {"Edit5", "0"},  {"Edit6", "60"},  {"Edit7", "8"},  {"Edit8", "0"},
            {"Edit9", "70"},  {"Edit10", "7"}, {"Edit11", "43"}, {"Edit22", "44"}, {"Edit23", "30"}, {"Edit24", "0"},
            {"Edit12", "50"}, {"Edit13", "0"}, {"Edit14", "0"}, {"Edit15", "48"}, {"Edit16", "0"}, {"Edit17", "0"},
            {"Edit18", "47"}, {"Edit19", "30"}, {"Edit20", "0"}};
        for (const auto& [name, text] : typed)
            form->edit(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
        errors.messages.clear();
        form->button()->click();
        EXPECT_TRUE(errors.messages.isEmpty()) << Str(errors.messages.join('|'));
        EXPECT_EQ(Str(Cell(*form, 2, 1, 1)), Str(WithSeparator(QStringLiteral("50° 6` 59.9585\""), separator)));
        EXPECT_EQ(Str(Cell(*form, 3, 3, 4)), Str(WithSeparator(QStringLiteral("1365.202 \""), separator)));
        EXPECT_EQ(Str(Cell(*form, 6, 3, 4)), Str(WithSeparator(QStringLiteral("22.7668\""), separator)));
        EXPECT_EQ(Str(Cell(*form, 8, 3, 2)), Str(WithSeparator(QStringLiteral("711617.527"), separator)));

        // A bad field is named and nothing changes.
        const ReportView before = form->reportView();
        QStringList cellsBefore;
        for (const ReportTable& t : before.tables)
            cellsBefore << test::AllCells(*t.table);
        form->edit(QStringLiteral("Edit24"))->setText(QStringLiteral("1O"));
        errors.messages.clear();
        form->button()->click();
        EXPECT_EQ(Str(errors.messages.join('|')), "'1O' is not a valid floating point value.");
        QStringList cellsAfter;
        for (const ReportTable& t : form->reportView().tables)
            cellsAfter << test::AllCells(*t.table);
        EXPECT_EQ(Str(cellsAfter.join('|')), Str(cellsBefore.join('|')));
    }
}

}  // namespace
}  // namespace kvelta
