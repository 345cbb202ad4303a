#include "spherical/exercises.h"
#include "spherical/legendre_triangle.h"

#include "frame/errors.h"
#include "support/kvelta_test.h"

#include <QRegularExpression>
#include <array>
#include <map>
#include <vector>

namespace kvelta {
namespace {

using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

// Edit3 … Edit12 in order, numbers written with a point.
using Texts = std::array<QString, 10>;

const Texts kWorkedExample = {"60", "12", "15.32", "58", "40", "20.10", "61", "07", "28.12", "44797.282"};

EditTexts Typed(const Texts& texts, QChar separator)
{
    TypedTexts typed;
    for (int i = 0; i < 10; ++i)
        typed.emplace_back(QStringLiteral("Edit%1").arg(i + 3), WithSeparator(texts[static_cast<std::size_t>(i)], separator));
    return EditTexts(LegendreTriangleExercise(), typed);
}

// Both tables as a window holds them, and what the error box would show.
struct Triangle {
    // One press of "Вычислить".
    void press(const Texts& texts, QChar separator)
    {
        error = ErrorOf([&] { LegendreTriangleExercise().compute(Typed(texts, separator), tables.set()); })
                    .value_or(QString());
    }
    ExerciseTables tables{LegendreTriangleExercise()};
    ResultTable& legendre = tables[0];
    ResultTable& additaments = tables[1];
    QString error;
};

// Rows of cells separated by '|'; numbers are written with a point and shown with `separator`.
std::vector<QStringList> Rows(const std::vector<const char*>& rows, QChar separator)
{
    static const QRegularExpression point(QStringLiteral("(\\d)\\.(\\d)"));
    std::vector<QStringList> result;
    for (const char* row : rows) {
        QString text = QString::fromUtf8(row);
        text.replace(point, QStringLiteral("\\1") + separator + QStringLiteral("\\2"));
        result.push_back(text.split(QLatin1Char('|')));
    }
    return result;
}

void ExpectTable(const ResultTable& table, const std::vector<QStringList>& rows, const char* what)
{
    ASSERT_EQ(static_cast<int>(rows.size()), table.rowCount()) << what;
    for (int r = 0; r < table.rowCount(); ++r) {
        ASSERT_EQ(rows[static_cast<std::size_t>(r)].size(), table.columnCount()) << what << " row " << r;
        for (int c = 0; c < table.columnCount(); ++c)
            EXPECT_EQ(Str(table.cell(c, r)), Str(rows[static_cast<std::size_t>(r)][c]))
                << what << " cell (" << c << "," << r << ")";
    }
}

const std::vector<const char*> kLegendreLabels = {
    "Формула|Результат|Формула|Результат|||",
    "f||b^2*sinA*sinC||||",
    "b^2||sinB||||",
    "sinA||DI||||",
    "sinC||E||||",
    "sinA*sinC||||||",
    "Вершина|Измер. углы сф. тр.|Поправка из урав.|Урав. углы сф. тр.|-Е/3|Углы плоск. тр.|sin углов пл.тр.",
    "B||||||",
    "A||||||",
    "C||||||",
    "Сумма||||||",
    "E||||||",
    "Омега||||||",
    "||||||",
    "DII||a||||",
    "b||c||||",
};

const std::vector<const char*> kAdditamentsLabels = {
    "Вершина|Измер. углы сф. тр.|Поправка из урав.|Урав. углы сф. тр.|sin урав. уг. сф. тр.|Стор. плоск. тр.|As|Стор. сф. тр.",
    "B|||||||",
    "A|||||||",
    "C|||||||",
    "Сумма|||||||",
    "E|||||||",
    "Омега|||||||",
};

TEST(LegendreTriangle, LabelsOfANewWindow)
{
    Triangle t;
    ExpectTable(t.legendre, Rows(kLegendreLabels, QLatin1Char(',')), "Legendre");
    ExpectTable(t.additaments, Rows(kAdditamentsLabels, QLatin1Char(',')), "additaments");
    // The excess column of the angle table is headed with a Cyrillic Е; every other E is Latin.
    EXPECT_EQ(t.legendre.cell(4, 6), QString::fromUtf16(u"-\u0415/3"));
    EXPECT_EQ(t.legendre.cell(0, 11), QStringLiteral("E"));
    EXPECT_EQ(t.legendre.cell(2, 4), QStringLiteral("E"));
    EXPECT_EQ(t.additaments.cell(0, 5), QStringLiteral("E"));
    for (const ResultTable* table : {&t.legendre, &t.additaments})
        for (int r = 1; r < table->rowCount(); ++r) {
            if (table->cell(0, r).size() > 3)
                continue;
            for (const QChar ch : table->cell(0, r))  // the vertex and quantity letters are Latin
                EXPECT_LT(ch.unicode(), 128) << Str(table->cell(0, r));
        }
}

// Every cell of both tables after the worked example, the values as printed in the textbook.
TEST(LegendreTriangle, WorkedExampleOnBothPages)
{
    const std::vector<const char*> legendre = {
        "Формула|Результат|Формула|Результат|||",
        "f|0.002533|b^2*sinA*sinC|1524.983281|||",
        "b^2|2006.796475|sinB|0.854207|||",
        "sinA|0.867802|DI|1785.261747|||",
        "sinC|0.875671|E|4.522068|||",
        "sinA*sinC|0.759909|||||",
        "Вершина|Измер. углы сф. тр.|Поправка из урав.|Урав. углы сф. тр.|-Е/3|Углы плоск. тр.|sin углов пл.тр.",
        "B|58° 40` 20.1000\"|0.327356|58° 40` 20.4274\"|-1.507356|58° 40` 18.9200\"|0.854204",
        "A|60° 12` 15.3200\"|0.327356|60° 12` 15.6474\"|-1.507356|60° 12` 14.1400\"|0.867800",
        "C|61° 7` 28.1200\"|0.327356|61° 7` 28.4474\"|-1.507356|61° 7` 26.9400\"|0.875668",
        "Сумма|180° 0` 3.5400\"|||||",
        "E|4.522068|||||",
        "Омега|0° 0` -0.9821\"|||||",
        "||||||",
        "DII|52443.2978|a|45510.2687|||",
        "b|44797.2820|c|45922.9257|||",
    };
    const std::vector<const char*> additaments = {
        "Вершина|Измер. углы сф. тр.|Поправка из урав.|Урав. углы сф. тр.|sin урав. уг. сф. тр.|Стор. плоск. тр.|As|Стор. сф. тр.",
        "B|58° 40` 20.1000\"|0.327356|58° 40` 20.4274\"|0.854208|44796.912515|0.3695|44797.2820",
        "A|60° 12` 15.3200\"|0.327356|60° 12` 15.6474\"|0.867803|45509.881351|0.3874|45510.2688",
        "C|61° 7` 28.1200\"|0.327356|61° 7` 28.4474\"|0.875672|45922.527710|0.3980|45922.9257",
        "Сумма|180° 0` 3.5400\"||||||",
        "E|4.522068||||||",
        "Омега|0° 0` -0.9821\"||||||",
    };
    for (const QChar sep : test::kSeparators) {
        SCOPED_TRACE(Str(QString(sep)));
        SeparatorScope scope(sep);
        Triangle t;
        t.press(kWorkedExample, sep);
        EXPECT_EQ(Str(t.error), "");
        ExpectTable(t.legendre, Rows(legendre, sep), "Legendre");
        ExpectTable(t.additaments, Rows(additaments, sep), "additaments");

        // Pressing again with the same inputs changes nothing.
        const QStringList first = test::AllCells(t.legendre) + test::AllCells(t.additaments);
        t.press(kWorkedExample, sep);
        EXPECT_EQ(test::AllCells(t.legendre) + test::AllCells(t.additaments), first);
    }
}

// A cell of one of the two tables: 0 the Legendre table, 1 the additaments table.
struct Cell {
    int table, column, row;
    const char* text;  // a number written with a point
};

// A value cell without its text.
struct Place {
    int table, column, row;
};

const ResultTable& TableOf(const Triangle& t, int which) { return which == 0 ? t.legendre : t.additaments; }

// A new window presses "Вычислить" with all angles 0: the excess divides 0 by sin 0 and the run
// stops at DI, whatever the tables held before.
TEST(LegendreTriangle, DefaultInputsStopAtDI)
{
    const Texts defaults = {"0", "0", "0", "0", "0", "0", "0", "0", "0", "44797.282"};
    for (const QChar sep : test::kSeparators) {
        SCOPED_TRACE(Str(QString(sep)));
        SeparatorScope scope(sep);
        Triangle expected;
        for (const Cell& c : std::vector<Cell>{{0, 1, 1, "0.002533"}, {0, 1, 2, "2006.796475"},
                                               {0, 1, 3, "0.000000"}, {0, 1, 4, "0.000000"},
                                               {0, 1, 5, "0.000000"}, {0, 3, 1, "0.000000"},
                                               {0, 3, 2, "0.000000"}})
            expected.legendre.setValue(c.column, c.row, WithSeparator(QString::fromLatin1(c.text), sep));

        Triangle fresh;
        fresh.press(defaults, sep);
        Triangle used;
        used.press(kWorkedExample, sep);
        ASSERT_EQ(Str(used.error), "");
        used.press(defaults, sep);
        for (const Triangle* t : {&fresh, &used}) {
            EXPECT_EQ(Str(t->error), "Invalid floating point operation");
            EXPECT_EQ(test::AllCells(t->legendre), test::AllCells(expected.legendre));
            EXPECT_EQ(test::AllCells(t->additaments), test::AllCells(expected.additaments));
        }
    }
}

TEST(LegendreTriangle, ZeroAndNegativeSide)
{
    for (const QChar sep : test::kSeparators) {
        SCOPED_TRACE(Str(QString(sep)));
        SeparatorScope scope(sep);

        // b = 0: no excess, so the plane angles are the adjusted ones and every side is 0;
        // the misclosure is positive and the corrections negative.
        Texts zero = kWorkedExample;
        zero[9] = QStringLiteral("0");
        Triangle t;
        t.press(zero, sep);
        EXPECT_EQ(Str(t.error), "");
        const std::vector<Cell> zeroCells = {
            {0, 1, 2, "0.000000"}, {0, 3, 1, "0.000000"}, {0, 3, 3, "0.000000"}, {0, 3, 4, "0.000000"},
            {0, 1, 11, "0.000000"}, {0, 1, 12, "0° 0` 3.5400\""}, {0, 2, 7, "-1.180000"},
            {0, 3, 7, "58° 40` 18.9200\""}, {0, 4, 7, "0.000000"}, {0, 5, 7, "58° 40` 18.9200\""},
            {0, 5, 8, "60° 12` 14.1400\""}, {0, 5, 9, "61° 7` 26.9400\""}, {0, 1, 14, "0.0000"},
            {0, 1, 15, "0.0000"}, {0, 3, 14, "0.0000"}, {0, 3, 15, "0.0000"}, {1, 2, 1, "-1.180000"},
            {1, 4, 1, "0.854204"}, {1, 5, 1, "0.000000"}, {1, 5, 2, "0.000000"}, {1, 5, 3, "0.000000"},
            {1, 6, 1, "0.0000"}, {1, 6, 2, "0.0000"}, {1, 6, 3, "0.0000"}, {1, 7, 1, "0.0000"},
            {1, 7, 2, "0.0000"}, {1, 7, 3, "0.0000"}};
        for (const Cell& c : zeroCells)
            EXPECT_EQ(Str(TableOf(t, c.table).cell(c.column, c.row)), Str(WithSeparator(QString::fromUtf8(c.text), sep)))
                << "b = 0, table " << c.table << " cell (" << c.column << "," << c.row << ")";

        // A negative b: the same excess and angles, every side with a minus sign.
        Triangle positive;
        positive.press(kWorkedExample, sep);
        Texts negativeTexts = kWorkedExample;
        negativeTexts[9] = QStringLiteral("-44797.282");
        Triangle negative;
        negative.press(negativeTexts, sep);
        EXPECT_EQ(Str(negative.error), "");
        auto isSide = [](int table, int column, int row) {
            if (table == 0)
                return row >= 14 && (column == 1 || column == 3);
            return column >= 5 && row >= 1 && row <= 3;
        };
        for (int which = 0; which < 2; ++which) {
            const ResultTable& p = TableOf(positive, which);
            const ResultTable& n = TableOf(negative, which);
            for (int r = 0; r < p.rowCount(); ++r)
                for (int c = 0; c < p.columnCount(); ++c) {
                    const QString want = isSide(which, c, r) ? QLatin1Char('-') + p.cell(c, r) : p.cell(c, r);
                    EXPECT_EQ(Str(n.cell(c, r)), Str(want)) << "table " << which << " (" << c << "," << r << ")";
                }
        }
        EXPECT_EQ(Str(negative.additaments.cell(6, 2)), Str(WithSeparator("-0.3874", sep)));
    }
}

// The later divisions of the run: sin B′ = 0 for DII, sin B* = 0 or sin A* = 0 for the plane sides.
// A misclosure of exactly 3° (A + B + C = 183°) moves each adjusted angle by exactly 1°.
TEST(LegendreTriangle, LaterDivisionFaults)
{
    struct Case {
        const char* name;
        Texts texts;
        const char* error;
        std::vector<Cell> lastWritten;  // cells just before the fault, with their texts
        std::vector<Place> emptied;     // value cells the run did not reach
    };
    const std::vector<Case> cases = {
        {"sin B' = 0 (A = 0, B = 1, C = 182)",
         {"0", "0", "0", "1", "0", "0", "182", "0", "0", "1000"},
         "Floating point division by zero",
         {{0, 5, 7, "0° 0` 0.0000\""}, {0, 6, 7, "0.000000"}, {0, 6, 9, "-0.017452"}},
         {{0, 1, 14}, {0, 1, 15}, {0, 3, 14}, {0, 3, 15}, {1, 1, 1}, {1, 4, 3}, {1, 7, 3}}},
        // A tiny side gives an excess too small to change the misclosure, but not B′.
        {"sin B* = 0 (A = 91, B = 1, C = 91)",
         {"91", "0", "0", "1", "0", "0", "91", "0", "0", "0.000026"},
         "Floating point division by zero",
         {{0, 3, 15, "-164030824900373728.0000"}, {1, 3, 1, "0° 0` 0.0000\""}, {1, 4, 1, "0.000000"},
          {1, 4, 3, "1.000000"}},
         {{1, 5, 1}, {1, 5, 2}, {1, 5, 3}, {1, 6, 1}, {1, 7, 3}}},
        // a′ is then 0, and c′ = 0 / 0.
        {"sin A* = 0 (A = 1, B = 91, C = 91)",
         {"1", "0", "0", "91", "0", "0", "91", "0", "0", "0.000026"},
         "Invalid floating point operation",
         {{0, 3, 14, "0.0000"}, {1, 3, 2, "0° 0` 0.0000\""}, {1, 4, 2, "0.000000"}},
         {{1, 5, 1}, {1, 5, 2}, {1, 5, 3}, {1, 6, 1}, {1, 7, 3}}},
    };
    for (const QChar sep : test::kSeparators) {
        SeparatorScope scope(sep);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " " + Str(QString(sep)));
            Triangle t;
            t.press(kWorkedExample, sep);  // earlier values must not stay beside the new ones
            t.press(c.texts, sep);
            EXPECT_EQ(Str(t.error), c.error);
            for (const Cell& w : c.lastWritten)
                EXPECT_EQ(Str(TableOf(t, w.table).cell(w.column, w.row)), Str(WithSeparator(QString::fromUtf8(w.text), sep)))
                    << "table " << w.table << " (" << w.column << "," << w.row << ")";
            for (const Place& e : c.emptied)
                EXPECT_EQ(Str(TableOf(t, e.table).cell(e.column, e.row)), "")
                    << "table " << e.table << " (" << e.column << "," << e.row << ")";
        }
    }
}

// A bad field stops the run before any write; the first bad field in reading order is reported.
TEST(LegendreTriangle, ConversionErrorsLeaveBothTables)
{
    for (const QChar sep : test::kSeparators) {
        SCOPED_TRACE(Str(QString(sep)));
        SeparatorScope scope(sep);
        const QString otherSeparator = sep == QLatin1Char(',') ? QStringLiteral("44797.282") : QStringLiteral("44797,282");
        for (int field = 0; field < 10; ++field) {
            const bool integerField = field < 9 && field % 3 != 2;
            for (const QString& bad : {QString(), QStringLiteral("abc"), QStringLiteral("1") + sep + QStringLiteral("5"), otherSeparator}) {
                // "1,5" is a fine real number, and the other separator a fine whole number nowhere.
                const bool accepted = !integerField && bad == QStringLiteral("1") + sep + QStringLiteral("5");
                if (accepted)
                    continue;
                Triangle t;
                t.press(kWorkedExample, sep);
                const QStringList before = test::AllCells(t.legendre) + test::AllCells(t.additaments);
                Texts texts = kWorkedExample;
                for (QString& text : texts)
                    text = WithSeparator(text, sep);
                texts[static_cast<std::size_t>(field)] = bad;
                if (field < 9)
                    texts[9] = QStringLiteral("x");  // a later bad field is not the one reported
                t.press(texts, QLatin1Char('.'));
                const QString kind = integerField ? QStringLiteral("integer") : QStringLiteral("floating point");
                EXPECT_EQ(Str(t.error), Str(QStringLiteral("'%1' is not a valid %2 value").arg(bad, kind)))
                    << "Edit" << field + 3;
                EXPECT_EQ(test::AllCells(t.legendre) + test::AllCells(t.additaments), before) << "Edit" << field + 3;
            }
        }
    }
}

// Huge angles: radians are x·π/180 (the product first), and a run stops at the first step that
// faults in the order of writing.
TEST(LegendreTriangle, HugeAnglesFollowTheOrderOfTheSteps)
{
    for (const QChar sep : test::kSeparators) {
        SCOPED_TRACE(Str(QString(sep)));
        SeparatorScope scope(sep);

        // A = 1e18″ = 277777777777777.78°; x/180·π would give -0.612649 (checked at 64-bit precision).
        Texts texts = kWorkedExample;
        texts[0] = QStringLiteral("0");
        texts[1] = QStringLiteral("0");
        texts[2] = QStringLiteral("1e18");
        Triangle t;
        t.press(texts, sep);
        EXPECT_EQ(Str(t.legendre.cell(1, 3)), Str(WithSeparator("-0.612648", sep)));

        // Three angles of about 4.7e304°: the first angle cell cannot show them, and that fault comes
        // before W″ (which would overflow a double) is stored.
        Texts huge = {"0", "0", "1.7e308", "0", "0", "1.7e308", "0", "0", "1.7e308", "44797.282"};
        Triangle h;
        h.press(kWorkedExample, sep);
        h.press(huge, sep);
        EXPECT_EQ(Str(h.error), "Invalid floating point operation");
        EXPECT_NE(Str(h.legendre.cell(3, 4)), "");  // E was written
        EXPECT_EQ(Str(h.legendre.cell(1, 7)), "");
        EXPECT_EQ(Str(h.additaments.cell(1, 1)), "");
    }
}

// Whatever is typed, a run either completes or stops with an error; no cell shows inf or nan.
TEST(LegendreTriangle, HostileInputsNeverShowInfOrNan)
{
    const QStringList hostile = {"2147483647", "-2147483648", "1e308", "-1e308", "1e4000", "1e-4000",
                                 "1e-320", "180", "-180", "360", "1e15", "0", "-0"};
    for (const QChar sep : test::kSeparators) {
        SeparatorScope scope(sep);
        for (int field = 0; field < 10; ++field)
            for (const QString& text : hostile) {
                Texts texts = kWorkedExample;
                texts[static_cast<std::size_t>(field)] = text;
                Triangle t;
                t.press(texts, sep);
                for (const ResultTable* table : {&t.legendre, &t.additaments})
                    for (const QString& cell : test::AllCells(*table))
                        EXPECT_FALSE(cell.contains(QStringLiteral("inf"), Qt::CaseInsensitive)
                                     || cell.contains(QStringLiteral("nan"), Qt::CaseInsensitive))
                            << "Edit" << field + 3 << " = " << Str(text) << ": " << Str(cell.left(40));
            }
    }
}

}  // namespace
}  // namespace kvelta
