#pragma once
// Reads back a .docx file written by the document builder: the zip entries, and the body of
// word/document.xml as plain structures, so that tests can check what a word processor will see.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace kvelta::test {

struct DocxRun {
    QString text;
    int halfPoints = 0;  // w:sz, 0 when absent
    bool bold = false;
};

struct DocxParagraph {
    QString alignment;  // w:jc
    QString leftIndent;  // w:ind w:left
    int markHalfPoints = 0;
    std::vector<DocxRun> runs;
    QString text() const;
};

struct DocxTable {
    std::vector<std::vector<std::vector<DocxParagraph>>> rows;  // rows[r][c] = paragraphs
    QStringList borders;                                         // "top=single", ...
    std::vector<int> gridColumns;
    QStringList cellTexts() const;  // row by row; a cell's paragraphs joined with "\n"
};

struct DocxBlock {
    bool isTable = false;
    DocxParagraph paragraph;
    DocxTable table;
};

struct DocxBody {
    std::vector<DocxBlock> blocks;
    std::map<QString, QString> pageMargins;  // w:pgMar attributes
    std::map<QString, QString> pageSize;
};

// The entries of a zip archive held in memory; fails the test when it is not one.
std::map<QString, QByteArray> Unzip(const QByteArray& archive);
// Parses word/document.xml; fails the test on XML that is not well formed.
DocxBody ParseDocumentXml(const QByteArray& xml);

}  // namespace kvelta::test
