#include "reports/docx_writer.h"

#include "frame/errors.h"
#include "reports/zip_library.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace kvelta {

namespace {

// Word's measures: twentieths of a point for lengths, half-points for font sizes.
int Twips(float points) { return static_cast<int>(std::lround(points * 20.0f)); }
int HalfPoints(float points) { return static_cast<int>(std::lround(points * 2.0f)); }

const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

void Attribute(QXmlStreamWriter& xml, const QString& element, const QString& name, const QString& value)
{
    xml.writeEmptyElement(kW, element);
    xml.writeAttribute(kW, name, value);
}

void RunProperties(QXmlStreamWriter& xml, float size, bool bold, bool hidden = false)
{
    xml.writeStartElement(kW, QStringLiteral("rPr"));
    if (bold) {
        xml.writeEmptyElement(kW, QStringLiteral("b"));
        xml.writeEmptyElement(kW, QStringLiteral("bCs"));
    }
    if (hidden)  // a hidden paragraph mark: Word and LibreOffice give the paragraph no line
        xml.writeEmptyElement(kW, QStringLiteral("vanish"));
    Attribute(xml, QStringLiteral("sz"), QStringLiteral("val"), QString::number(HalfPoints(size)));
    Attribute(xml, QStringLiteral("szCs"), QStringLiteral("val"), QString::number(HalfPoints(size)));
    xml.writeEndElement();
}

void WriteText(QXmlStreamWriter& xml, const QString& text)
{
    QString pending;
    auto flush = [&] {
        if (pending.isEmpty())
            return;
        xml.writeStartElement(kW, QStringLiteral("t"));
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        xml.writeCharacters(pending);
        xml.writeEndElement();
        pending.clear();
    };
    for (const QChar ch : text) {
        if (ch == u'\t' || ch == u'\v') {
            flush();
            xml.writeEmptyElement(kW, ch == u'\t' ? QStringLiteral("tab") : QStringLiteral("br"));
        } else {
            pending += ch;
        }
    }
    flush();
}

void WriteParagraph(QXmlStreamWriter& xml, const WordParagraph& paragraph)
{
    static const char* const kAlignments[] = {"left", "center", "right", "both"};
    xml.writeStartElement(kW, QStringLiteral("p"));
    xml.writeStartElement(kW, QStringLiteral("pPr"));
    if (paragraph.collapsed) {
        xml.writeEmptyElement(kW, QStringLiteral("spacing"));
        xml.writeAttribute(kW, QStringLiteral("line"), QString::number(Twips(paragraph.markSize)));
        xml.writeAttribute(kW, QStringLiteral("lineRule"), QStringLiteral("exact"));
    }
    Attribute(xml, QStringLiteral("ind"), QStringLiteral("left"), QString::number(Twips(paragraph.leftIndent)));
    Attribute(xml, QStringLiteral("jc"), QStringLiteral("val"),
              QLatin1String(kAlignments[std::clamp(paragraph.alignment, 0, 3)]));
    RunProperties(xml, paragraph.markSize, paragraph.markBold, paragraph.collapsed);
    xml.writeEndElement();
    for (const WordRun& run : paragraph.runs) {
        const QString text = XmlSafe(run.text);
        if (text.isEmpty())
            continue;
        xml.writeStartElement(kW, QStringLiteral("r"));
        RunProperties(xml, run.size, run.bold);
        WriteText(xml, text);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void WriteBorder(QXmlStreamWriter& xml, const QString& side)
{
    xml.writeEmptyElement(kW, side);
    xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("single"));
    xml.writeAttribute(kW, QStringLiteral("sz"), QStringLiteral("4"));
    xml.writeAttribute(kW, QStringLiteral("space"), QStringLiteral("0"));
    xml.writeAttribute(kW, QStringLiteral("color"), QStringLiteral("auto"));
}

void WriteWidth(QXmlStreamWriter& xml, const QString& element, int twips)
{
    xml.writeEmptyElement(kW, element);
    xml.writeAttribute(kW, QStringLiteral("w"), QString::number(twips));
    xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("dxa"));
}

// Fixed columns, single lines: equal across the text width as Word's Tables.Add makes them, or
// as the fitting set them. The heading rows repeat on each page; no row is split across pages.
void WriteTable(QXmlStreamWriter& xml, const WordTable& table, int textWidth)
{
    const int columns = table.columnCount();
    std::vector<int> widths(static_cast<std::size_t>(columns), std::max(1, textWidth / std::max(1, columns)));
    if (table.columnWidths.size() == widths.size())
        std::transform(table.columnWidths.begin(), table.columnWidths.end(), widths.begin(),
                       [](float points) { return std::max(1, static_cast<int>(std::floor(points * 20.0f))); });
    int tableWidth = 0;
    for (int width : widths)
        tableWidth += width;
    xml.writeStartElement(kW, QStringLiteral("tbl"));
    xml.writeStartElement(kW, QStringLiteral("tblPr"));
    WriteWidth(xml, QStringLiteral("tblW"), tableWidth);
    xml.writeStartElement(kW, QStringLiteral("tblBorders"));
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        WriteBorder(xml, QLatin1String(side));
    xml.writeEndElement();
    Attribute(xml, QStringLiteral("tblLayout"), QStringLiteral("type"), QStringLiteral("fixed"));
    xml.writeStartElement(kW, QStringLiteral("tblCellMar"));
    WriteWidth(xml, QStringLiteral("left"), 108);
    WriteWidth(xml, QStringLiteral("right"), 108);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(kW, QStringLiteral("tblGrid"));
    for (int width : widths)
        Attribute(xml, QStringLiteral("gridCol"), QStringLiteral("w"), QString::number(width));
    xml.writeEndElement();
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        xml.writeStartElement(kW, QStringLiteral("tr"));
        if (table.headerRows > 0) {
            xml.writeStartElement(kW, QStringLiteral("trPr"));
            xml.writeEmptyElement(kW, QStringLiteral("cantSplit"));
            if (static_cast<int>(r) < table.headerRows)
                xml.writeEmptyElement(kW, QStringLiteral("tblHeader"));
            xml.writeEndElement();
        }
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            xml.writeStartElement(kW, QStringLiteral("tc"));
            xml.writeStartElement(kW, QStringLiteral("tcPr"));
            WriteWidth(xml, QStringLiteral("tcW"), widths[c]);
            xml.writeEndElement();
            for (const WordParagraph& paragraph : table.rows[r][c].paragraphs)
                WriteParagraph(xml, paragraph);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// Word opens a document without this part in Compatibility Mode; 15 is the mode of Word 2013
// and later.
const QByteArray kSettings = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:settings xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:defaultTabStop w:val=\"720\"/><w:compat>"
    "<w:compatSetting w:name=\"compatibilityMode\" w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/>"
    "</w:compat></w:settings>");

QByteArray StylesXml()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:docDefaults><w:rPrDefault><w:rPr>"
        "<w:rFonts w:ascii=\"Times New Roman\" w:eastAsia=\"Times New Roman\" w:hAnsi=\"Times New Roman\" "
        "w:cs=\"Times New Roman\"/>"
        "<w:sz w:val=\"24\"/><w:szCs w:val=\"24\"/><w:lang w:val=\"ru-RU\" w:eastAsia=\"ru-RU\" w:bidi=\"ar-SA\"/>"
        "</w:rPr></w:rPrDefault>"
        "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault>"
        "</w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
        "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name w:val=\"Normal Table\"/>"
        "<w:uiPriority w:val=\"99\"/><w:semiHidden/><w:unhideWhenUsed/><w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/>"
        "<w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
        "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr></w:style>"
        "</w:styles>");
}

const QByteArray kContentTypes = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/word/settings.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
    "</Types>");

const QByteArray kPackageRelationships = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/>"
    "</Relationships>");

const QByteArray kDocumentRelationships = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" "
    "Target=\"settings.xml\"/>"
    "</Relationships>");

}  // namespace

QString XmlSafe(const QString& text)
{
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            safe += ch;
            safe += text[++i];
        } else if (ch.isSurrogate() || ch.unicode() == 0xFFFE || ch.unicode() == 0xFFFF) {
            continue;
        } else if (ch.unicode() >= 0x20 || ch == u'\t' || ch == u'\v') {
            safe += ch;
        }
    }
    return safe;
}

QByteArray DocumentXml(const WordDocument& document)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(kW, QStringLiteral("w"));
    xml.writeStartElement(kW, QStringLiteral("document"));
    xml.writeStartElement(kW, QStringLiteral("body"));
    const int textWidth = Twips(document.pageWidth) - Twips(document.leftMargin) - Twips(document.rightMargin);
    for (const WordBlock& block : document.body) {
        if (const auto* paragraph = std::get_if<WordParagraph>(&block))
            WriteParagraph(xml, *paragraph);
        else
            WriteTable(xml, std::get<WordTable>(block), textWidth);
    }
    xml.writeStartElement(kW, QStringLiteral("sectPr"));
    xml.writeEmptyElement(kW, QStringLiteral("pgSz"));
    xml.writeAttribute(kW, QStringLiteral("w"), QString::number(Twips(document.pageWidth)));
    xml.writeAttribute(kW, QStringLiteral("h"), QString::number(Twips(document.pageHeight)));
    if (document.landscape)
        xml.writeAttribute(kW, QStringLiteral("orient"), QStringLiteral("landscape"));
    xml.writeEmptyElement(kW, QStringLiteral("pgMar"));
    xml.writeAttribute(kW, QStringLiteral("top"), QString::number(Twips(document.topMargin)));
    xml.writeAttribute(kW, QStringLiteral("right"), QString::number(Twips(document.rightMargin)));
    xml.writeAttribute(kW, QStringLiteral("bottom"), QString::number(Twips(document.bottomMargin)));
    xml.writeAttribute(kW, QStringLiteral("left"), QString::number(Twips(document.leftMargin)));
    xml.writeAttribute(kW, QStringLiteral("header"), QStringLiteral("708"));
    xml.writeAttribute(kW, QStringLiteral("footer"), QStringLiteral("708"));
    xml.writeAttribute(kW, QStringLiteral("gutter"), QStringLiteral("0"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray WriteDocx(const WordDocument& document)
{
    const std::pair<const char*, QByteArray> parts[] = {
        {"[Content_Types].xml", kContentTypes},
        {"_rels/.rels", kPackageRelationships},
        {"word/document.xml", DocumentXml(document)},
        {"word/_rels/document.xml.rels", kDocumentRelationships},
        {"word/styles.xml", StylesXml()},
        {"word/settings.xml", kSettings},
    };
    return PackZip(parts);
}

}  // namespace kvelta
