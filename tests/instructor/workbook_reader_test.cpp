#include "catalogue/catalogue.h"
#include "reports/zip_library.h"
#include "instructor/spreadsheet.h"
#include "instructor/workbook_reader.h"
#include "support/kvelta_test.h"

namespace kvelta {
namespace {

using Parts = std::vector<std::pair<const char*, QByteArray>>;
using Rows = std::vector<QStringList>;

QByteArray Pack(const Parts& parts)
{
    return PackZip(parts);
}

const QByteArray kXlsxTypes = "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>";
const QByteArray kXlsxRootRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";
const QByteArray kXlsxWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"Лист1\" sheetId=\"1\" r:id=\"rId2\"/><sheet name=\"Группа Б\" sheetId=\"2\" r:id=\"rId3\"/>"
    "</sheets></workbook>";
const QByteArray kXlsxWorkbookRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"/xl/worksheets/sheet2.xml\"/>"
    "<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/>"
    "<Relationship Id=\"rId5\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/></Relationships>";
// Style 1 shows four decimals, style 2 the built-in two.
const QByteArray kXlsxStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><numFmts count=\"1\">"
    "<numFmt numFmtId=\"164\" formatCode=\"0.0000;[RED]\\-0.0000\"/></numFmts><cellStyleXfs count=\"1\"><xf numFmtId=\"0\"/>"
    "</cellStyleXfs><cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"2\"/></cellXfs></styleSheet>";
const QByteArray kXlsxShared =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<si><t>Группа</t></si><si><t>ФИО</t></si><si><r><t>Ёлкин, </t></r><r><t xml:space=\"preserve\">Иван</t></r>"
    "<rPh><t>ЁЛКИН</t></rPh></si><si><t>ГД-21</t></si></sst>";

QByteArray Sheet(const QByteArray& rows)
{
    return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + rows
           + "</sheetData></worksheet>";
}

QByteArray Xlsx(const QByteArray& first, const QByteArray& second = Sheet(""))
{
    return Pack({{"[Content_Types].xml", kXlsxTypes},
                 {"_rels/.rels", kXlsxRootRels},
                 {"xl/workbook.xml", kXlsxWorkbook},
                 {"xl/_rels/workbook.xml.rels", kXlsxWorkbookRels},
                 {"xl/sharedStrings.xml", kXlsxShared},
                 {"xl/styles.xml", kXlsxStyles},
                 {"xl/worksheets/sheet1.xml", first},
                 {"xl/worksheets/sheet2.xml", second}});
}

QByteArray Ods(const QByteArray& tables, const QByteArray& mimetype = "application/vnd.oasis.opendocument.spreadsheet")
{
    return Pack({{"mimetype", mimetype},
                 {"content.xml",
                  "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                  "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                  "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
                      + tables + "</office:spreadsheet></office:body></office:document-content>"}});
}

QByteArray OdsCell(const QByteArray& text, const QByteArray& attributes = "")
{
    return "<table:table-cell " + attributes + "><text:p>" + text + "</text:p></table:table-cell>";
}

// Every way a workbook keeps its cells comes out as the same rows; what is no table, or beyond the
// limits, is refused with the reason and nothing read.
TEST(Workbook, ReadsTheCellsAsKeptAndRefusesWhatIsNoTable)
{
    const WorkbookLimits small{4096, 3, 4};
    struct Case {
        const char* what;
        QByteArray bytes;
        QString sheet;
        Rows rows;
        QString error;  // when refused
        WorkbookLimits limits = {};
    } cases[] = {
        {"xlsx shared, rich and inline strings, gaps, numbers",
         Xlsx(Sheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>"
                    "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>3</v></c><c r=\"B2\" t=\"s\"><v>2</v></c></row>"
                    "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t>ГД-22</t></is></c><c r=\"C4\"><v>0.30000000000000004</v></c>"
                    "<c r=\"D4\" t=\"b\"><v>1</v></c></row><row r=\"5\"><c r=\"A5\" s=\"1\"/></row>"
                    "<row r=\"6\"><c s=\"1\"><v>7.119</v></c><c s=\"2\"><v>3</v></c><c s=\"1\"><v>7.11912345</v></c>"
                    "<c s=\"1\"><v>-0.5</v></c></row>")),
         {},
         {{"Группа", "ФИО"}, {"ГД-21", "Ёлкин, Иван"}, {"ГД-22", "", "0.3", "TRUE"}, {"7.1190", "3.00", "7.11912345", "-0.5000"}},
         {}},
        {"xlsx second sheet by name, absolute target, no r attributes",
         Xlsx(Sheet(""), Sheet("<row><c><v>1800.5</v></c><c t=\"str\"><v>=x</v></c></row>")), "Группа Б",
         {{"1800.5", "=x"}}, {}},
        {"guarded cells read back as from delimited text",
         Xlsx(Sheet("<row><c t=\"inlineStr\"><is><t>'=1+1</t></is></c><c t=\"inlineStr\"><is><t>'abc</t></is></c>"
                    "<c t=\"inlineStr\"><is><t>''=1</t></is></c><c t=\"inlineStr\"><is><t>'-12.5</t></is></c></row>")),
         {},
         {{"=1+1", "'abc", "'=1", "'-12.5"}},
         {}},
        {"ods guarded cell", Ods("<table:table table:name=\"А\"><table:table-row>" + OdsCell("'@SUM(A1)") + OdsCell("'")
                                 + "</table:table-row></table:table>"),
         {}, {{"@SUM(A1)", "'"}}, {}},
        {"xlsx missing sheet", Xlsx(Sheet("")), "Лист9", {}, "no sheet 'Лист9'; its sheets are Лист1, Группа Б"},
        {"xlsx bad shared index", Xlsx(Sheet("<row><c t=\"s\"><v>7</v></c></row>")), {}, {}, "shared string 7 of 4"},
        {"xlsx malformed", Xlsx("<worksheet><sheetData><row>"), {}, {}, "not well-formed XML"},
        {"xlsx too many columns", Xlsx(Sheet("<row><c r=\"E1\"><v>1</v></c></row>")), {}, {}, "more than 4 columns", small},
        {"xlsx column far right", Xlsx(Sheet("<row><c r=\"XFD1\"><v>1</v></c></row>")), {}, {}, "more than 1024 columns"},
        {"xlsx part beyond the limit", Xlsx(Sheet(QByteArray(5000, ' '))), {}, {}, "unpacks to more than", small},
        {"ods repeats, spaces, covered cells, values",
         Ods("<table:table table:name=\"Лист1\"><table:table-header-rows><table:table-row>" + OdsCell("Группа")
             + OdsCell("Фамилия<text:s text:c=\"2\"/>Имя") + "</table:table-row></table:table-header-rows>"
             + "<table:table-row table:number-rows-repeated=\"2\">" + OdsCell("x", "table:number-columns-repeated=\"2\"")
             + "<table:covered-table-cell/></table:table-row>"
             + "<table:table-row><table:table-cell table:number-columns-repeated=\"3\"/>"
             + OdsCell("55,5", "office:value-type=\"float\" office:value=\"55.5\"")
             + OdsCell("7,1190", "office:value-type=\"float\" office:value=\"7.119\"")
             + OdsCell("1,23E+05", "office:value-type=\"float\" office:value=\"123000\"") + "</table:table-row>"
             + "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
               "table:number-columns-repeated=\"16384\"/></table:table-row></table:table>"),
         {},
         {{"Группа", "Фамилия  Имя"}, {"x", "x"}, {"x", "x"}, {"", "", "", "55.5", "7.1190", "123000"}},
         {}},
        {"ods second table by name",
         Ods("<table:table table:name=\"А\"><table:table-row>" + OdsCell("a") + "</table:table-row></table:table>"
             + "<table:table table:name=\"Б\"><table:table-row>" + OdsCell("b") + "</table:table-row></table:table>"),
         "Б", {{"b"}}, {}},
        {"ods filled row repeated beyond the limit",
         Ods("<table:table table:name=\"А\"><table:table-row table:number-rows-repeated=\"1000000000\">" + OdsCell("a")
             + "</table:table-row></table:table>"),
         {}, {}, "more than 1048576 filled rows"},
        {"ods filled cell repeated beyond the limit",
         Ods("<table:table table:name=\"А\"><table:table-row>" + OdsCell("a", "table:number-columns-repeated=\"5\"")
             + "</table:table-row></table:table>"),
         {}, {}, "more than 4 columns", small},
        {"ods missing sheet", Ods("<table:table table:name=\"А\"/>"), "Б", {}, "no sheet 'Б'; its sheets are А"},
        {"odt text document", Ods("", "application/vnd.oasis.opendocument.text"), {}, {},
         "opendocument.text, not an .ods or .xlsx"},
        {"plain zip", Pack({{"readme.txt", "hello"}}), {}, {}, "zip archive, not an .xlsx or .ods"},
        {"xlsx without workbook", Pack({{"[Content_Types].xml", kXlsxTypes}}), {}, {}, "not an .xlsx workbook"},
        {"damaged zip", Xlsx(Sheet("")).left(200), {}, {}, "damaged"},
        {"old xls", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", 10), {}, {}, "old binary Office document (.xls)"},
        {"pdf", "%PDF-1.4\n", {}, {}, "a PDF document"},
    };
    for (const Case& c : cases) {
        try {
            const std::optional<Rows> rows = ReadWorkbook(c.bytes, c.sheet, c.limits);
            EXPECT_TRUE(c.error.isEmpty()) << c.what;
            ASSERT_TRUE(rows) << c.what;
            EXPECT_EQ(*rows, c.rows) << c.what;
        } catch (const SpreadsheetError& e) {
            EXPECT_TRUE(!c.error.isEmpty() && QString::fromUtf8(e.what()).contains(c.error)) << c.what << ": " << e.what();
        }
    }
    EXPECT_FALSE(ReadWorkbook("Группа;ФИО\r\nГД-21;Ёлкин\r\n\f"));  // text goes to the delimited reader
    EXPECT_FALSE(ReadWorkbook(QByteArray("\xFF\xFEG\0r\0", 6)));         // and so does UTF-16 text
    EXPECT_FALSE(ReadWorkbook(QByteArray("Edit2;Edit9\n\x01\x1b", 14)));  // and control characters in a name
}

TEST(Workbook, NumbersAsASpreadsheetShowsThem)
{
    const std::pair<double, const char*> cases[] = {
        {0.1 + 0.2, "0.3"}, {1800.5, "1800.5"}, {-55.25, "-55.25"}, {6378245, "6378245"},
        {1e-7, "0.0000001"}, {1.5e20, "150000000000000000000"}, {0.00012345678901234567, "0.000123456789012346"},
        {2.2999999999999998, "2.3"}, {0, "0"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(WorkbookNumber(value), text) << value;
}

// A class list and a table of variants read from a workbook are what the same CSV file gives.
TEST(Workbook, ClassListsAndVariantsAsFromCsv)
{
    const QByteArray list = Xlsx(Sheet("<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c></row>"
                                       "<row><c t=\"s\"><v>3</v></c><c t=\"s\"><v>2</v></c></row>"
                                       "<row><c r=\"B3\" t=\"inlineStr\"><is><t>Петров</t></is></c></row>"));
    const std::vector<Student> fromXlsx = ReadStudents(list, InputEncoding::Detect);
    const std::vector<Student> fromCsv = ReadStudents("Группа;ФИО\nГД-21;\"Ёлкин, Иван\"\n;Петров\n", InputEncoding::Detect);
    ASSERT_EQ(fromXlsx.size(), fromCsv.size());
    for (std::size_t i = 0; i < fromCsv.size(); ++i)
        EXPECT_TRUE(fromXlsx[i].group == fromCsv[i].group && fromXlsx[i].name == fromCsv[i].name) << i;
    EXPECT_THROW(ReadStudents(Xlsx(Sheet("<row><c><v>1</v></c><c><v>2</v></c><c><v>3</v></c></row>")), InputEncoding::Detect),
                 SpreadsheetError);

    const Exercise& exercise = *FindExercise("trapezoid-area");
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        const QByteArray ods = Ods("<table:table table:name=\"В\"><table:table-row>" + OdsCell("Edit2") + OdsCell("Edit9")
                                   + OdsCell("Edit3") + "</table:table-row><table:table-row>" + OdsCell("Иванов")
                                   + OdsCell("1800,5", "office:value-type=\"float\" office:value=\"1800.5\"")
                                   + "</table:table-row></table:table>");
        const VariantSheet sheet = ReadVariantSheet(ods, exercise, {InputEncoding::Detect, false, false, {}});
        ASSERT_EQ(sheet.rows.size(), 1u);
        const std::optional<TypedTexts> edits = sheet.edits(exercise, sheet.rows.front());
        ASSERT_TRUE(edits);  // the empty last cell a workbook does not keep is there
        const QString number = QStringLiteral("1800") + separator + QLatin1Char('5');
        EXPECT_EQ(*edits, (TypedTexts{{"Edit2", "Иванов"}, {"Edit9", number}, {"Edit3", ""}}));
    }
}

}  // namespace
}  // namespace kvelta
