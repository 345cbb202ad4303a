#pragma once
// A built document as an Office Open XML document (.docx) that Word and LibreOffice Writer open.

#include "reports/word_document.h"

#include <QByteArray>
#include <QString>

namespace kvelta {

// The .docx file of a document: [Content_Types].xml, the relationships, word/document.xml and
// word/styles.xml in one zip container. Raises KveltaError if the container cannot be made.
QByteArray WriteDocx(const WordDocument& document);
// The text without the characters XML 1.0 cannot hold (control characters, lone surrogates,
// U+FFFE/U+FFFF), which would make an office program reject the whole file. Tab and vertical tab
// stay: a document writes them as a tab stop and a line break, as Word takes them in typed text.
QString XmlSafe(const QString& text);

// The WordprocessingML main part alone.
QByteArray DocumentXml(const WordDocument& document);

}  // namespace kvelta
