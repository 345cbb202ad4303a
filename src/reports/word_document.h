#pragma once
// The word-processor stand-in that builds a real document: it applies the WordAutomation
// operations to an in-memory document as Word would. The document is then written as a .docx
// file (docx_writer.h).

#include "reports/word_automation.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace kvelta {

struct WordRun {
    QString text;  // tab and vertical tab (line break) may appear; paragraph ends never do
    float size = 12.0f;
    bool bold = false;
};

struct WordParagraph {
    std::vector<WordRun> runs;
    int alignment = 0;        // 0 left, 1 centred, 2 right, 3 justified
    float leftIndent = 0.0f;  // points
    float markSize = 12.0f;   // format of the paragraph mark: what an empty paragraph shows
    bool markBold = false;
    // Set by the fitting for print: an empty paragraph that must take no room on the page (the
    // one a document ends with after its last table), hidden and of the least height.
    bool collapsed = false;

    QString text() const;
};

struct WordCell {
    std::vector<WordParagraph> paragraphs;  // never empty
};

struct WordTable {
    std::vector<std::vector<WordCell>> rows;  // rows[r][c]; every row has the same length
    // Set by the fitting for print (print_fit.h): each column's width in points (empty: equal
    // columns across the text width, as Word adds a table) and the rows repeated at the top of
    // every page the table continues on.
    std::vector<float> columnWidths;
    int headerRows = 0;
    // Set by a builder: a table too wide for the page keeps the page upright and its font; its
    // widest columns narrow and their long texts wrap (the task cards).
    bool wrapText = false;

    int rowCount() const { return static_cast<int>(rows.size()); }
    int columnCount() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
};

using WordBlock = std::variant<WordParagraph, WordTable>;

struct WordDocument {
    // Page size A4 and Word's default margins, in points.
    float pageWidth = 595.3f;
    float pageHeight = 841.9f;
    float topMargin = 56.7f;
    float bottomMargin = 56.7f;
    float leftMargin = 85.05f;
    float rightMargin = 42.55f;
    bool landscape = false;  // pageWidth and pageHeight are then those of the turned page
    std::vector<WordBlock> body;  // never empty, and always ends with a paragraph
};

class WordDocumentBuilder : public WordAutomation {
public:
    void Connect() override;
    void DocumentsAdd(const QString& templateName, bool newTemplate) override;
    void SetVisible(bool visible) override;
    float CentimetersToPoints(float centimetres) override;
    void SetTopMargin(float points) override;
    void SetBottomMargin(float points) override;
    void SetLeftMargin(float points) override;
    void SetRightMargin(float points) override;
    void SetLeftIndent(float points) override;
    void SetAlignment(int alignment) override;
    void SetFontSize(float points) override;
    void SetBold(int bold) override;
    void TypeText(const QString& text) override;
    WordRange Range() override;
    void TablesAdd(const WordRange& range, int rows, int columns) override;
    void Move(int unit, int count) override;
    void MoveDown(int unit, int count, int extend) override;

    // The active document; raises KveltaError when none was added.
    const WordDocument& document() const;
    bool visible() const { return visible_; }
    bool selectionExtended() const { return anchor_.has_value(); }

    // A place in the document: a body paragraph (row < 0) or a paragraph of a table cell, and a
    // character offset in it.
    struct Place {
        int block = 0;
        int row = -1;
        int column = -1;
        int paragraph = 0;
        int offset = 0;
        bool inTable() const { return row >= 0; }
        bool operator==(const Place&) const = default;
    };

private:
    WordDocument& doc();
    WordParagraph& paragraphAt(const Place& place);
    WordTable& tableAt(int block);
    void insertText(const QString& text);
    void endParagraph();
    void deleteSelection();
    void setMark(WordParagraph& paragraph) const;
    std::optional<Place> lineBelow(const Place& place);
    void checkMargin(float points, float page, float opposite) const;

    bool connected_ = false;
    bool visible_ = false;
    std::optional<WordDocument> document_;
    Place caret_;                  // the insertion point, or the active end of an extended selection
    std::optional<Place> anchor_;  // the fixed end of an extended selection
    float fontSize_ = 12.0f;
    bool bold_ = false;
    int edits_ = 0;  // ranges handed out stay valid until the document changes
    std::vector<std::pair<int, Place>> ranges_;
};

}  // namespace kvelta
