// The rows of an Office Open XML workbook's sheet: the package relationships lead to the workbook,
// the workbook's to the sheet and the shared strings; every part is read once, as a stream.

#include "instructor/workbook_parts.h"

#include <QRegularExpression>
#include <QStringList>
#include <map>

namespace kvelta::workbook {

namespace {

const QString kRelationships = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

struct Relationship {
    QString id, type, target;
};

std::vector<Relationship> ReadRelationships(const ZipArchive& archive, const QString& part)
{
    std::vector<Relationship> relationships;
    if (!archive.has(part))
        return relationships;
    QXmlStreamReader xml(archive.part(part));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            relationships.push_back({attributes.value(QLatin1String("Id")).toString(),
                                     attributes.value(QLatin1String("Type")).toString(),
                                     attributes.value(QLatin1String("Target")).toString()});
        }
    }
    CheckWellFormed(xml, part);
    return relationships;
}

// A relationship's target as a part name: absolute ("/xl/workbook.xml") or beside `from`.
QString PartName(const QString& from, const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    const qsizetype slash = from.lastIndexOf(QLatin1Char('/'));
    QStringList path = from.left(slash + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& step : target.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (step == QLatin1String(".."))
            path.removeLast();
        else if (step != QLatin1String("."))
            path.append(step);
    }
    return path.join(QLatin1Char('/'));
}

QString RelationshipsOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

QString MainPart(const ZipArchive& archive)
{
    for (const Relationship& relationship : ReadRelationships(archive, QStringLiteral("_rels/.rels")))
        if (relationship.type.endsWith(QLatin1String("/officeDocument")))
            return PartName(QString(), relationship.target);
    return QStringLiteral("xl/workbook.xml");
}

// The relationship id of the sheet named so, or of the first sheet.
QString SheetId(const ZipArchive& archive, const QString& workbook, const QString& wanted)
{
    QXmlStreamReader xml(archive.part(workbook));
    QStringList names;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("sheet"))
            continue;
        const QString name = xml.attributes().value(QLatin1String("name")).toString();
        if (wanted.isEmpty() || name == wanted)
            return xml.attributes().value(kRelationships, QLatin1String("id")).toString();
        names << name;
    }
    CheckWellFormed(xml, workbook);
    if (names.isEmpty())
        Refuse(QStringLiteral("the workbook has no sheets"));
    Refuse(QStringLiteral("the workbook has no sheet '%1'; its sheets are %2").arg(wanted, names.join(QStringLiteral(", "))));
}

// The text of an element with rich runs (<t> pieces), phonetic guides left out; ends on its end.
QString RichText(QXmlStreamReader& xml)
{
    QString text;
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("rPh"))
            xml.skipCurrentElement();
        else if (xml.isStartElement() && xml.name() == QLatin1String("t"))
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.isStartElement())
            ++depth;
        else if (xml.isEndElement() && depth-- == 0)
            break;
    }
    return text;
}

QStringList SharedStrings(const ZipArchive& archive, const QString& part)
{
    QStringList strings;
    if (part.isEmpty() || !archive.has(part))
        return strings;
    QXmlStreamReader xml(archive.part(part));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            strings << RichText(xml);
    }
    CheckWellFormed(xml, part);
    return strings;
}

// The decimals each cell style shows a number with (by its index): a format "0.0000" shows four,
// as do the built-in ones with two ("0.00", "#,##0.00"); General none.
std::vector<int> StyleDecimals(const ZipArchive& archive, const QString& part)
{
    std::vector<int> decimals;
    if (part.isEmpty() || !archive.has(part))
        return decimals;
    std::map<int, int> formats{{2, 2}, {4, 2}, {10, 2}};
    static const QRegularExpression fraction(QStringLiteral("^[^;\"]*?\\.(0+)"));
    QXmlStreamReader xml(archive.part(part));
    bool cellStyles = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs"))
            cellStyles = false;
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const int id = attributes.value(QLatin1String("numFmtId")).toInt();
        if (xml.name() == QLatin1String("numFmt"))
            formats[id] = static_cast<int>(fraction.match(attributes.value(QLatin1String("formatCode"))).capturedLength(1));
        else if (xml.name() == QLatin1String("cellXfs"))
            cellStyles = true;
        else if (cellStyles && xml.name() == QLatin1String("xf"))
            decimals.push_back(formats.count(id) ? formats[id] : 0);
    }
    CheckWellFormed(xml, part);
    return decimals;
}

// The column of a cell reference ("C12" → 2); -1 when there is none.
qsizetype ColumnOf(QStringView reference)
{
    qsizetype column = 0;
    qsizetype letters = 0;
    for (const QChar c : reference) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        column = column * 26 + (c.unicode() - 'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters ? column - 1 : -1;
}

// The text of a cell (<c>) by its type; reads up to the cell's end.
QString CellText(QXmlStreamReader& xml, const QStringList& shared, const std::vector<int>& styleDecimals)
{
    const QString type = xml.attributes().value(QLatin1String("t")).toString();
    const std::size_t style = xml.attributes().value(QLatin1String("s")).toUInt();
    QString value, inlineText;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("v"))
            value = xml.readElementText();
        else if (xml.name() == QLatin1String("is"))
            inlineText = RichText(xml);
        else
            xml.skipCurrentElement();
    }
    if (type == QLatin1String("inlineStr"))
        return inlineText;
    if (value.isEmpty())
        return value;
    if (type == QLatin1String("s")) {
        bool ok = false;
        const qsizetype index = value.toLongLong(&ok);
        if (!ok || index < 0 || index >= shared.size())
            Refuse(QStringLiteral("the workbook is damaged: a cell refers to shared string %1 of %2").arg(value).arg(shared.size()));
        return shared[index];
    }
    if (type == QLatin1String("b"))
        return value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (type.isEmpty() || type == QLatin1String("n")) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        return !ok ? value : ShownNumber(number, style < styleDecimals.size() ? styleDecimals[style] : 0);
    }
    return value;  // a formula's text, an error such as #DIV/0!, a date in ISO form
}

struct SheetParts {
    QString sheet, sharedStrings, styles;
};

std::vector<QStringList> SheetRows(const ZipArchive& archive, const SheetParts& parts, const WorkbookLimits& limits)
{
    const QStringList shared = SharedStrings(archive, parts.sharedStrings);
    const std::vector<int> styleDecimals = StyleDecimals(archive, parts.styles);
    RowCollector rows(limits);
    QXmlStreamReader xml(archive.part(parts.sheet));
    qsizetype nextColumn = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("row"))
            rows.endRow();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            nextColumn = 0;
        } else if (xml.name() == QLatin1String("c")) {
            const QStringView reference = xml.attributes().value(QLatin1String("r"));
            const qsizetype column = reference.isEmpty() ? nextColumn : ColumnOf(reference);
            if (column < 0)
                Refuse(QStringLiteral("the workbook is damaged: a cell is at '%1'").arg(reference.toString()));
            rows.cell(column, CellText(xml, shared, styleDecimals));
            nextColumn = column + 1;
        }
    }
    CheckWellFormed(xml, parts.sheet);
    return rows.take();
}

}  // namespace

std::vector<QStringList> ReadXlsxRows(const ZipArchive& archive, const QString& sheet, const WorkbookLimits& limits)
{
    const QString workbook = MainPart(archive);
    if (!archive.has(workbook))
        Refuse(QStringLiteral("the file is a zip container but not an .xlsx workbook (it has no %1)").arg(workbook));
    const QString id = SheetId(archive, workbook, sheet);
    SheetParts parts;
    for (const Relationship& relationship : ReadRelationships(archive, RelationshipsOf(workbook))) {
        const QString part = PartName(workbook, relationship.target);
        if (relationship.id == id)
            parts.sheet = part;
        else if (relationship.type.endsWith(QLatin1String("/sharedStrings")))
            parts.sharedStrings = part;
        else if (relationship.type.endsWith(QLatin1String("/styles")))
            parts.styles = part;
    }
    if (parts.sheet.isEmpty())
        Refuse(QStringLiteral("the workbook is damaged: its sheet '%1' has no part").arg(sheet));
    return SheetRows(archive, parts, limits);
}

}  // namespace kvelta::workbook
