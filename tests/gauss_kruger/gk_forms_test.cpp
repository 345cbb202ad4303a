// The three Gauss–Krüger windows offscreen: layout, defaults, typing, "Вычислить" and errors.
#include "gauss_kruger/gk_forms.h"
#include "reports/text_report.h"
#include "support/kvelta_test.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

namespace kvelta {
namespace {

using test::AllCells;
using test::ErrorRecorder;
using test::kSeparators;
using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

template <class Form>
std::unique_ptr<Form> Open()
{
    return std::unique_ptr<Form>(TaskForm::Create<Form>());
}

void Type(TaskForm& form, const char* editName, const char* pointText, QChar sep)
{
    form.edit(QString::fromLatin1(editName))->setText(WithSeparator(QString::fromUtf8(pointText), sep));
}

QString Cell(const ResultGrid* grid, int row) { return grid->table().cell(1, row); }
std::string Expected(const char* pointText, QChar sep) { return Str(WithSeparator(QString::fromUtf8(pointText), sep)); }

// The tab order from Edit1 on: the focus chain without the controls Tab skips.
std::string TabChain(TaskForm& form, int length)
{
    QStringList names;
    QWidget* w = form.edit(QStringLiteral("Edit1"));
    for (int i = 0; i < length && w; ++i, w = w->nextInFocusChain()) {
        while (w && !(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        names.append(w->objectName());
    }
    return Str(names.join(' '));
}

QStringList LabelsOf(const ResultTable& t)
{
    QStringList labels;
    for (int r = 0; r < t.rowCount(); ++r)
        labels.append(t.cell(0, r));
    return labels;
}

TEST(TPTGKForm, Layout)
{
    auto form = Open<TPTGKForm>();
    EXPECT_EQ(Str(form->caption()), "Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим");
    EXPECT_EQ(form->panel()->height(), 113);
    EXPECT_EQ(Str(form->label("Label5")->text()), "Lo");
    EXPECT_EQ(form->label("Label5")->width(), 15);
    EXPECT_EQ(Str(form->label("Label7")->text()), "B");
    EXPECT_EQ(form->label("Label7")->width(), 9);
    EXPECT_EQ(Str(form->label("Label11")->text()), "L");
    EXPECT_EQ(form->label("Label11")->pos(), QPoint(16, 92));
    const int lefts[] = {40, 96, 152};
    const char* edits[] = {"Edit9", "Edit10", "Edit11"};
    for (int i = 0; i < 3; ++i) {
        QLineEdit* e = form->edit(QString::fromLatin1(edits[i]));
        EXPECT_EQ(e->geometry(), QRect(lefts[i], 88, 41, 21));
        EXPECT_EQ(Str(e->text()), "0");
    }
    EXPECT_EQ(Str(form->label("Label12")->text()), "o");
    EXPECT_EQ(Str(form->label("Label14")->text()), "\"");
    for (const char* name : {"Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8"})
        EXPECT_EQ(Str(form->edit(QString::fromLatin1(name))->text()), "0");
    EXPECT_EQ(form->button()->pos(), QPoint(335, 88));
    const ResultTable& t = form->StringGrid1()->table();
    EXPECT_EQ(t.columnCount(), 2);
    EXPECT_EQ(t.rowCount(), 24);
    EXPECT_EQ(t.columnWidth(0), 153);
    EXPECT_EQ(t.columnWidth(1), 137);
    EXPECT_EQ(Str(t.cell(0, 11)), "ao");
    EXPECT_FALSE(LabelsOf(t).contains(QStringLiteral("a(1-e^2)")));
    EXPECT_EQ(TabChain(*form, 12),
              "Edit1 Edit2 Edit3 Edit4 Edit5 Edit6 Edit7 Edit8 Button1 Edit9 Edit10 Edit11");
}

TEST(TPTGKForm, ComputesTheWorkedExampleAndKeepsTheTableOnBadInput)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        ErrorRecorder errors;
        auto form = Open<TPTGKForm>();
        Type(*form, "Edit3", "21", sep);
        Type(*form, "Edit6", "51", sep);
        Type(*form, "Edit7", "38", sep);
        Type(*form, "Edit8", "44.0822", sep);
        Type(*form, "Edit9", "24", sep);
        Type(*form, "Edit10", "2", sep);
        Type(*form, "Edit11", "13.1579", sep);
        form->button()->click();
        EXPECT_TRUE(errors.messages.isEmpty());
        const ResultGrid* g = form->StringGrid1();
        EXPECT_EQ(Str(Cell(g, 1)), Expected("51° 38` 44.0822\"", sep));
        EXPECT_EQ(Str(Cell(g, 10)), Expected("6391412.468", sep));
        EXPECT_EQ(Str(Cell(g, 11)), Expected("32088.400", sep));
        EXPECT_EQ(Str(Cell(g, 19)), Expected("5739618.7884", sep));
        EXPECT_EQ(Str(Cell(g, 20)), Expected("5728374.727", sep));
        EXPECT_EQ(Str(Cell(g, 21)), Expected("0.99989261", sep));
        EXPECT_EQ(Str(Cell(g, 23)), Expected("210198.193", sep));

        const QStringList before = AllCells(g->table());
        const QString other = sep == QLatin1Char(',') ? QStringLiteral("13.1579") : QStringLiteral("13,1579");
        form->edit(QStringLiteral("Edit11"))->setText(other);
        form->edit(QStringLiteral("Edit3"))->setText(QStringLiteral("27"));
        form->button()->click();
        ASSERT_EQ(errors.messages.size(), 1);
        EXPECT_EQ(Str(errors.messages[0]), "'" + Str(other) + "' is not a valid floating point value.");
        EXPECT_EQ(AllCells(g->table()), before);
    }
}

TEST(TGKTPForm, Layout)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        auto form = Open<TGKTPForm>();
        EXPECT_EQ(Str(form->caption()),
                  "Вычисление геодезических координат по прямоугольным коорд. Гаусса-Крюгера");
        EXPECT_EQ(form->panel()->height(), 129);
        EXPECT_EQ(Str(form->label("Label5")->text()), "Lo");
        EXPECT_EQ(form->label("Label5")->width(), 15);
        EXPECT_EQ(Str(form->edit("Edit3")->text()), "21");
        EXPECT_EQ(Str(form->edit("Edit4")->text()), "0");
        EXPECT_EQ(Str(form->edit("Edit5")->text()), "0");
        for (const char* name : {"Label7", "Label8", "Label9", "Label10"})
            EXPECT_TRUE(form->label(QString::fromLatin1(name))->isHidden()) << name;
        for (const char* name : {"Edit6", "Edit7", "Edit8"})
            EXPECT_TRUE(form->edit(QString::fromLatin1(name))->isHidden()) << name;
        EXPECT_EQ(Str(form->label("Label11")->text()), "X,\u043c");
        EXPECT_EQ(form->label("Label11")->pos(), QPoint(8, 100));
        EXPECT_EQ(Str(form->label("Label12")->text()), "Y,\u043c");
        EXPECT_EQ(form->label("Label12")->pos(), QPoint(256, 100));
        EXPECT_EQ(form->edit("Edit9")->geometry(), QRect(40, 96, 121, 21));
        EXPECT_EQ(form->edit("Edit10")->geometry(), QRect(288, 96, 121, 21));
        // The design's comma defaults appear with the user's separator.
        EXPECT_EQ(Str(form->edit("Edit9")->text()), Expected("5728374.726", sep));
        EXPECT_EQ(Str(form->edit("Edit10")->text()), Expected("210198.193", sep));
        EXPECT_EQ(form->button()->pos(), QPoint(295, 64));
        const ResultTable& t = form->StringGrid1()->table();
        EXPECT_EQ(t.columnCount(), 2);
        EXPECT_EQ(t.rowCount(), 27);
        EXPECT_EQ(t.columnWidth(0), 154);
        EXPECT_EQ(t.columnWidth(1), 155);
        EXPECT_EQ(Str(t.cell(0, 7)), "Bx,рад");
        EXPECT_EQ(TabChain(*form, 8), "Edit1 Edit2 Edit3 Edit4 Edit5 Edit9 Edit10 Button1");
    }
}

TEST(TGKTPForm, DefaultsComputeInEveryLocale)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        ErrorRecorder errors;
        auto form = Open<TGKTPForm>();
        form->button()->click();
        EXPECT_TRUE(errors.messages.isEmpty()) << Str(errors.messages.join('|'));
        const ResultGrid* g = form->StringGrid1();
        EXPECT_EQ(Str(Cell(g, 1)), Expected("0.899618705", sep));
        EXPECT_EQ(Str(Cell(g, 8)), Expected("186065.4896", sep));
        EXPECT_EQ(Str(Cell(g, 13)), Expected("6391426.7961", sep));
        EXPECT_EQ(Str(Cell(g, 22)), Expected("141.40741430", sep));
        EXPECT_EQ(Str(Cell(g, 23)), Expected("51° 38` 44.0822\"", sep));
        EXPECT_EQ(Str(Cell(g, 26)), Expected("24° 2` 13.1579\"", sep));

        // A negated y: the same latitude, the longitude mirrored about Lo.
        Type(*form, "Edit10", "-210198.193", sep);
        form->button()->click();
        EXPECT_EQ(Str(Cell(g, 23)), Expected("51° 38` 44.0822\"", sep));
        EXPECT_EQ(Str(Cell(g, 26)), Expected("17° 57` 46.8421\"", sep));

        const QStringList before = AllCells(g->table());
        form->edit(QStringLiteral("Edit9"))->setText(QString());
        form->button()->click();
        ASSERT_EQ(errors.messages.size(), 1);
        EXPECT_EQ(Str(errors.messages[0]), "'' is not a valid floating point value.");
        EXPECT_EQ(AllCells(g->table()), before);
    }
}

TEST(TPreobrazForm, Layout)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        auto form = Open<TPreobrazForm>();
        EXPECT_EQ(Str(form->caption()), "Преобразование прямоугольных коорд. Гаусса-Крюгера из одной зоны в другую");
        EXPECT_EQ(form->size(), QSize(446, 317));
        EXPECT_EQ(form->panel()->height(), 114);
        EXPECT_EQ(Str(form->edit("Edit3")->text()), "21");
        EXPECT_EQ(Str(form->edit("Edit4")->text()), "27");
        EXPECT_EQ(Str(form->edit("Edit5")->text()), Expected("5728374.726", sep));
        EXPECT_EQ(Str(form->edit("Edit6")->text()), Expected("210198.193", sep));
        EXPECT_EQ(form->edit("Edit3")->geometry(), QRect(40, 64, 41, 21));
        EXPECT_EQ(form->edit("Edit4")->geometry(), QRect(40, 88, 41, 21));
        EXPECT_EQ(form->edit("Edit5")->geometry(), QRect(128, 64, 129, 21));
        EXPECT_EQ(form->edit("Edit6")->geometry(), QRect(128, 88, 129, 21));
        EXPECT_EQ(form->button()->geometry(), QRect(271, 64, 75, 25));
        QStringList texts;
        for (const QLabel* l : form->panel()->findChildren<QLabel*>())
            texts.append(l->text());
        for (const char* text : {"Lo", "Lo'", "X", "Y", "o"})
            EXPECT_TRUE(texts.contains(QString::fromLatin1(text))) << text;
        ASSERT_NE(form->pageControl(), nullptr);
        EXPECT_EQ(form->pageControl()->count(), 2);
        EXPECT_EQ(Str(form->pageControl()->tabText(0)), "Первый этап");
        EXPECT_EQ(Str(form->pageControl()->tabText(1)), "Второй этап");
        EXPECT_EQ(form->activePage(), 0);
        const ResultTable& t1 = form->StringGrid1()->table();
        const ResultTable& t2 = form->StringGrid2()->table();
        EXPECT_EQ(t1.columnCount(), 2);
        EXPECT_EQ(t1.rowCount(), 27);
        EXPECT_EQ(t1.columnWidth(0), 138);
        EXPECT_EQ(t1.columnWidth(1), 142);
        EXPECT_EQ(t2.columnCount(), 2);
        EXPECT_EQ(t2.rowCount(), 24);
        EXPECT_EQ(t2.columnWidth(0), 142);
        EXPECT_EQ(t2.columnWidth(1), 158);
        EXPECT_EQ(Str(t1.cell(0, 26)), "L=Lo+l");
        EXPECT_EQ(Str(t2.cell(0, 19)), "6267558,4969*B\"/Ro\"");
        EXPECT_EQ(TabChain(*form, 7), "Edit1 Edit2 Edit3 Edit4 Button1 Edit5 Edit6");
        const std::vector<ReportTable> report = form->reportTables();
        ASSERT_EQ(report.size(), 2u);
        EXPECT_EQ(Str(report[0].name), "StringGrid1");
        EXPECT_EQ(Str(report[1].name), "StringGrid2");
    }
}

TEST(TPreobrazForm, DefaultsAndErrors)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        ErrorRecorder errors;
        auto form = Open<TPreobrazForm>();
        form->button()->click();
        EXPECT_TRUE(errors.messages.isEmpty()) << Str(errors.messages.join('|'));
        const ResultGrid* g1 = form->StringGrid1();
        const ResultGrid* g2 = form->StringGrid2();
        EXPECT_EQ(Str(Cell(g1, 23)), Expected("51° 38` 44.0822\"", sep));
        EXPECT_EQ(Str(Cell(g1, 26)), Expected("24° 2` 13.1579\"", sep));
        EXPECT_EQ(Str(Cell(g2, 8)), Expected("-10666.8421\"", sep));
        EXPECT_EQ(Str(Cell(g2, 19)), Expected("5739618.7890", sep));
        EXPECT_EQ(Str(Cell(g2, 20)), Expected("5728164.346", sep));
        EXPECT_EQ(Str(Cell(g2, 23)), Expected("-205079.132", sep));
        EXPECT_EQ(Str(form->edit("Edit5")->text()), Expected("5728374.726", sep));  // no edit is updated

        // A fractional axial meridian.
        Type(*form, "Edit3", "21.5", sep);
        form->button()->click();
        EXPECT_EQ(Str(Cell(g1, 26)), Expected("24° 32` 13.1579\"", sep));

        // A bad Lo′ is found before anything is written: both tables stay as they were.
        const QStringList first = AllCells(g1->table()), second = AllCells(g2->table());
        Type(*form, "Edit3", "27", sep);
        form->edit(QStringLiteral("Edit4"))->setText(QStringLiteral("21 o"));
        form->button()->click();
        ASSERT_EQ(errors.messages.size(), 1);
        EXPECT_EQ(Str(errors.messages[0]), "'21 o' is not a valid floating point value.");
        EXPECT_EQ(AllCells(g1->table()), first);
        EXPECT_EQ(AllCells(g2->table()), second);

        // Edit3 is reported before Edit5, Edit6 and Edit4.
        form->edit(QStringLiteral("Edit3"))->setText(QStringLiteral("x3"));
        form->edit(QStringLiteral("Edit5"))->setText(QStringLiteral("x5"));
        form->button()->click();
        ASSERT_EQ(errors.messages.size(), 2);
        EXPECT_EQ(Str(errors.messages[1]), "'x3' is not a valid floating point value.");
        EXPECT_EQ(AllCells(g1->table()), first);
        EXPECT_EQ(AllCells(g2->table()), second);
    }
}

// The zone-transfer report takes both stages, each after its step heading.
TEST(TPreobrazForm, TextReportHasBothStages)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        auto form = Open<TPreobrazForm>();
        form->edit(QStringLiteral("Edit1"))->setText(QStringLiteral("ГД-21"));
        form->button()->click();
        form->pageControl()->setCurrentIndex(1);
        const QString text = TextReportText(form->reportView(), TextReportBody::ZoneTransfer);
        const qsizetype step1 = text.indexOf(QStringLiteral("Шаг №1"));
        const qsizetype table1 = text.indexOf(GridToText(form->StringGrid1()->table()));
        const qsizetype step2 = text.indexOf(QStringLiteral("Шаг №2"));
        const qsizetype table2 = text.indexOf(GridToText(form->StringGrid2()->table()));
        EXPECT_TRUE(text.contains(QStringLiteral("ГД-21")));
        EXPECT_GE(step1, 0);
        EXPECT_LT(step1, table1);
        EXPECT_LT(table1, step2);
        EXPECT_LT(step2, table2);
        EXPECT_TRUE(text.contains(WithSeparator(QStringLiteral("-205079.132"), sep)));
    }
}

// Hostile text in every edit: an error box or a full table, never a crash, "inf" or "nan".
TEST(GaussKrugerForms, HostileInput)
{
    const char* hostile[] = {"", " ", "1e4000", "1e5000", "1e400", "-1e308", "1e308", "nan", "inf", "0x10",
                             "1,5,5", "1.5.5", "1,5", "1.5", "-0", "1234567890123456789012345678901234567890",
                             "9e18", "-9.3e18", "1e-320", "+", "--1", "1e", " 7 ", "3e15", "1e150"};
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        ErrorRecorder errors;
        auto forward = Open<TPTGKForm>();
        auto inverse = Open<TGKTPForm>();
        auto transfer = Open<TPreobrazForm>();
        const std::vector<std::pair<TaskForm*, QStringList>> forms = {
            {forward.get(), {"Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11"}},
            {inverse.get(), {"Edit3", "Edit4", "Edit5", "Edit9", "Edit10"}},
            {transfer.get(), {"Edit3", "Edit4", "Edit5", "Edit6"}}};
        for (const auto& [form, names] : forms) {
            const QStringList defaults = [&] {
                QStringList d;
                for (const QString& n : names)
                    d.append(form->edit(n)->text());
                return d;
            }();
            for (int i = 0; i < names.size(); ++i)
                for (const char* text : hostile) {
                    for (int j = 0; j < names.size(); ++j)
                        form->edit(names[j])->setText(defaults[j]);
                    form->edit(names[i])->setText(QString::fromLatin1(text));
                    form->button()->click();
                    for (const ReportTable& rt : form->reportTables())
                        for (const QString& cell : AllCells(*rt.table)) {
                            const QString lower = cell.toLower();
                            EXPECT_FALSE(lower.contains(QStringLiteral("inf")) || lower.contains(QStringLiteral("nan")))
                                << Str(names[i]) << " = " << text << ": " << Str(cell);
                        }
                }
        }
        // Only the platform's texts: a conversion error or a floating-point fault.
        const QStringList faults = {QStringLiteral("Floating point overflow."),
                                    QStringLiteral("Invalid floating point operation."),
                                    QStringLiteral("Floating point division by zero.")};
        for (const QString& m : errors.messages)
            EXPECT_TRUE(faults.contains(m) || m.endsWith(QStringLiteral("' is not a valid floating point value.")))
                << Str(m);
    }
}

// A run that faults part-way keeps the rows it wrote and empties the rows it did not reach, so
// no earlier result stands beside the new one; a fault in the first stage empties the second.
TEST(GaussKrugerForms, FaultedRunEmptiesTheRowsItDidNotReach)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        ErrorRecorder errors;

        // The forward window: a longitude beyond any angle text stops at row 7.
        auto forward = Open<TPTGKForm>();
        Type(*forward, "Edit3", "21", sep);
        Type(*forward, "Edit6", "51", sep);
        Type(*forward, "Edit7", "38", sep);
        Type(*forward, "Edit8", "44.0822", sep);
        Type(*forward, "Edit9", "24", sep);
        Type(*forward, "Edit10", "2", sep);
        Type(*forward, "Edit11", "13.1579", sep);
        forward->button()->click();
        ASSERT_TRUE(errors.messages.isEmpty());
        Type(*forward, "Edit9", "1e300", sep);
        forward->button()->click();
        ASSERT_EQ(errors.messages.size(), 1);
        EXPECT_EQ(Str(errors.messages.last()), "Invalid floating point operation.");
        const ResultGrid* f = forward->StringGrid1();
        EXPECT_EQ(Str(Cell(f, 1)), Expected("51° 38` 44.0822\"", sep));
        EXPECT_EQ(Str(Cell(f, 6)), Expected("0.385050", sep));
        for (int r = 7; r <= 23; ++r)
            EXPECT_TRUE(Cell(f, r).isEmpty()) << "forward row " << r;

        // The inverse window: a y so large that z² overflows a double.
        auto inverse = Open<TGKTPForm>();
        inverse->button()->click();
        ASSERT_EQ(errors.messages.size(), 1);
        Type(*inverse, "Edit10", "1e200", sep);
        inverse->button()->click();
        ASSERT_EQ(errors.messages.size(), 2);
        EXPECT_EQ(Str(errors.messages.last()), "Floating point overflow.");
        const ResultGrid* i = inverse->StringGrid1();
        EXPECT_EQ(Str(Cell(i, 18)), Expected("3962597.7280", sep));
        EXPECT_FALSE(Cell(i, 19).isEmpty());
        for (int r = 20; r <= 26; ++r)
            EXPECT_TRUE(Cell(i, r).isEmpty()) << "inverse row " << r;

        // The zone transfer: a far meridian Lo′ stops the second stage at row 7 ...
        auto transfer = Open<TPreobrazForm>();
        transfer->button()->click();
        ASSERT_EQ(errors.messages.size(), 2);
        const QStringList firstStage = AllCells(transfer->StringGrid1()->table());
        Type(*transfer, "Edit4", "1e300", sep);
        transfer->button()->click();
        ASSERT_EQ(errors.messages.size(), 3);
        EXPECT_EQ(Str(errors.messages.last()), "Invalid floating point operation.");
        EXPECT_EQ(AllCells(transfer->StringGrid1()->table()), firstStage);
        const ResultGrid* second = transfer->StringGrid2();
        EXPECT_EQ(Str(Cell(second, 1)), Expected("51° 38` 44.0822\"", sep));
        for (int r = 7; r <= 23; ++r)
            EXPECT_TRUE(Cell(second, r).isEmpty()) << "second stage row " << r;

        // ... and a fault in the first stage leaves no second stage at all.
        Type(*transfer, "Edit4", "27", sep);
        transfer->button()->click();
        ASSERT_EQ(errors.messages.size(), 3);
        Type(*transfer, "Edit6", "1e200", sep);
        transfer->button()->click();
        ASSERT_EQ(errors.messages.size(), 4);
        EXPECT_EQ(Str(errors.messages.last()), "Floating point overflow.");
        EXPECT_EQ(Str(Cell(transfer->StringGrid1(), 18)), Expected("3962597.7280", sep));
        EXPECT_TRUE(Cell(transfer->StringGrid1(), 20).isEmpty());
        for (int r = 1; r <= 23; ++r)
            EXPECT_TRUE(Cell(second, r).isEmpty()) << "second stage row " << r;
    }
}

}  // namespace
}  // namespace kvelta
