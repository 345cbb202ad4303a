#pragma once
// A stand-in for the word processor that only writes down what it is asked, in order. Used by
// the tests to check the exact sequence of operations a report makes.

#include "reports/word_automation.h"

#include <QStringList>

namespace kvelta {

class WordRecorder : public WordAutomation {
public:
    // One line per call: the member name and its arguments, e.g. `Font.Size(16)`,
    // `TypeText("Ст. гр. 101\r")` (texts quoted, a carriage return shown as \r),
    // `Tables.Add(Range#1, 18, 4)`. CentimetersToPoints answers as Word does (1 cm = 72/2.54 pt).
    QStringList calls;

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

    // How a float argument appears in `calls`: the shortest text that reads back to the same float.
    static QString Number(float value);
    // How a text argument appears in `calls`.
    static QString Quoted(const QString& text);

private:
    int ranges_ = 0;
};

}  // namespace kvelta
