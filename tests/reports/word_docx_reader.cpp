#include "word_docx_reader.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <zip.h>

namespace kvelta::test {

QString DocxParagraph::text() const
{
    QString all;
    for (const DocxRun& run : runs)
        all += run.text;
    return all;
}

QStringList DocxTable::cellTexts() const
{
    QStringList texts;
    for (const auto& row : rows)
        for (const auto& cell : row) {
            QStringList paragraphs;
            for (const DocxParagraph& p : cell)
                paragraphs << p.text();
            texts << paragraphs.join(QLatin1Char('\n'));
        }
    return texts;
}

std::map<QString, QByteArray> Unzip(const QByteArray& archive)
{
    std::map<QString, QByteArray> entries;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive.constData(), static_cast<zip_uint64_t>(archive.size()), 0, &error);
    zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (!zip) {
        ADD_FAILURE() << "not a zip archive: " << zip_error_strerror(&error);
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        return entries;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat);
        QByteArray bytes(static_cast<qsizetype>(stat.size), '\0');
        zip_file_t* file = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
        EXPECT_NE(file, nullptr);
        if (file) {
            EXPECT_EQ(zip_fread(file, bytes.data(), stat.size), static_cast<zip_int64_t>(stat.size));
            zip_fclose(file);
        }
        entries[QString::fromUtf8(stat.name)] = bytes;
    }
    zip_close(zip);
    zip_error_fini(&error);
    return entries;
}

namespace {

QString Val(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(QStringLiteral("w:") + QLatin1String(name)).toString();
}

// Reads the run properties (w:rPr) the reader stands on.
void ReadRunProperties(QXmlStreamReader& xml, int& halfPoints, bool& bold)
{
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("sz"))
            halfPoints = Val(xml, "val").toInt();
        else if (xml.name() == QLatin1String("b"))
            bold = Val(xml, "val").isEmpty() || Val(xml, "val") == QLatin1String("1") || Val(xml, "val") == QLatin1String("true");
        xml.skipCurrentElement();
    }
}

DocxParagraph ReadParagraph(QXmlStreamReader& xml)
{
    DocxParagraph paragraph;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("pPr")) {
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("jc"))
                    paragraph.alignment = Val(xml, "val");
                else if (xml.name() == QLatin1String("ind"))
                    paragraph.leftIndent = Val(xml, "left");
                else if (xml.name() == QLatin1String("rPr")) {
                    bool bold = false;
                    ReadRunProperties(xml, paragraph.markHalfPoints, bold);
                    continue;
                }
                xml.skipCurrentElement();
            }
        } else if (xml.name() == QLatin1String("r")) {
            DocxRun run;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("rPr"))
                    ReadRunProperties(xml, run.halfPoints, run.bold);
                else if (xml.name() == QLatin1String("t"))
                    run.text += xml.readElementText();
                else if (xml.name() == QLatin1String("tab")) {
                    run.text += QLatin1Char('\t');
                    xml.skipCurrentElement();
                } else if (xml.name() == QLatin1String("br")) {
                    run.text += QLatin1Char('\v');
                    xml.skipCurrentElement();
                } else
                    xml.skipCurrentElement();
            }
            paragraph.runs.push_back(run);
        } else {
            xml.skipCurrentElement();
        }
    }
    return paragraph;
}

DocxTable ReadTable(QXmlStreamReader& xml)
{
    DocxTable table;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("tblPr")) {
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("tblBorders")) {
                    while (xml.readNextStartElement()) {
                        table.borders << xml.name().toString() + QLatin1Char('=') + Val(xml, "val");
                        xml.skipCurrentElement();
                    }
                    continue;
                }
                xml.skipCurrentElement();
            }
        } else if (xml.name() == QLatin1String("tblGrid")) {
            while (xml.readNextStartElement()) {
                table.gridColumns.push_back(Val(xml, "w").toInt());
                xml.skipCurrentElement();
            }
        } else if (xml.name() == QLatin1String("tr")) {
            std::vector<std::vector<DocxParagraph>> row;
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("tc")) {
                    xml.skipCurrentElement();
                    continue;
                }
                std::vector<DocxParagraph> cell;
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("p"))
                        cell.push_back(ReadParagraph(xml));
                    else
                        xml.skipCurrentElement();
                }
                row.push_back(cell);
            }
            table.rows.push_back(row);
        } else {
            xml.skipCurrentElement();
        }
    }
    return table;
}

}  // namespace

DocxBody ParseDocumentXml(const QByteArray& bytes)
{
    DocxBody body;
    QXmlStreamReader xml(bytes);
    if (xml.readNextStartElement() && xml.name() == QLatin1String("document") && xml.readNextStartElement()
        && xml.name() == QLatin1String("body")) {
        while (xml.readNextStartElement()) {
            DocxBlock block;
            if (xml.name() == QLatin1String("p")) {
                block.paragraph = ReadParagraph(xml);
                body.blocks.push_back(block);
            } else if (xml.name() == QLatin1String("tbl")) {
                block.isTable = true;
                block.table = ReadTable(xml);
                body.blocks.push_back(block);
            } else if (xml.name() == QLatin1String("sectPr")) {
                while (xml.readNextStartElement()) {
                    auto& target = xml.name() == QLatin1String("pgMar") ? body.pageMargins : body.pageSize;
                    for (const QXmlStreamAttribute& a : xml.attributes())
                        target[a.qualifiedName().toString()] = a.value().toString();
                    xml.skipCurrentElement();
                }
            } else {
                xml.skipCurrentElement();
            }
        }
    } else {
        ADD_FAILURE() << "no w:document/w:body";
    }
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return body;
}

}  // namespace kvelta::test
