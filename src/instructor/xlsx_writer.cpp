#include "instructor/xlsx_writer.h"

#include "frame/numbers.h"
#include "reports/docx_writer.h"
#include "reports/zip_library.h"

#include <QRegularExpression>
#include <QXmlStreamWriter>
#include <optional>

namespace kvelta {

namespace {

const QString kMain = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString kRelationships = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
constexpr int kMostDecimals = 12;

const QByteArray kContentTypes = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "</Types>");

const QByteArray kPackageRelationships = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>");

const QByteArray kWorkbookRelationships = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/></Relationships>");

// The text of a cell as XML can hold it (no control characters but tab and line breaks).
QString CellSafe(const QString& text)
{
    return XmlSafe(text).remove(QLatin1Char('\v'));
}

QByteArray WorkbookXml(const QString& sheetName)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeDefaultNamespace(kMain);
    xml.writeNamespace(kRelationships, QStringLiteral("r"));
    xml.writeStartElement(kMain, QStringLiteral("workbook"));
    xml.writeStartElement(kMain, QStringLiteral("sheets"));
    xml.writeEmptyElement(kMain, QStringLiteral("sheet"));
    // A sheet name has at most 31 characters and none of []:*?/\ .
    QString name = CellSafe(sheetName).left(31);
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
    name.replace(forbidden, QStringLiteral("_"));
    xml.writeAttribute(QStringLiteral("name"), name.isEmpty() ? QStringLiteral("Лист1") : name);
    xml.writeAttribute(QStringLiteral("sheetId"), QStringLiteral("1"));
    xml.writeAttribute(kRelationships, QStringLiteral("id"), QStringLiteral("rId1"));
    xml.writeEndDocument();
    return bytes;
}

// Style k shows a number with k − 1 decimals; style 0 is the default.
QByteArray StylesXml()
{
    QByteArray formats, styles = "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
                                 "<xf numFmtId=\"1\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>";
    for (int decimals = 1; decimals <= kMostDecimals; ++decimals) {
        const QByteArray id = QByteArray::number(163 + decimals);
        formats += "<numFmt numFmtId=\"" + id + "\" formatCode=\"0." + QByteArray(decimals, '0') + "\"/>";
        styles += "<xf numFmtId=\"" + id + "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<numFmts count=\"" + QByteArray::number(kMostDecimals) + "\">" + formats + "</numFmts>"
           "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border/></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"" + QByteArray::number(kMostDecimals + 2) + "\">" + styles + "</cellXfs>"
           "</styleSheet>";
}

// "A", "Z", "AA"… for a column from 0.
QString ColumnName(qsizetype column)
{
    QString name;
    for (qsizetype c = column + 1; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + static_cast<char16_t>((c - 1) % 26)));
    return name;
}

// A number as Kvelta writes it, in the program's decimal separator; its decimals are captured.
QRegularExpression NumberPattern()
{
    return QRegularExpression(QStringLiteral("^-?(?:0|[1-9]\\d*)(?:%1(\\d{1,%2}))?$")
                                  .arg(QRegularExpression::escape(QString(DecimalSeparator())))
                                  .arg(kMostDecimals));
}

// The style (decimals + 1) and the value with a point of a cell that is a number; nothing else.
std::optional<std::pair<int, QString>> NumberCell(const QString& text, const QRegularExpression& pattern)
{
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString digits = text;
    digits.remove(QLatin1Char('-')).remove(DecimalSeparator());
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    // Beyond what a spreadsheet's number holds; and a negative zero, which it would show unsigned.
    if (digits.size() > 15 || (digits.isEmpty() && text.startsWith(QLatin1Char('-'))))
        return std::nullopt;
    return std::pair{static_cast<int>(match.capturedLength(1)) + 1,
                     QString(text).replace(DecimalSeparator(), QLatin1Char('.'))};
}

void WriteCell(QXmlStreamWriter& xml, const QString& reference, const QString& text, const QRegularExpression& numbers)
{
    xml.writeStartElement(QStringLiteral("c"));
    xml.writeAttribute(QStringLiteral("r"), reference);
    if (const std::optional<std::pair<int, QString>> number = NumberCell(text, numbers)) {
        xml.writeAttribute(QStringLiteral("s"), QString::number(number->first));
        xml.writeTextElement(QStringLiteral("v"), number->second);
    } else {
        xml.writeAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
        xml.writeStartElement(QStringLiteral("is"));
        xml.writeStartElement(QStringLiteral("t"));
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        xml.writeCharacters(CellSafe(text));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

QByteArray SheetXml(const std::vector<QStringList>& rows)
{
    const QRegularExpression numbers = NumberPattern();
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeDefaultNamespace(kMain);
    xml.writeStartElement(kMain, QStringLiteral("worksheet"));
    xml.writeStartElement(QStringLiteral("sheetData"));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QString rowNumber = QString::number(r + 1);
        xml.writeStartElement(QStringLiteral("row"));
        xml.writeAttribute(QStringLiteral("r"), rowNumber);
        for (qsizetype c = 0; c < rows[r].size(); ++c)
            if (!rows[r][c].isEmpty())
                WriteCell(xml, ColumnName(c) + rowNumber, rows[r][c], numbers);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

}  // namespace

QByteArray WriteXlsx(const std::vector<QStringList>& rows, const QString& sheetName)
{
    const std::pair<const char*, QByteArray> parts[] = {
        {"[Content_Types].xml", kContentTypes},
        {"_rels/.rels", kPackageRelationships},
        {"xl/workbook.xml", WorkbookXml(sheetName)},
        {"xl/_rels/workbook.xml.rels", kWorkbookRelationships},
        {"xl/styles.xml", StylesXml()},
        {"xl/worksheets/sheet1.xml", SheetXml(rows)},
    };
    return PackZip(parts);
}

}  // namespace kvelta
