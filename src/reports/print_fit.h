#pragma once
// Makes a built document fit to hand in, for both of its outputs (the .docx file and the printed
// or PDF pages): every table gets columns as wide as their longest text, so that no number,
// angle or label is broken inside itself; cell text is set flush left instead of justified; a
// table too wide for the page turns the page to landscape, then steps its font down; the heading
// row repeats on every page a table continues on; the empty paragraph a document must end with
// after its last table takes no room, so that it never opens a blank page. Texts, their order,
// fonts and sizes stay as built.

#include "reports/word_document.h"

#include <QString>

namespace kvelta {

// Word's cell margins on the left and on the right of a cell's text, in points (108 twips).
inline constexpr float kCellMargin = 5.4f;

// The width of a line of text in the report font (Times New Roman, regular) at `size` points:
// exact for the characters of the reports, an upper bound for any other character.
float TextWidth(const QString& text, float size);

void FitForPrint(WordDocument& document);

}  // namespace kvelta
