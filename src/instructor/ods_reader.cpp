// The rows of an OpenDocument spreadsheet's table, read from content.xml as a stream. Repeated
// rows and cells (how a spreadsheet saves a run of equal or empty ones) are counted, never
// unrolled before they are known to be filled and within the limits.

#include "instructor/workbook_parts.h"

#include <QRegularExpression>

namespace kvelta::workbook {

namespace {

const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kContent = QStringLiteral("content.xml");

void CheckMimeType(const ZipArchive& archive)
{
    if (!archive.has(QStringLiteral("mimetype")))
        return;
    const QByteArray type = archive.part(QStringLiteral("mimetype")).trimmed();
    if (type == "application/vnd.oasis.opendocument.spreadsheet")
        return;
    Refuse(QStringLiteral("the file is a zip container of type %1, not an .ods or .xlsx workbook")
               .arg(QString::fromUtf8(type.left(100))));
}

qsizetype Repeat(const QXmlStreamReader& xml, QLatin1String attribute)
{
    const QStringView text = xml.attributes().value(kTable, attribute);
    if (text.isEmpty())
        return 1;
    bool ok = false;
    const qlonglong repeat = text.toLongLong(&ok);
    if (!ok || repeat < 1)
        Refuse(QStringLiteral("the workbook is damaged: %1=\"%2\"").arg(attribute, text.toString()));
    return static_cast<qsizetype>(std::min<qlonglong>(repeat, 1LL << 40));
}

// The text of a paragraph: spans and links read through, spaces and tabs as they are marked,
// notes left out. Ends on the paragraph's end.
QString ParagraphText(QXmlStreamReader& xml)
{
    QString text;
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == QLatin1String("s") && xml.namespaceUri() == kText) {
                const qsizetype count = std::clamp<qsizetype>(xml.attributes().value(kText, QLatin1String("c")).toInt(), 1, 1000);
                text += QString(count, QLatin1Char(' '));
            } else if (name == QLatin1String("tab")) {
                text += QLatin1Char('\t');
            } else if (name == QLatin1String("line-break")) {
                text += QLatin1Char('\n');
            } else if (name == QLatin1String("annotation") || name == QLatin1String("note")) {
                xml.skipCurrentElement();
                continue;
            }
            ++depth;
        } else if (xml.isEndElement() && depth-- == 0) {
            break;
        }
    }
    return text;
}

// The decimals a number is shown with: "7,1190" → 4; 0 for anything else than a plain number.
int ShownDecimals(const QString& shown)
{
    static const QRegularExpression number(QStringLiteral("^-?\\d+[.,](\\d+)$"));
    return static_cast<int>(number.match(shown.trimmed()).capturedLength(1));
}

// The text of a cell: a number from its stored value, anything else as shown. Ends on its end.
QString CellText(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QStringView type = attributes.value(kOffice, QLatin1String("value-type"));
    QStringList paragraphs;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("p"))
            paragraphs << ParagraphText(xml);
        else
            xml.skipCurrentElement();  // notes, drawings, tables inside a cell
    }
    if (type == QLatin1String("float") || type == QLatin1String("percentage") || type == QLatin1String("currency")) {
        bool ok = false;
        const double number = attributes.value(kOffice, QLatin1String("value")).toDouble(&ok);
        if (ok)
            return ShownNumber(number, ShownDecimals(paragraphs.join(QString())));
    }
    return paragraphs.join(QLatin1Char('\n'));
}

void ReadRow(QXmlStreamReader& xml, RowCollector& rows)
{
    const qsizetype rowRepeat = Repeat(xml, QLatin1String("number-rows-repeated"));
    qsizetype column = 0;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("table-cell") && xml.name() != QLatin1String("covered-table-cell")) {
            xml.skipCurrentElement();
            continue;
        }
        const qsizetype repeat = Repeat(xml, QLatin1String("number-columns-repeated"));
        rows.cell(column, CellText(xml), repeat);
        column = std::min(column + repeat, qsizetype{1} << 50);
    }
    rows.endRow(rowRepeat);
}

// Reads the table's rows, in whatever groups (header rows, row groups) they stand.
std::vector<QStringList> ReadTable(QXmlStreamReader& xml, const WorkbookLimits& limits)
{
    RowCollector rows(limits);
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("table-row"))
            ReadRow(xml, rows);
        else if (xml.isStartElement())
            ++depth;
        else if (xml.isEndElement() && depth-- == 0)
            break;
    }
    return rows.take();
}

}  // namespace

std::vector<QStringList> ReadOdsRows(const ZipArchive& archive, const QString& sheet, const WorkbookLimits& limits)
{
    CheckMimeType(archive);
    QXmlStreamReader xml(archive.part(kContent));
    QStringList names;
    bool spreadsheet = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        spreadsheet = spreadsheet || (xml.name() == QLatin1String("spreadsheet") && xml.namespaceUri() == kOffice);
        if (xml.name() != QLatin1String("table") || xml.namespaceUri() != kTable || !spreadsheet)
            continue;
        const QString name = xml.attributes().value(kTable, QLatin1String("name")).toString();
        if (sheet.isEmpty() || name == sheet) {
            std::vector<QStringList> rows = ReadTable(xml, limits);
            CheckWellFormed(xml, kContent);
            return rows;
        }
        names << name;
        xml.skipCurrentElement();
    }
    CheckWellFormed(xml, kContent);
    if (!spreadsheet)
        Refuse(QStringLiteral("the file is an OpenDocument file but not a spreadsheet"));
    if (names.isEmpty())
        Refuse(QStringLiteral("the workbook has no sheets"));
    Refuse(QStringLiteral("the workbook has no sheet '%1'; its sheets are %2").arg(sheet, names.join(QStringLiteral(", "))));
}

}  // namespace kvelta::workbook
