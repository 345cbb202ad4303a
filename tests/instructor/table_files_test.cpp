#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "instructor/moodle_quiz.h"
#include "instructor/spreadsheet.h"
#include "instructor/table_files.h"
#include "instructor/workbook_parts.h"
#include "instructor/xlsx_writer.h"
#include "support/kvelta_test.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>

namespace kvelta {
namespace {

// The text with {d} for the decimal separator.
QString D(const char* text, QChar separator)
{
    return QString::fromUtf8(text).replace(QLatin1String("{d}"), separator);
}

// A table file opens in a spreadsheet of the same locale: byte order mark, ';' with a decimal
// comma and ',' with a point, fields quoted only when they must be; and reads back as written.
TEST(TableFiles, CsvForTheLocaleAndReadBack)
{
    const std::vector<QStringList> rows{{"variant", "name", "B"}, {"001", "Ёлкин; Иван, \"мл.\"", "55{d}125"}};
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        std::vector<QStringList> written = rows;
        written[1][2].replace("{d}", separator);
        const QByteArray bytes = TableFile(written);
        const QByteArray expected = separator == QLatin1Char(',')
                                        ? "\xEF\xBB\xBFvariant;name;B\r\n001;\"Ёлкин; Иван, \"\"мл.\"\"\";55,125\r\n"
                                        : "\xEF\xBB\xBFvariant,name,B\r\n001,\"Ёлкин; Иван, \"\"мл.\"\"\",55.125\r\n";
        EXPECT_EQ(bytes, expected);
        EXPECT_EQ(ReadTableFile(bytes), written);
    }
    EXPECT_EQ(XlsxPathFor("out/variants.CSV"), "out/variants.xlsx");
    EXPECT_EQ(XlsxPathFor("variants"), "variants.xlsx");
}

// Numbers are numbers shown with their decimals, everything else text (never a formula); the
// workbook reads back as the rows, numbers with a point and the decimals they are shown with.
TEST(TableFiles, XlsxKeepsNumbersAsNumbers)
{
    struct Cell {
        const char* text;  // with {d} for the decimal separator
        const char* xml;   // how the sheet keeps it
        const char* read;  // read back
    } cells[] = {
        {"1800{d}50", "s=\"3\"><v>1800.50</v>", "1800.50"},
        {"-0{d}000123", "s=\"7\"><v>-0.000123</v>", "-0.000123"},
        {"6378245", "s=\"1\"><v>6378245</v>", "6378245"},
        {"001", "t=\"inlineStr\"><is><t xml:space=\"preserve\">001</t>", "001"},
        {"-0{d}0", "t=\"inlineStr\"><is><t xml:space=\"preserve\">-0{d}0</t>", "-0{d}0"},
        {"1234567890123456", "t=\"inlineStr\"><is><t xml:space=\"preserve\">1234567890123456</t>", "1234567890123456"},
        {"=1+1", "t=\"inlineStr\"><is><t xml:space=\"preserve\">=1+1</t>", "=1+1"},
        {"51° 38` 44{d}0822\"", "t=\"inlineStr\"><is><t xml:space=\"preserve\">51° 38` 44{d}0822&quot;</t>", "51° 38` 44{d}0822\""},
        {"a\x01<b>", "t=\"inlineStr\"><is><t xml:space=\"preserve\">a&lt;b&gt;</t>", "a<b>"},
    };
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        const QChar other = separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
        std::vector<QStringList> rows{{"заголовок"}};
        for (const Cell& cell : cells)
            rows.push_back({D(cell.text, separator)});
        rows.push_back({D("1{d}2", other)});  // the other separator: text
        const QByteArray workbook = WriteXlsx(rows, "summary");
        const std::optional<std::vector<QStringList>> back = ReadWorkbook(workbook);
        ASSERT_TRUE(back);
        ASSERT_EQ(back->size(), rows.size());
        const QString sheet =
            QString::fromUtf8(workbook::ZipArchive(workbook, 1 << 20).part(QStringLiteral("xl/worksheets/sheet1.xml")));
        for (std::size_t i = 0; i < std::size(cells); ++i) {
            EXPECT_EQ((*back)[i + 1].value(0), D(cells[i].read, separator)) << cells[i].text;
            const QString kept = QStringLiteral("<c r=\"A%1\" ").arg(i + 2) + D(cells[i].xml, separator);
            EXPECT_TRUE(sheet.contains(kept)) << cells[i].text << " not kept as " << kept.toStdString();
        }
        EXPECT_EQ(back->back().value(0), D("1{d}2", other));
    }
}

}  // namespace
}  // namespace kvelta
