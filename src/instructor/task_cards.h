#pragma once
// Task cards: what a student is handed for an individual variant — the group, the name, the
// exercise's caption and the given data by their meanings and labels, never an answer.

#include "reports/word_document.h"
#include "instructor/batch.h"
#include "instructor/spreadsheet.h"

#include <QDir>
#include <span>

namespace kvelta {

// The card of one variant as a one-page document.
WordDocument TaskCard(const Exercise& exercise, const TypedTexts& typed);

// The cards' pages for printing: one card a page, or two or four cards a page (a table of them).
std::vector<WordDocument> CardSheets(const Exercise& exercise, std::span<const TypedTexts> variants, int perPage);

// DIR/NNN-group-name.pdf per variant and DIR/cards.pdf with all of them, `perPage` (1, 2 or 4) a
// page, in place of an earlier run's cards (the folder held as a run's). Rows that do not fit the
// header have no card; returns how many.
int WriteTaskCards(const Exercise& exercise, const VariantSheet& sheet, const QDir& dir, int perPage,
                   const PdfDrawer& drawPdf);

}  // namespace kvelta
