// The exact sequence of word-processor operations of each report, checked on a recorder.
#include "word_recorder.h"
#include "reports/word_report.h"
#include "support/kvelta_test.h"

#include <memory>

namespace kvelta {
namespace {

// A grid whose every cell names itself, so that the order of the typed texts shows.
std::unique_ptr<ResultTable> NamedGrid(int grid, int columns, int rows)
{
    auto table = std::make_unique<ResultTable>(columns, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            table->setLabel(c, r, QStringLiteral("g%1 (%2,%3)").arg(grid).arg(c).arg(r));
    return table;
}

struct Window {
    std::vector<std::unique_ptr<ResultTable>> grids;
    ReportView view;
};

// A window of several grids, given as (columns, rows), with the page captions "1", "2", ...
Window MakeWindow(const QString& caption, const std::vector<std::pair<int, int>>& sizes, int activePage = -1)
{
    Window window;
    window.view.caption = caption;
    window.view.group = QStringLiteral("ГД-21");
    window.view.name = QStringLiteral("Иванов И. И.");
    window.view.activePage = activePage;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        window.grids.push_back(NamedGrid(static_cast<int>(i + 1), sizes[i].first, sizes[i].second));
        window.view.tables.push_back({QStringLiteral("StringGrid%1").arg(i + 1),
                                      sizes.size() > 1 ? QString::number(i + 1) : QString(),
                                      window.grids.back().get()});
    }
    return window;
}

QStringList Header(const QString& caption)
{
    return {
        QStringLiteral("Connect()"),
        QStringLiteral("Documents.Add(\"\", false)"),
        QStringLiteral("Visible(true)"),
        QStringLiteral("CentimetersToPoints(2)"),
        QStringLiteral("PageSetup.TopMargin(56.692913)"),
        QStringLiteral("CentimetersToPoints(2)"),
        QStringLiteral("PageSetup.BottomMargin(56.692913)"),
        QStringLiteral("CentimetersToPoints(2.5)"),
        QStringLiteral("PageSetup.LeftMargin(70.86614)"),
        QStringLiteral("CentimetersToPoints(1.5)"),
        QStringLiteral("PageSetup.RightMargin(42.519684)"),
        QStringLiteral("CentimetersToPoints(0)"),
        QStringLiteral("ParagraphFormat.LeftIndent(0)"),
        QStringLiteral("ParagraphFormat.Alignment(1)"),
        QStringLiteral("Font.Size(16)"),
        QStringLiteral("Font.Bold(9999998)"),
        QStringLiteral("TypeText(\"%1\\r\")").arg(caption),
        QStringLiteral("Font.Bold(9999998)"),
        QStringLiteral("Font.Size(14)"),
        QStringLiteral("ParagraphFormat.Alignment(3)"),
        QStringLiteral("TypeText(\"Ст. гр. ГД-21\\r\")"),
        QStringLiteral("TypeText(\"Ф.И.О. Иванов И. И.\\r\")"),
    };
}

// The calls of one table: its size, then each cell's text in row order, each followed by a move.
QStringList Table(int grid, int columns, int rows, int range, bool extraRow, bool leave)
{
    QStringList calls{QStringLiteral("Range()"),
                      QStringLiteral("Tables.Add(Range#%1, %2, %3)").arg(range).arg(rows + (extraRow ? 1 : 0)).arg(columns)};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            calls << QStringLiteral("TypeText(\"g%1 (%2,%3)\")").arg(grid).arg(c).arg(r) << QStringLiteral("Move(12, 1)");
    if (leave)
        calls << QStringLiteral("MoveDown(5, 1, 1)");
    return calls;
}

QString Heading(const QString& text) { return QStringLiteral("TypeText(\"%1\\r\")").arg(text); }

void ExpectCalls(const QStringList& actual, const QStringList& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        ASSERT_EQ(test::Str(actual[i]), test::Str(expected[i])) << "call " << i;
}

// The six windows of the meridian-arc family share one report: header and StringGrid1 exactly.
TEST(WordReport, MeridianArcWindow)
{
    const Window window = MakeWindow(QStringLiteral("Вычисление дуги меридианов"), {{4, 18}});
    WordRecorder word;
    BuildWordReport(window.view, word);
    ExpectCalls(word.calls, Header(QStringLiteral("Вычисление дуги меридианов")) + Table(1, 4, 18, 1, false, false));
    EXPECT_EQ(word.calls.filter(QStringLiteral("TypeText(\"g1")).size(), 72);
}

// A window not yet computed: the labels and empty texts for the empty cells, nothing skipped.
TEST(WordReport, UncomputedWindowTypesLabelsAndEmptyCells)
{
    ResultTable grid(4, 18);
    grid.setLabel(0, 0, QStringLiteral("Формула"));
    grid.setLabel(1, 0, QStringLiteral("Результат"));
    grid.setLabel(0, 1, QStringLiteral("B1"));
    const ReportView view{QStringLiteral("Вычисление дуги меридианов"), QString(), QString(),
                          {{QStringLiteral("StringGrid1"), QString(), &grid}}, -1};
    WordRecorder word;
    BuildWordReport(view, word);
    const QStringList typed = word.calls.filter(QStringLiteral("TypeText("));
    ASSERT_EQ(typed.size(), 3 + 72);
    EXPECT_EQ(typed[1], QStringLiteral("TypeText(\"Ст. гр. \\r\")"));
    EXPECT_EQ(typed[2], QStringLiteral("TypeText(\"Ф.И.О. \\r\")"));
    EXPECT_EQ(typed[3], QStringLiteral("TypeText(\"Формула\")"));
    EXPECT_EQ(typed[4], QStringLiteral("TypeText(\"Результат\")"));
    EXPECT_EQ(typed[5], QStringLiteral("TypeText(\"\")"));
    EXPECT_EQ(typed[7], QStringLiteral("TypeText(\"B1\")"));
    EXPECT_EQ(word.calls.filter(QStringLiteral("Move(12, 1)")).size(), 72);
    EXPECT_EQ(word.calls.last(), QStringLiteral("Move(12, 1)"));
}

TEST(WordReport, ReshSTmFirstPageExtraRowAndExtendedSelection)
{
    const Window window = MakeWindow(QStringLiteral("Решение сферического треугольника"), {{7, 16}, {8, 7}}, 0);
    WordRecorder word;
    BuildLegendreWordReport(window.view, word);
    ExpectCalls(word.calls, Header(QStringLiteral("Решение сферического треугольника"))
                                + QStringList{Heading(QStringLiteral("Теорема Лежандра"))}
                                + Table(1, 7, 16, 1, true, true));
    EXPECT_TRUE(word.calls.contains(QStringLiteral("Tables.Add(Range#1, 17, 7)")));
}

TEST(WordReport, ReshSTmSecondPageExactTableNoExtension)
{
    const Window window = MakeWindow(QStringLiteral("Решение сферического треугольника"), {{7, 16}, {8, 7}}, 1);
    WordRecorder word;
    BuildLegendreWordReport(window.view, word);
    ExpectCalls(word.calls, Header(QStringLiteral("Решение сферического треугольника"))
                                + QStringList{Heading(QStringLiteral("Способ аддитаментов"))}
                                + Table(2, 8, 7, 1, false, false));
    EXPECT_TRUE(word.calls.contains(QStringLiteral("Tables.Add(Range#1, 7, 8)")));
    EXPECT_TRUE(word.calls.filter(QStringLiteral("MoveDown")).isEmpty());
}

TEST(WordReport, SfTrEightHeadingsAndTables)
{
    const std::vector<std::pair<int, int>> sizes{{4, 31}, {4, 3}, {4, 6}, {5, 14}, {4, 11}, {4, 9}, {2, 4}, {4, 5}};
    const Window window = MakeWindow(QStringLiteral("Решение большого сферического треугольника"), sizes, 3);
    WordRecorder word;
    BuildLargeTriangleWordReport(window.view, word);
    QStringList expected = Header(QStringLiteral("Решение большого сферического треугольника"));
    expected << QStringLiteral("Font.Size(10)");
    for (int page = 1; page <= 8; ++page) {
        const auto [columns, rows] = sizes[static_cast<std::size_t>(page - 1)];
        expected << Heading(QString::number(page)) << Table(page, columns, rows, page, page < 8, page < 8);
    }
    ExpectCalls(word.calls, expected);
    const QStringList tables = word.calls.filter(QStringLiteral("Tables.Add"));
    EXPECT_EQ(tables, (QStringList{"Tables.Add(Range#1, 32, 4)", "Tables.Add(Range#2, 4, 4)",
                                   "Tables.Add(Range#3, 7, 4)", "Tables.Add(Range#4, 15, 5)",
                                   "Tables.Add(Range#5, 12, 4)", "Tables.Add(Range#6, 10, 4)",
                                   "Tables.Add(Range#7, 5, 2)", "Tables.Add(Range#8, 5, 4)"}));
}

TEST(WordReport, PreobrazTwoStages)
{
    const Window window = MakeWindow(QStringLiteral("Преобразование координат"), {{2, 27}, {2, 24}}, 0);
    WordRecorder word;
    BuildZoneTransferWordReport(window.view, word);
    ExpectCalls(word.calls, Header(QStringLiteral("Преобразование координат"))
                                + QStringList{QStringLiteral("Font.Size(10)"), Heading(QStringLiteral("Первый этап"))}
                                + Table(1, 2, 27, 1, true, true)
                                + QStringList{Heading(QStringLiteral("Второй этап"))}
                                + Table(2, 2, 24, 2, true, false));
    EXPECT_EQ(word.calls.filter(QStringLiteral("Tables.Add")),
              (QStringList{"Tables.Add(Range#1, 28, 2)", "Tables.Add(Range#2, 25, 2)"}));
}

// Texts typed into the edits reach the document as they are, whatever they hold.
TEST(WordReport, StudentFieldsAreTypedVerbatim)
{
    Window window = MakeWindow(QStringLiteral("Cap %1 \"q\""), {{1, 1}});
    window.view.group = QStringLiteral("%2\\");
    window.view.name = QString();
    WordRecorder word;
    BuildWordReport(window.view, word);
    EXPECT_TRUE(word.calls.contains(QStringLiteral("TypeText(\"Cap %1 \\\"q\\\"\\r\")")));
    EXPECT_TRUE(word.calls.contains(QStringLiteral("TypeText(\"Ст. гр. %2\\\\\\r\")")));
    EXPECT_TRUE(word.calls.contains(QStringLiteral("TypeText(\"Ф.И.О. \\r\")")));
}

}  // namespace
}  // namespace kvelta
