#pragma once
// The word-processor operations the Word reports use, named after Word's object model
// (Application, ActiveDocument.PageSetup, Selection). The reports call nothing else, so any
// component that offers these operations can stand in for Word: the document builder that
// writes a .docx file, or the recorder of the tests.

#include <QString>

namespace kvelta {

// Values of Word's object model that the reports pass.
inline constexpr int kWordAlignCenter = 1;      // wdAlignParagraphCenter
inline constexpr int kWordAlignJustify = 3;     // wdAlignParagraphJustify
inline constexpr int kWordToggle = 9999998;     // wdToggle: switches bold on when off and off when on
inline constexpr int kWordUnitCell = 12;        // wdCell
inline constexpr int kWordUnitLine = 5;         // wdLine
inline constexpr int kWordExtend = 1;           // wdExtend

// A Selection.Range as handed back to Tables.Add. Only the component that made it can read it.
struct WordRange {
    int id = 0;
};

// Every operation either does what Word would do or raises a KveltaError with the reason.
class WordAutomation {
public:
    virtual ~WordAutomation() = default;

    // Attaches to the word processor (a running one, or a new one).
    virtual void Connect() = 0;
    // Documents.Add(Template, NewTemplate): a new empty document becomes the active one, with the
    // insertion point at its start.
    virtual void DocumentsAdd(const QString& templateName, bool newTemplate) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual float CentimetersToPoints(float centimetres) = 0;

    // ActiveDocument.PageSetup, in points.
    virtual void SetTopMargin(float points) = 0;
    virtual void SetBottomMargin(float points) = 0;
    virtual void SetLeftMargin(float points) = 0;
    virtual void SetRightMargin(float points) = 0;

    // Selection.ParagraphFormat.
    virtual void SetLeftIndent(float points) = 0;
    virtual void SetAlignment(int alignment) = 0;

    // Selection.Font: size in points; Bold takes True (-1), False (0) or kWordToggle.
    virtual void SetFontSize(float points) = 0;
    virtual void SetBold(int bold) = 0;

    // Selection.TypeText: replaces an extended selection; a carriage return ends a paragraph.
    virtual void TypeText(const QString& text) = 0;
    // Selection.Range.
    virtual WordRange Range() = 0;
    // Selection.Tables.Add(Range, NumRows, NumColumns): the insertion point goes to the first cell.
    virtual void TablesAdd(const WordRange& range, int rows, int columns) = 0;
    // Selection.Move(Unit, Count) and Selection.MoveDown(Unit, Count, Extend).
    virtual void Move(int unit, int count) = 0;
    virtual void MoveDown(int unit, int count, int extend) = 0;
};

}  // namespace kvelta
