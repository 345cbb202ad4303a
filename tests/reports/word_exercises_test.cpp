// "Печать из MS Word" for every exercise: each gets the builder of its layout, the tables come
// from the right grids (for the Legendre window, from the active page only), and the .docx keeps
// the element order of WordprocessingML whatever the student typed.
#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "reports/word_report.h"
#include "support/kvelta_test.h"
#include "word_docx_reader.h"

#include <QSize>
#include <QXmlStreamReader>
#include <map>
#include <memory>

namespace kvelta {
namespace {

// Child order of the WordprocessingML elements the document uses (transitional schema): each
// list is the sequence a parent's children must follow. Elements not listed are unknown here.
const std::map<QString, QStringList>& ChildOrder()
{
    static const std::map<QString, QStringList> order{
        {"document", {"background", "body"}},
        {"body", {"block", "sectPr"}},  // "block": any number of p and tbl, then sectPr last
        {"p", {"pPr", "run"}},
        {"pPr", {"pStyle", "keepNext", "keepLines", "pageBreakBefore", "framePr", "widowControl", "numPr",
                 "suppressLineNumbers", "pBdr", "shd", "tabs", "suppressAutoHyphens", "kinsoku", "wordWrap",
                 "overflowPunct", "topLinePunct", "autoSpaceDE", "autoSpaceDN", "bidi", "adjustRightInd",
                 "snapToGrid", "spacing", "ind", "contextualSpacing", "mirrorIndents", "suppressOverlap", "jc",
                 "textDirection", "textAlignment", "textboxTightWrap", "outlineLvl", "divId", "cnfStyle", "rPr",
                 "sectPr", "pPrChange"}},
        {"r", {"rPr", "content"}},
        {"rPr", {"rStyle", "rFonts", "b", "bCs", "i", "iCs", "caps", "smallCaps", "strike", "dstrike", "outline",
                 "shadow", "emboss", "imprint", "noProof", "snapToGrid", "vanish", "webHidden", "color", "spacing",
                 "w", "kern", "position", "sz", "szCs", "highlight", "u", "effect", "bdr", "shd", "fitText",
                 "vertAlign", "rtl", "cs", "em", "lang", "eastAsianLayout", "specVanish", "oMath"}},
        {"tbl", {"tblPr", "tblGrid", "tr"}},
        {"tblPr", {"tblStyle", "tblpPr", "tblOverlap", "bidiVisual", "tblStyleRowBandSize", "tblStyleColBandSize",
                   "tblW", "jc", "tblCellSpacing", "tblInd", "tblBorders", "shd", "tblLayout", "tblCellMar",
                   "tblLook", "tblCaption", "tblDescription"}},
        {"tblBorders", {"top", "left", "bottom", "right", "insideH", "insideV"}},
        {"tblCellMar", {"top", "left", "bottom", "right"}},
        {"tblGrid", {"gridCol"}},
        {"tr", {"tblPrEx", "trPr", "tc"}},
        {"tc", {"tcPr", "block"}},
        {"tcPr", {"cnfStyle", "tcW", "gridSpan", "hMerge", "vMerge", "tcBorders", "shd", "noWrap", "tcMar",
                  "textDirection", "tcFitText", "vAlign", "hideMark"}},
        {"sectPr", {"headerReference", "footerReference", "footnotePr", "endnotePr", "type", "pgSz", "pgMar",
                    "paperSrc", "pgBorders", "lnNumType", "pgNumType", "cols", "formProt", "vAlign", "noEndnote",
                    "titlePg", "textDirection", "bidi", "rtlGutter", "docGrid"}},
        {"styles", {"docDefaults", "latentStyles", "style"}},
        {"docDefaults", {"rPrDefault", "pPrDefault"}},
        {"rPrDefault", {"rPr"}},
        {"pPrDefault", {"pPr"}},
        {"style", {"name", "aliases", "basedOn", "next", "link", "autoRedefine", "hidden", "uiPriority", "semiHidden",
                   "unhideWhenUsed", "qFormat", "locked", "personal", "personalCompose", "personalReply", "rsid",
                   "pPr", "rPr", "tblPr", "trPr", "tcPr", "tblStylePr"}},
    };
    return order;
}

// The name a child takes in its parent's order list.
QString Slot(const QString& parent, const QString& child)
{
    if ((parent == "body" || parent == "tc") && (child == "p" || child == "tbl"))
        return QStringLiteral("block");
    if (parent == "p" && child == "r")
        return QStringLiteral("run");
    if (parent == "r" && (child == "t" || child == "tab" || child == "br"))
        return QStringLiteral("content");
    return child;
}

// Checks every element of a WordprocessingML part against ChildOrder; returns the faults found.
QStringList SchemaOrderFaults(const QByteArray& part)
{
    struct Open {
        QString name;
        int slot = -1;  // index in the order list of the last child seen
        int columns = 0;
        bool lastWasParagraph = false;
    };
    QStringList faults;
    std::vector<Open> stack;
    int gridColumns = 0;
    QXmlStreamReader xml(part);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            if (!stack.empty()) {
                Open& parent = stack.back();
                const auto found = ChildOrder().find(parent.name);
                if (found != ChildOrder().end()) {
                    const QString slot = Slot(parent.name, name);
                    const int index = static_cast<int>(found->second.indexOf(slot));
                    if (index < 0)
                        faults << QStringLiteral("unexpected <%1> in <%2>").arg(name, parent.name);
                    else if (index < parent.slot
                             || (index == parent.slot && slot != "block" && slot != "run" && slot != "content"
                                 && slot != "tr" && slot != "tc" && slot != "gridCol" && slot != "style"))
                        faults << QStringLiteral("<%1> out of order in <%2>").arg(name, parent.name);
                    else
                        parent.slot = index;
                }
                if (parent.name == "tc")
                    parent.lastWasParagraph = name == "p";
                if (parent.name == "tr" && name == "tc")
                    ++parent.columns;
                if (parent.name == "tblGrid" && name == "gridCol")
                    ++gridColumns;
            }
            if (name == "tblGrid")
                gridColumns = 0;
            stack.push_back({name});
        } else if (xml.isEndElement()) {
            const Open closed = stack.back();
            stack.pop_back();
            if (closed.name == "tc" && !closed.lastWasParagraph)
                faults << QStringLiteral("a table cell that does not end with a paragraph");
            if (closed.name == "tr" && closed.columns != gridColumns)
                faults << QStringLiteral("a row of %1 cells in a grid of %2").arg(closed.columns).arg(gridColumns);
            if (closed.name == "tr" && closed.slot < 0)
                faults << QStringLiteral("a row without cells");
            if (closed.name == "tbl" && closed.slot != 2)
                faults << QStringLiteral("a table without rows");
            if (closed.name == "body" && closed.slot != 1)
                faults << QStringLiteral("a body without a final sectPr");
        }
    }
    if (xml.hasError())
        faults << QStringLiteral("not well formed: ") + xml.errorString();
    return faults;
}

// What one window's document must hold after the header: headings, and the grids whose cells the
// tables show, with the number of empty rows left below them.
struct Section {
    QString heading;  // empty: no heading before the table
    QString grid;
    int emptyRows = 0;
    QSize shape;  // columns × rows of the Word table as the document keeps it; empty: not checked
};

struct Case {
    const char* exercise;
    int page;  // the active page
    std::vector<Section> parts;
};

std::vector<Case> Cases()
{
    const std::vector<Section> single{{QString(), "StringGrid1", 0, QSize()}};
    std::vector<Section> pages;
    for (int page = 1; page <= 8; ++page)  // the extra rows went under the page numbers typed over them
        pages.push_back({QString::number(page), QStringLiteral("StringGrid%1").arg(page), 0, QSize()});
    return {
        {"meridian-arc", 0, {{QString(), "StringGrid1", 0, QSize(4, 18)}}},
        {"parallel-arc", 0, single},
        {"trapezoid-area", 0, single},
        {"trapezoid-sides", 0, single},
        {"gk-forward", 0, single},
        {"gk-inverse", 0, single},
        {"legendre", 0, {{QStringLiteral("Теорема Лежандра"), "StringGrid1", 1, QSize(7, 17)}}},
        {"legendre", 1, {{QStringLiteral("Способ аддитаментов"), "StringGrid2", 0, QSize(8, 7)}}},
        {"large-triangle", 5, pages},
        {"gk-zone", 0, {{QStringLiteral("Первый этап"), "StringGrid1", 0, QSize(2, 27)},
                     {QStringLiteral("Второй этап"), "StringGrid2", 1, QSize(2, 25)}}},
    };
}

// The table of a grid of the solution.
const ResultTable& Grid(const ReportView& view, const QString& name)
{
    for (const ReportTable& table : view.tables)
        if (table.name == name)
            return *table.table;
    throw std::logic_error("no grid " + name.toStdString());
}

class WordExercises : public ::testing::TestWithParam<QChar> {};

TEST_P(WordExercises, EachExerciseGetsItsOwnDocument)
{
    test::SeparatorScope scope(GetParam());
    // Texts a student might paste: control characters, a tab, a line break, a character beyond
    // the 16-bit range, markup characters and a long name.
    const QString group = QStringLiteral("<ГД&21>\x01\x1b\t") + QChar(0xD835) + QChar(0xDC9C) + QChar(0xFFFF)
                          + QChar(0xDC00) + QStringLiteral("]]>");
    const QString name = QString(20000, QChar(0x0416)) + QStringLiteral("\vстрока");
    for (const Case& c : Cases()) {
        SCOPED_TRACE(std::string(c.exercise) + " page " + std::to_string(c.page));
        const Exercise* exercise = FindExercise(QString::fromLatin1(c.exercise));
        ASSERT_TRUE(exercise);
        // A window whose defaults fault still gets its report.
        const Solution solution = SolveExercise(*exercise, {{"Edit1", group}, {"Edit2", name}}, c.page);
        const ReportView view = solution.view();
        const auto entries = test::Unzip(BuildDocx(view, exercise->report));
        ASSERT_TRUE(entries.count(QStringLiteral("word/document.xml")));
        for (const char* part : {"word/document.xml", "word/styles.xml"}) {
            const QStringList faults = SchemaOrderFaults(entries.at(QLatin1String(part)));
            EXPECT_TRUE(faults.isEmpty()) << part << ": " << test::Str(faults.join(QStringLiteral("; ")));
        }

        const test::DocxBody body = test::ParseDocumentXml(entries.at(QStringLiteral("word/document.xml")));
        std::size_t block = 0;
        auto next = [&]() -> const test::DocxBlock& { return body.blocks.at(block++); };
        EXPECT_EQ(test::Str(next().paragraph.text()), test::Str(view.caption));
        EXPECT_EQ(next().paragraph.text(), QStringLiteral("Ст. гр. <ГД&21>\t") + QChar(0xD835) + QChar(0xDC9C)
                                               + QStringLiteral("]]>"));
        EXPECT_TRUE(next().paragraph.text() == QStringLiteral("Ф.И.О. ") + name) << "the name line";
        for (const Section& part : c.parts) {
            if (!part.heading.isEmpty()) {
                const test::DocxBlock& heading = next();
                EXPECT_FALSE(heading.isTable);
                EXPECT_EQ(test::Str(heading.paragraph.text()), test::Str(part.heading));
            }
            const test::DocxBlock& table = next();
            ASSERT_TRUE(table.isTable) << test::Str(part.grid);
            QStringList expected = test::AllCells(Grid(view, part.grid));
            const int columns = Grid(view, part.grid).columnCount();
            for (int i = 0; i < part.emptyRows * columns; ++i)
                expected << QString();
            EXPECT_EQ(test::Str(table.table.cellTexts().join('|')), test::Str(expected.join('|')));
            if (!part.shape.isEmpty()) {
                EXPECT_EQ(static_cast<int>(table.table.rows.size()), part.shape.height()) << test::Str(part.grid);
                EXPECT_EQ(static_cast<int>(table.table.gridColumns.size()), part.shape.width()) << test::Str(part.grid);
            }
        }
        ASSERT_EQ(block + 1, body.blocks.size());
        EXPECT_FALSE(body.blocks.back().isTable);
    }
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, WordExercises, ::testing::ValuesIn(test::kSeparators));

}  // namespace
}  // namespace kvelta
