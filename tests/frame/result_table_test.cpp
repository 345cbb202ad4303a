#include "frame/errors.h"
#include "frame/result_table.h"
#include "support/kvelta_test.h"

namespace kvelta {
namespace {

TEST(ResultTable, MovesAColumnWithItsCellsAndWidth)
{
    ResultTable t(4, 2);
    for (int c = 0; c < 4; ++c) {
        t.setLabel(c, 0, QString::number(c));
        t.setColumnWidth(c, 90 + c);
    }
    t.moveColumn(0, 2);
    EXPECT_EQ(test::AllCells(t).mid(0, 4), (QStringList{"1", "2", "0", "3"}));
    EXPECT_EQ(t.columnWidth(2), 90);
    t.moveColumn(3, 0);
    EXPECT_EQ(test::AllCells(t).mid(0, 4), (QStringList{"3", "1", "2", "0"}));
    t.setValue(1, 1, QStringLiteral("x"));  // writes go by position
    EXPECT_EQ(t.cell(1, 1), QStringLiteral("x"));
}

TEST(RunComputation, EmptiesTheValuesAFaultedRunDidNotReach)
{
    ResultTable t(2, 4);
    t.setLabel(0, 1, QStringLiteral("a"));
    t.setLabel(0, 2, QStringLiteral("b"));
    t.setLabel(0, 3, QStringLiteral("c"));
    RunComputation({&t}, [&] {
        t.setValue(1, 1, QStringLiteral("1"));
        t.setValue(1, 2, QStringLiteral("2"));
        t.setValue(1, 3, QStringLiteral("3"));
    });
    EXPECT_THROW(RunComputation({&t}, [&] {
                     t.setValue(1, 1, QStringLiteral("10"));
                     RaiseDivisionByZero();
                 }),
                 FloatingPointError);
    EXPECT_EQ(test::AllCells(t), (QStringList{"", "", "a", "10", "b", "", "c", ""}));

    // A failure before the first write leaves the table as it was.
    EXPECT_THROW(RunComputation({&t}, [&] { RaiseInvalidFloat(QStringLiteral("x")); }), ConversionError);
    EXPECT_EQ(test::AllCells(t), (QStringList{"", "", "a", "10", "b", "", "c", ""}));
}

}  // namespace
}  // namespace kvelta
