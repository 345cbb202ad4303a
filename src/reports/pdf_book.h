#pragma once
// A PDF book drawn a document at a time: each document is laid out once, drawn as its own PDF
// file and, when kept, as the book's next pages (the answer keys of a group and their answer
// book). The drawing needs Qt Gui: code on Qt Core holds it through this interface.

#include "reports/word_document.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace kvelta {

class PdfBookDrawer {
public:
    virtual ~PdfBookDrawer() = default;
    // The document as a PDF file of its own titled `title`; its layout is kept for keepLast().
    virtual QByteArray draw(const WordDocument& document, const QString& title) = 0;
    // Adds the pages of the document draw() was last given to the book, from a new page in that
    // document's page layout; the book takes the title of the first document kept. Without a
    // draw() since the last keep, does nothing.
    virtual void keepLast() = 0;
    // Whether any document's pages are in the book.
    virtual bool empty() const = 0;
    // The book as a PDF file; ends the book (nothing may be added after).
    virtual QByteArray finish() = 0;
};

// Starts an empty book.
using PdfBookStarter = std::unique_ptr<PdfBookDrawer> (*)();

}  // namespace kvelta
