#include "spherical/resh_stm_form.h"

#include "frame/error_box.h"
#include "support/kvelta_test.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

namespace kvelta {
namespace {

using test::ErrorRecorder;
using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

TEST(TReshSTmForm, Layout)
{
    for (const QChar sep : test::kSeparators) {
        SCOPED_TRACE(Str(QString(sep)));
        SeparatorScope scope(sep);
        std::unique_ptr<TReshSTmForm> form(TaskForm::Create<TReshSTmForm>());
        EXPECT_EQ(Str(form->caption()), "Вычиление сф. тр. по теор. Лежандра и способу аддитаментов");
        EXPECT_EQ(form->size(), QSize(659, 377));
        EXPECT_EQ(form->panel()->height(), 145);

        // The default side is shown with the user's separator, so that it reads back as typed.
        EXPECT_EQ(Str(form->edit("Edit12")->text()), Str(WithSeparator("44797.282", sep)));
        EXPECT_EQ(form->edit("Edit12")->geometry(), QRect(240, 88, 153, 21));
        const QPoint positions[] = {{40, 64}, {96, 64}, {152, 64}, {40, 88}, {96, 88}, {152, 88},
                                    {240, 64}, {296, 64}, {352, 64}};
        for (int i = 0; i < 9; ++i) {
            QLineEdit* e = form->edit(QStringLiteral("Edit%1").arg(i + 3));
            EXPECT_EQ(e->text(), QStringLiteral("0"));
            EXPECT_EQ(e->geometry(), QRect(positions[i], QSize(41, 21))) << "Edit" << i + 3;
        }
        EXPECT_EQ(form->button()->geometry(), QRect(183, 115, 75, 25));
        EXPECT_EQ(Str(form->button()->text()), "Вычислить");
        for (const char* name : {"A", "B", "C", "b"}) {
            const QList<QLabel*> labels = form->panel()->findChildren<QLabel*>();
            const auto it = std::find_if(labels.begin(), labels.end(),
                                         [&](QLabel* l) { return l->text() == QLatin1String(name); });
            ASSERT_NE(it, labels.end()) << name;
            EXPECT_TRUE((*it)->font().bold()) << name;
        }

        // Tab order: the student fields, A, B, the button, then C and b.
        const char* order[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8",
                               "Button1", "Edit9", "Edit10", "Edit11", "Edit12"};
        QWidget* w = form->edit("Edit1");
        for (std::size_t i = 1; i < std::size(order); ++i) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            EXPECT_EQ(Str(w->objectName()), order[i]);
        }

        QTabWidget* pages = form->pageControl();
        ASSERT_NE(pages, nullptr);
        ASSERT_EQ(pages->count(), 2);
        EXPECT_EQ(pages->currentIndex(), 0);
        EXPECT_EQ(Str(pages->tabText(0)), "Теорема Лежандра");
        EXPECT_EQ(Str(pages->tabText(1)), "Способ аддидаментов");
        EXPECT_EQ(form->StringGrid1()->table().columnCount(), 7);
        EXPECT_EQ(form->StringGrid1()->table().rowCount(), 16);
        EXPECT_EQ(form->StringGrid2()->table().columnCount(), 8);
        EXPECT_EQ(form->StringGrid2()->table().rowCount(), 7);
        for (ResultGrid* g : {form->StringGrid1(), form->StringGrid2()})
            for (int c = 0; c < g->table().columnCount(); ++c)
                EXPECT_EQ(g->horizontalHeader()->sectionSize(c), 90);
        EXPECT_EQ(Str(form->StringGrid1()->table().cell(0, 7)), "B");
        EXPECT_EQ(Str(form->StringGrid2()->table().cell(7, 0)), "Стор. сф. тр.");
        EXPECT_EQ(Str(form->StringGrid1()->table().cell(1, 1)), "");
    }
}

TEST(TReshSTmForm, ComputeInTheWindow)
{
    for (const QChar sep : test::kSeparators) {
        SCOPED_TRACE(Str(QString(sep)));
        SeparatorScope scope(sep);
        ErrorRecorder errors;
        std::unique_ptr<TReshSTmForm> form(TaskForm::Create<TReshSTmForm>());
        const ResultTable& legendre = form->StringGrid1()->table();
        const ResultTable& additaments = form->StringGrid2()->table();

        // A new window stops at DI.
        form->button()->click();
        ASSERT_EQ(errors.messages.size(), 1);
        EXPECT_EQ(Str(errors.messages[0]), "Invalid floating point operation.");
        EXPECT_EQ(Str(legendre.cell(1, 2)), Str(WithSeparator("2006.796475", sep)));
        EXPECT_EQ(Str(legendre.cell(3, 2)), Str(WithSeparator("0.000000", sep)));
        EXPECT_EQ(Str(legendre.cell(3, 3)), "");

        const char* texts[] = {"60", "12", "15.32", "58", "40", "20.10", "61", "07", "28.12", "44797.282"};
        for (int i = 0; i < 10; ++i)
            form->edit(QStringLiteral("Edit%1").arg(i + 3))->setText(WithSeparator(texts[i], sep));
        RunCommand(form.get(), [&] { form->Button1Click(); });
        EXPECT_EQ(errors.messages.size(), 1);
        EXPECT_EQ(Str(legendre.cell(1, 14)), Str(WithSeparator("52443.2978", sep)));
        EXPECT_EQ(Str(legendre.cell(3, 15)), Str(WithSeparator("45922.9257", sep)));
        EXPECT_EQ(Str(additaments.cell(7, 2)), Str(WithSeparator("45510.2688", sep)));
        EXPECT_EQ(Str(additaments.cell(1, 6)), Str(WithSeparator("0° 0` -0.9821\"", sep)));

        // A bad minutes field: reported, both tables as they were.
        const QStringList before = test::AllCells(legendre) + test::AllCells(additaments);
        form->edit("Edit10")->setText(QStringLiteral("7") + sep + QStringLiteral("5"));
        RunCommand(form.get(), [&] { form->Button1Click(); });
        ASSERT_EQ(errors.messages.size(), 2);
        EXPECT_EQ(Str(errors.messages[1]), Str(QStringLiteral("'7") + sep + QStringLiteral("5' is not a valid integer value.")));
        EXPECT_EQ(test::AllCells(legendre) + test::AllCells(additaments), before);

        // The report view: caption, both tables in page order, the active page.
        form->edit("Edit1")->setText(QStringLiteral("ГД-21"));
        const ReportView view = form->reportView();
        EXPECT_EQ(Str(view.group), "ГД-21");
        ASSERT_EQ(view.tables.size(), 2u);
        EXPECT_EQ(Str(view.tables[0].name), "StringGrid1");
        EXPECT_EQ(view.tables[1].table, &additaments);
        EXPECT_EQ(view.activePage, 0);
    }
}

}  // namespace
}  // namespace kvelta
