#include "ellipsoid/td_trap_form.h"
#include "ellipsoid/tm_form.h"
#include "ellipsoid/tp_form.h"
#include "ellipsoid/tp_trap_form.h"
#include "ellipsoid_test_support.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

namespace kvelta {
namespace {

using namespace test;

struct WindowCase {
    const char* className;
    std::function<TMForm*()> create;
    const char* caption;
    int rows;
    std::function<void(ResultTable&)> labels;
    std::map<QString, QString> defaults;          // edit texts of a new window
    std::map<QString, QString> labelTexts;        // captions of the panel's labels
    QStringList tabOrder;                         // the edits and the button, in tab order
    QStringList example;                          // edit texts from Edit3 on, written with a point
    std::vector<ExpectedCell> exampleCells;
    std::vector<ExpectedCell> defaultCells;
};

const std::vector<WindowCase>& Windows()
{
    static const QStringList baseOrder = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5",
                                          "Edit6", "Edit7", "Edit8"};
    static const std::map<QString, QString> angleDefaults = {
        {"Edit1", ""}, {"Edit2", ""}, {"Edit3", "0"}, {"Edit4", "0"},
        {"Edit5", "0"}, {"Edit6", "0"}, {"Edit7", "0"}, {"Edit8", "0"}};
    auto with = [](std::map<QString, QString> texts, std::map<QString, QString> more) {
        texts.insert(more.begin(), more.end());
        return texts;
    };
    static const std::vector<WindowCase> windows = {
        {"TPForm",
         [] { return TaskForm::Create<TPForm>(); },
         "Вычисление длины дуги параллели",
         10,
         ParallelArcLabels,
         angleDefaults,
         {{"Label1", "Ст. гр."}, {"Label2", "Фамилия Имя  Отчество"}, {"Label5", "L"}, {"Label7", "B2"},
          {"Label3", "o"}, {"Label4", "'"}, {"Label6", "\""}},
         baseOrder + QStringList{"Button1"},
         {"1", "0", "0", "50", "0", "0"},
         {{3, 3, "6390808.43756720"}, {3, 7, "4107932.480"}, {3, 9, "71696.87986994"}},
         {{1, 1, "0° 0` 0.0000\""}, {3, 3, "6378245.00000000"}, {3, 6, "0.00000485"}, {3, 9, "0.00000000"}}},
        {"TPTrapForm",
         [] { return TaskForm::Create<TPTrapForm>(); },
         "Вычисление площади  трапеции",
         12,
         TrapezoidAreaLabels,
         with(angleDefaults, {{"Edit9", "1800"}}),
         {{"Label5", "B1"}, {"Label7", "B2"}, {"Label11", "L2-L1"}, {"Label12", "\""}},
         baseOrder + QStringList{"Edit9", "Button1"},
         {"50", "0", "0", "50", "20", "0", "1800"},
         {{3, 5, "0.0000294178"}, {3, 8, "352640.888960242"}, {3, 9, "0.00375619"}, {3, 10, "1324.58782133"}},
         {{1, 3, "0.00000485"}, {1, 4, "1800.00"}, {3, 3, "0.00401605"}, {3, 8, "352640.888960242"},
          {3, 10, "0.00000000"}}},
        {"TDTrapForm",
         [] { return TaskForm::Create<TDTrapForm>(); },
         "Вычисление длин сторон трапеции",
         20,
         TrapezoidSidesLabels,
         with(angleDefaults, {{"Edit9", "900"}, {"Edit10", "50000"}}),
         {{"Label5", "B1"}, {"Label7", "B2"}, {"Label11", "L2-L1"}, {"Label12", "\""}, {"Label13", "M"}},
         baseOrder + QStringList{"Edit9", "Button1", "Edit10"},
         {"50", "0", "0", "50", "10", "0", "900", "50000"},
         {{3, 7, "6390808.43756720"}, {3, 9, "6373156.64124436"}, {3, 14, "35.84843993"},
          {3, 19, "51.53059832"}},
         {{1, 6, "0.00836677"}, {1, 18, "1.800"}, {3, 9, "6335552.72735210"}, {3, 19, "55.66063559"}}},
    };
    return windows;
}

void Type(TaskForm& form, const QStringList& edits, QChar separator)
{
    for (int i = 0; i < edits.size(); ++i)
        form.edit(QStringLiteral("Edit%1").arg(i + 3))->setText(WithSeparator(edits[i], separator));
}

QStringList TabChain(TaskForm& form, const QStringList& names)
{
    QStringList chain;
    QWidget* start = form.edit("Edit1");
    QWidget* w = start;
    do {
        if (names.contains(w->objectName()) && (w->focusPolicy() & Qt::TabFocus))
            chain.append(w->objectName());
        w = w->nextInFocusChain();
    } while (w != start && chain.size() < 50);
    return chain;
}

TEST(EllipsoidWindows, NewWindowShowsItsOwnLayoutAndLabelsOnly)
{
    for (const WindowCase& window : Windows()) {
        SCOPED_TRACE(window.className);
        std::unique_ptr<TMForm> form(window.create());
        EXPECT_EQ(Str(form->windowTitle()), window.caption);
        const ResultTable& table = form->StringGrid1()->table();
        ASSERT_EQ(table.columnCount(), 4);
        ASSERT_EQ(table.rowCount(), window.rows);
        const int widths[] = {92, 96, 97, 92};
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(table.columnWidth(c), widths[c]);

        ResultTable expected(4, window.rows);
        window.labels(expected);
        EXPECT_EQ(Str(AllCells(table).join("|")), Str(AllCells(expected).join("|")));
        // Nothing of the meridian-arc set-up is ever written into a derived table.
        for (const QString& cell : AllCells(table))
            for (const char* base : {"Bcp", "M1", "Mcp", "S, м", "1/6Ro", "SinBcp"})
                EXPECT_NE(Str(cell), base);
        if (window.rows == 10) {
            EXPECT_FALSE(AllCells(table).contains("a(1-e^2)"));
        }

        for (const auto& [name, text] : window.defaults)
            EXPECT_EQ(Str(form->edit(name)->text()), Str(text)) << Str(name);
        for (const auto& [name, text] : window.labelTexts) {
            ASSERT_NE(form->label(name), nullptr) << Str(name);
            EXPECT_EQ(Str(form->label(name)->text()), Str(text)) << Str(name);
        }
        EXPECT_EQ(Str(TabChain(*form, window.tabOrder).join(" ")), Str(window.tabOrder.join(" ")));
    }
}

// The base window every other one starts from: its members, where they sit, their texts and
// tab order, and a table that holds only its headings and labels.
TEST(EllipsoidWindows, BaseWindowLayout)
{
    std::unique_ptr<TMForm> form(TaskForm::Create<TMForm>());
    EXPECT_EQ(Str(form->windowTitle()), "Вычисление дуги меридианов");
    EXPECT_EQ(form->size(), QSize(461, 269));
    EXPECT_EQ(form->panel()->objectName(), QStringLiteral("Panel1"));
    EXPECT_EQ(form->panel()->height(), 129);

    const struct {
        const char* name;
        QPoint pos;
        const char* text;
        bool boldMaroon;
    } labels[] = {
        {"Label1", {8, 10}, "Ст. гр.", false},
        {"Label2", {8, 35}, "Фамилия Имя  Отчество", false},
        {"Label5", {16, 68}, "B1", true},
        {"Label3", {82, 63}, "o", false},
        {"Label4", {141, 64}, "'", false},
        {"Label6", {200, 64}, "\"", false},
        {"Label7", {216, 68}, "B2", true},
        {"Label8", {282, 63}, "o", false},
        {"Label9", {341, 64}, "'", false},
        {"Label10", {400, 64}, "\"", false},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.name);
        QLabel* label = form->label(QString::fromLatin1(l.name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(Str(label->text()), l.text);
        EXPECT_EQ(label->pos(), l.pos);
        EXPECT_EQ(label->font().bold(), l.boldMaroon);
        label->ensurePolished();
        if (l.boldMaroon)
            EXPECT_EQ(label->palette().color(label->foregroundRole()), QColor(128, 0, 0));
    }

    const struct {
        const char* name;
        QRect geometry;
        const char* text;
    } edits[] = {
        {"Edit1", {144, 8, 265, 21}, ""},  {"Edit2", {144, 32, 265, 21}, ""}, {"Edit3", {40, 64, 41, 21}, "0"},
        {"Edit4", {96, 64, 41, 21}, "0"},  {"Edit5", {152, 64, 41, 21}, "0"}, {"Edit6", {240, 64, 41, 21}, "0"},
        {"Edit7", {296, 64, 41, 21}, "0"}, {"Edit8", {352, 64, 41, 21}, "0"},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(form->edit(QString::fromLatin1(e.name))->geometry(), e.geometry);
        EXPECT_EQ(Str(form->edit(QString::fromLatin1(e.name))->text()), e.text);
    }
    EXPECT_EQ(Str(form->button()->objectName()), "Button1");
    EXPECT_EQ(Str(form->button()->text()), "Вычислить");
    EXPECT_EQ(form->button()->geometry(), QRect(183, 96, 75, 25));
    const QStringList order = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Button1"};
    EXPECT_EQ(Str(TabChain(*form, order).join(" ")), Str(order.join(" ")));

    const ResultTable& table = form->StringGrid1()->table();
    ASSERT_EQ(table.columnCount(), 4);
    ASSERT_EQ(table.rowCount(), 18);
    const int widths[] = {92, 96, 97, 92};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(table.columnWidth(c), widths[c]);
        EXPECT_EQ(form->StringGrid1()->columnWidth(c), widths[c]);  // as the grid shows it
    }
    EXPECT_EQ(form->StringGrid1()->rowHeight(0), 16);
    ResultTable expected(4, 18);
    MeridianArcLabels(expected);
    EXPECT_EQ(Str(AllCells(table).join("|")), Str(AllCells(expected).join("|")));
    for (int r = 0; r < 18; ++r)
        for (int c : {1, 3})
            EXPECT_EQ(Str(table.cell(c, r)), r == 0 ? "Результат" : "") << c << "," << r;
}

TEST(EllipsoidWindows, AddedControlsSitWhereTheDesignPutsThem)
{
    std::unique_ptr<TDTrapForm> sides(TaskForm::Create<TDTrapForm>());
    std::unique_ptr<TPTrapForm> area(TaskForm::Create<TPTrapForm>());
    std::unique_ptr<TPForm> parallel(TaskForm::Create<TPForm>());
    for (TaskForm* form : std::initializer_list<TaskForm*>{area.get(), sides.get()}) {
        EXPECT_EQ(form->label("Label11")->pos(), QPoint(2, 100));
        EXPECT_TRUE(form->label("Label11")->font().bold());
        EXPECT_EQ(form->edit("Edit9")->geometry(), QRect(40, 96, 57, 21));
        EXPECT_EQ(form->label("Label12")->pos(), QPoint(102, 96));
        EXPECT_EQ(form->button()->geometry(), QRect(239, 96, 75, 25));
    }
    EXPECT_EQ(area->label("Label13"), nullptr);
    EXPECT_EQ(sides->label("Label13")->pos(), QPoint(130, 100));
    EXPECT_TRUE(sides->label("Label13")->font().bold());
    EXPECT_EQ(sides->edit("Edit10")->geometry(), QRect(144, 96, 57, 21));
    EXPECT_EQ(parallel->button()->geometry(), QRect(183, 96, 75, 25));
    EXPECT_EQ(parallel->label("Label11"), nullptr);
}

TEST(EllipsoidWindows, ComputeDefaultsAndWorkedExamplesInBothLocales)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const WindowCase& window : Windows()) {
            SCOPED_TRACE(std::string(window.className) + " with '" + char(separator.unicode()) + "'");
            std::unique_ptr<TMForm> form(window.create());
            ErrorRecorder errors;
            form->button()->click();
            ExpectCells(form->StringGrid1()->table(), window.defaultCells, separator);
            Type(*form, window.example, separator);
            RunCommand(form.get(), [&] { form->Button1Click(); });
            EXPECT_TRUE(errors.messages.isEmpty()) << Str(errors.messages.join('|'));
            ExpectCells(form->StringGrid1()->table(), window.exampleCells, separator);
            ExpectAllFinite(form->StringGrid1()->table());
            // Labels are untouched by a computation.
            ResultTable labels(4, window.rows);
            window.labels(labels);
            for (int r = 0; r < window.rows; ++r)
                for (int c : {0, 2})
                    EXPECT_EQ(Str(form->StringGrid1()->table().cell(c, r)), Str(labels.cell(c, r)));
        }
    }
}

TEST(EllipsoidWindows, RefusedInputsLeaveTheTableAsItWas)
{
    struct Case {
        std::size_t window;
        QString edit;
        QString text;
        QString message;
    };
    const Case cases[] = {
        {0, "Edit3", "12.5", "'12.5' is not a valid integer value."},
        {0, "Edit7", "12,5", "'12,5' is not a valid integer value."},
        {0, "Edit8", "", "'' is not a valid floating point value."},
        {1, "Edit9", "18OO", "'18OO' is not a valid floating point value."},
        {1, "Edit5", "1/2", "'1/2' is not a valid floating point value."},
        {2, "Edit9", "900.5", "'900.5' is not a valid integer value."},
        {2, "Edit9", "900,5", "'900,5' is not a valid integer value."},
        {2, "Edit10", "", "'' is not a valid floating point value."},
        {2, "Edit10", "0", "Знаменатель масштаба M не может быть равен нулю."},
        {2, "Edit10", "-0", "Знаменатель масштаба M не может быть равен нулю."},
    };
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Case& c : cases) {
            const WindowCase& window = Windows()[c.window];
            SCOPED_TRACE(std::string(window.className) + " " + Str(c.edit) + " '" + Str(c.text) + "' with '"
                         + char(separator.unicode()) + "'");
            std::unique_ptr<TMForm> form(window.create());
            Type(*form, window.example, separator);
            ErrorRecorder errors;
            form->button()->click();
            ASSERT_TRUE(errors.messages.isEmpty());
            const QStringList before = AllCells(form->StringGrid1()->table());
            form->edit(c.edit)->setText(c.text);
            form->button()->click();
            ASSERT_EQ(errors.messages.size(), 1);
            EXPECT_EQ(Str(errors.messages[0]), Str(c.message));
            EXPECT_EQ(Str(AllCells(form->StringGrid1()->table()).join("|")), Str(before.join("|")));
        }
    }
}

// Hostile text in every edit of every window, in both locales: a text that is no number of its
// edit's kind is refused with the conversion error and the table stays; "1e400" in a real edit
// overflows where it is stored as a double, also before the first write; anything else computes
// or stops at a floating-point fault; never a crash, never "inf" or "nan" in a cell.
TEST(EllipsoidWindows, HostileTextInEveryEdit)
{
    struct Kind {
        std::function<TMForm*()> create;
        QStringList example;
        QStringList integerEdits;
    };
    const Kind windows[] = {
        {[] { return TaskForm::Create<TMForm>(); }, {"50", "0", "0", "51", "0", "0"}, {}},
        {[] { return TaskForm::Create<TPForm>(); }, {"1", "0", "0", "50", "0", "0"},
         {"Edit3", "Edit4", "Edit6", "Edit7"}},
        {[] { return TaskForm::Create<TPTrapForm>(); }, {"50", "0", "0", "50", "20", "0", "1800"}, {}},
        {[] { return TaskForm::Create<TDTrapForm>(); }, {"50", "0", "0", "50", "10", "0", "900", "50000"},
         {"Edit9"}},
    };
    // '#' is the locale's separator, '~' the other one.
    const char* const refused[] = {"", " ", "abc", "1~5", "inf", "nan", "-nan", "0x10", "1e5000", "-1e4933",
                                   "1 000", "+", "-", "#", "1e", "\t1", "١"};
    const char* const computed[] = {"-0", "1e308", "-1e308", "1e-400", "1234567890123456789012345678901234567890",
                                    " 7#5 ", "1e300", "-2147483648", "2147483647"};
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        const QChar other = separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
        auto spell = [&](const char* pattern) {
            return QString::fromUtf8(pattern).replace(QLatin1Char('#'), separator).replace(QLatin1Char('~'), other);
        };
        for (const Kind& kind : windows) {
            for (int e = 0; e < kind.example.size(); ++e) {
                const QString editName = QStringLiteral("Edit%1").arg(e + 3);
                const bool integer = kind.integerEdits.contains(editName);
                std::unique_ptr<TMForm> form(kind.create());
                Type(*form, kind.example, separator);
                ErrorRecorder errors;
                form->button()->click();
                ASSERT_TRUE(errors.messages.isEmpty());
                const QStringList good = AllCells(form->StringGrid1()->table());
                ResultTable labels(4, form->StringGrid1()->table().rowCount());
                auto check = [&](const QString& text, bool mustRefuse) {
                    SCOPED_TRACE(Str(form->metaObject()->className()) + " " + Str(editName) + " '" + Str(text)
                                 + "' with '" + char(separator.unicode()) + "'");
                    Type(*form, kind.example, separator);
                    form->button()->click();  // back to the example's table
                    ASSERT_EQ(AllCells(form->StringGrid1()->table()), good);
                    errors.messages.clear();
                    form->edit(editName)->setText(text);
                    form->button()->click();
                    const QStringList cells = AllCells(form->StringGrid1()->table());
                    ExpectAllFinite(form->StringGrid1()->table());
                    const QString conversion = integer ? QStringLiteral("'%1' is not a valid integer value.")
                                                       : QStringLiteral("'%1' is not a valid floating point value.");
                    if (mustRefuse) {
                        ASSERT_EQ(errors.messages.size(), 1);
                        EXPECT_EQ(Str(errors.messages[0]), Str(conversion.arg(text)));
                        EXPECT_EQ(cells, good);
                    } else if (!errors.messages.isEmpty()) {
                        ASSERT_EQ(errors.messages.size(), 1);
                        const QString m = errors.messages[0];
                        const bool known = m == conversion.arg(text) || m == "Floating point overflow."
                                           || m == "Invalid floating point operation."
                                           || m == "Floating point division by zero."
                                           || m == "Знаменатель масштаба M не может быть равен нулю.";
                        EXPECT_TRUE(known) << Str(m);
                        // The labels stay whatever happens.
                        for (int r = 0; r < labels.rowCount(); ++r)
                            for (int c : {0, 2})
                                EXPECT_EQ(Str(cells[r * 4 + c]), Str(good[r * 4 + c]));
                    }
                };
                for (const char* pattern : refused)
                    check(spell(pattern), true);
                for (const char* pattern : computed) {
                    const QString text = spell(pattern);
                    // Whole-number edits refuse what is not sign and digits in the 32-bit range.
                    const bool isWhole = text == "-0" || text == "-2147483648" || text == "2147483647";
                    check(text, integer && !isWhole);
                }
                // Beyond the double range but within the extended one: stored as a double before
                // the first write.
                for (const char* text : {"1e400", "-1e4000"}) {
                    check(QString::fromLatin1(text), integer);
                    if (!integer) {
                        EXPECT_EQ(Str(errors.messages.join("|")), "Floating point overflow.");
                        EXPECT_EQ(AllCells(form->StringGrid1()->table()), good);
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace kvelta
