#pragma once
// A built document as an Office Open XML document (.docx) that Word and LibreOffice Writer open.

#include "reports/word_document.h"

#include <QByteArray>

namespace kvelta {

// The .docx file of a document: [Content_Types].xml, the relationships, word/document.xml and
// word/styles.xml in one zip container. Raises KveltaError if the container cannot be made.
QByteArray WriteDocx(const WordDocument& document);
// The WordprocessingML main part alone.
QByteArray DocumentXml(const WordDocument& document);

}  // namespace kvelta
