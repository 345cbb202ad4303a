#pragma once
// How an exercise window lays out its top panel, as data: the panel's controls where the design
// puts them (pixels), listed in the order Tab walks through them. One window reads this for
// every exercise; it knows no widgets.

#include <QString>
#include <initializer_list>
#include <vector>

namespace kvelta {

struct PlacedControl {
    enum class Kind {
        Caption,  // the bold maroon name of an input ("B1", "X,м")
        Mark,     // a plain label: a unit mark ("o", "'", "\"") or a student field's caption
        Edit,     // an edit of the exercise, by its name ("Edit3"); hidden when the exercise does not read it
        Button,   // "Вычислить"
    };
    Kind kind = Kind::Mark;
    QString text;  // a label's text; an edit's name
    int left = 0;
    int top = 0;
    // An edit's width; a label cut to this width (0: as wide as its text).
    int width = 0;
};

struct WindowLayout {
    int width = 0;   // the size a new window opens at
    int height = 0;
    int panelHeight = 0;
    bool bevelledPanel = false;  // raised inner, lowered outer bevel, as the page-control windows draw it
    std::vector<PlacedControl> controls;
};

// Building blocks of the layouts.
PlacedControl CaptionAt(const QString& text, int left, int top, int width = 0);
PlacedControl MarkAt(const QString& text, int left, int top);
PlacedControl EditAt(int number, int left, int top, int width);  // "EditN"
PlacedControl ComputeButton(int left, int top);                   // 75 × 25
// The group and the full name at their common place, at the top of every window.
std::vector<PlacedControl> StudentRows();
// Degree, minute and second edits EditN…EditN+2 (41 wide, 56 apart, from `left`), each followed by
// its mark "o", "'" or '"'; the "o" sits one pixel above the edits' top.
std::vector<PlacedControl> AngleRow(int firstEdit, int left, int top);
// The parts joined in order.
std::vector<PlacedControl> Controls(std::initializer_list<std::vector<PlacedControl>> parts);

// The object name of a window of that class: the design names a form after its class without the
// leading "T" of the class convention ("TMForm" → "MForm"); a class named otherwise keeps its name.
QString WindowObjectName(const QString& windowClass);

}  // namespace kvelta
