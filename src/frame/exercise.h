#pragma once
// What an exercise is, stated once: where "Создать" shows it, its window class and caption, its
// command-line name, its edits, its tables, the cells of its final results, what the rigorous
// comparison checks, and the functions that label and compute its tables. Menus, windows,
// reports, kvelta-solve and the comparison all read this description; it knows no widgets.

#include "frame/inputs.h"
#include "frame/result_table.h"
#include "frame/window_layout.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QRandomGenerator;

namespace kvelta {

struct TableLayout {
    QString name;  // "StringGrid1"
    QString page;  // caption of its tab page; empty in a window without pages
    int columns = 0;
    int rows = 0;
    std::vector<int> widths;  // design widths of the columns; the rest take defaultWidth
    int defaultWidth = 64;
    // Rows and columns left out of view and reports while the computation writes nothing there
    // (approximations it did not need); first > last: none.
    std::pair<int, int> optionalRows{1, 0};
    std::pair<int, int> optionalColumns{1, 0};

    int width(int column) const;
    // A new table of this size, with these column widths; no cell written.
    std::unique_ptr<ResultTable> newTable() const;
};

// A quantity as a table prints it: the cell that shows it (table index, column, row) and its
// unit. Angles are shown as angle text and carried in degrees.
struct ResultQuantity {
    QString name;
    QString unit;
    int table = 0;
    int column = 0;
    int row = 0;
    bool angle = false;
};

// The same quantity under another name, in the table `table`: a compared quantity that is also a
// result ("x" compared as "x, м"), or a quantity of one table computed again on another page.
ResultQuantity Renamed(ResultQuantity quantity, const QString& name, std::optional<int> table = std::nullopt);

// Where the "Создать" menu shows the exercise: an item, in a submenu when one is named.
struct MenuPlace {
    QString submenuName;  // "N3"; empty for an item directly in "Создать"
    QString submenuText;
    QString itemName;  // "N7"
    QString itemText;
};

// What the reports write after the caption and the student's lines.
enum class ReportLayout {
    Common,         // the first table
    Legendre,       // the first page's table (text), the active page's (document)
    LargeTriangle,  // eight numbered steps, one table each
    ZoneTransfer,   // two steps, one table each
    EveryPage,      // every page's table under its page caption (text and document)
};

// Texts typed into edits, by edit name.
using TypedTexts = std::vector<std::pair<QString, QString>>;

// The tables of one exercise in page order, as its functions write them.
using TableSet = std::vector<ResultTable*>;

// The tables as a computation left them, and the error that stopped it (empty when it ended).
struct ComputedTables {
    std::vector<const ResultTable*> tables;
    QString fault;
};

// The rigorous value of one compared quantity, or why there is none.
struct RigorousValue {
    std::optional<double> value;  // in the quantity's unit; angles in degrees
    QString reason;
    // A difference (textbook − rigorous, in the quantity's unit; angles in seconds) as a length
    // on the ground in metres; empty where that does not apply.
    std::function<std::optional<double>(double difference)> ground;
};

struct RigorousSolution {
    std::vector<RigorousValue> values;  // one per compared quantity, in order
    QString note;                        // where the gap comes from
};

struct RigorousComparison {
    std::vector<ResultQuantity> quantities;
    // Reads the inputs as "Вычислить" does (a conversion error goes through) and solves rigorously.
    RigorousSolution (*solve)(const Inputs& inputs, const ComputedTables& textbook) = nullptr;
    // The tables take e² = f(2 − f) from 1/f, not the course's rounded e².
    bool derivedE2 = false;
    // The ellipsoids the rigorous values are on, for an exercise that works on others than
    // Krasovsky's; without it the comparison states Krasovsky's.
    QString (*ellipsoids)() = nullptr;
};

// What an exercise computes, in a line of each language, for the lists of exercises in the manual
// pages, the package description, the AppStream text and the menu entry's keywords.
struct Summary {
    QString english;  // "length of a meridian arc"
    QString russian;  // "длина дуги меридиана"
};

struct Exercise {
    QString name;         // on the command line: "meridian-arc"
    QString windowClass;  // "TMForm"
    QString caption;
    Summary summary;
    MenuPlace menu;
    std::vector<EditField> edits;  // Edit1, Edit2, ... in number order
    // The textbook's worked example: the edits it types, numbers written with a decimal comma.
    TypedTexts example;
    // Its page of the manual: formulas, what the rows mean, units ("qrc:/help/meridian-arc.html").
    // The help window adds the edits, the table rows and the worked example from this description.
    QString help;
    std::vector<TableLayout> tables;
    std::vector<ResultQuantity> results;  // the final results
    ReportLayout report = ReportLayout::Common;
    // What the window's creation writes: headings and row labels.
    void (*writeLabels)(const TableSet& tables) = nullptr;
    // What "Вычислить" does: reads and converts the edits, then writes the value cells; a fault
    // after the first write empties the cells the run did not reach.
    void (*compute)(const Inputs& inputs, const TableSet& tables) = nullptr;
    RigorousComparison comparison;
    // An individual variant for a student: the edits after the group and name, drawn from ranges
    // that make sense for the exercise (numbers with a decimal comma, as in `example`).
    TypedTexts (*makeVariant)(QRandomGenerator& random) = nullptr;
    // Its window: the size it opens at and the panel's controls; the tables go under the panel.
    WindowLayout window;

    const EditField* edit(const QString& editName) const { return FindEdit(edits, editName); }
    // The worked example as a user types it, with the user's decimal separator.
    TypedTexts shownExample() const;
    bool hasPages() const { return !tables.empty() && !tables.front().page.isEmpty(); }
};

// The tables of an exercise as its creation leaves them: sized, labelled, values empty.
class ExerciseTables {
public:
    explicit ExerciseTables(const Exercise& exercise);
    ExerciseTables(const ExerciseTables& other);
    ExerciseTables(ExerciseTables&&) = default;
    ExerciseTables& operator=(ExerciseTables other);

    std::size_t size() const { return tables_.size(); }
    ResultTable& operator[](std::size_t index) { return *tables_.at(index); }
    const ResultTable& operator[](std::size_t index) const { return *tables_.at(index); }
    TableSet set() const;
    std::vector<const ResultTable*> constSet() const;

private:
    std::vector<std::unique_ptr<ResultTable>> tables_;
};

// The texts of an exercise's edits, each starting at the default a new window shows.
class EditTexts : public Inputs {
public:
    explicit EditTexts(const Exercise& exercise, const TypedTexts& typed = {});

    QString text(const QString& editName) const override;
    // Types a text into an edit, as setText does: a text longer than the edit holds is cut.
    // Raises std::invalid_argument for an edit the exercise does not have.
    void set(const QString& editName, const QString& text);

private:
    std::map<QString, QString> texts_;
};

// "Вычислить" of an exercise with one table: the edits read by `read`, then `compute` on the table,
// a fault after the first write emptying the cells it did not reach.
template <auto read, auto compute>
void ReadThenCompute(const Inputs& inputs, const TableSet& tables)
{
    const auto input = read(inputs);
    RunComputation(tables, [&] { compute(input, *tables.front()); });
}

// Building blocks of the edit lists.
// Edit1 (group) and Edit2 (full name).
std::vector<EditField> StudentEdits();
// An angle's degree, minute and second edits EditN, EditN+1, EditN+2 beside the label `label`,
// typed under the short name `symbol` (the label when none is given). Whole-number degrees and
// minutes say so; the seconds are always a real number.
std::vector<EditField> AngleEdits(int firstEdit, const QString& label, const QString& angle,
                                 EditKind degreesAndMinutes = EditKind::Real, const QString& symbol = {});
// The edit lists joined in order.
std::vector<EditField> Edits(std::initializer_list<std::vector<EditField>> parts);

}  // namespace kvelta
