#pragma once
// The edits of an exercise and their texts as "Вычислить" reads them. Each edit says once what
// it holds (its kind); computations read their inputs through Inputs, so that they run the same
// in a window and without one.

#include "frame/numbers.h"

#include <QString>
#include <vector>

namespace kvelta {

// What an edit holds: free text (the student's group and name), a real number, a whole number,
// or nothing the computation reads (an edit of a base window that a derived one hides).
enum class EditKind { Text, Real, Integer, Unused };

// Which part of a quantity an edit holds: all of it, or one of the three edits of an angle.
enum class AnglePart { Whole, Degrees, Minutes, Seconds };

struct EditField {
    QString name;         // "Edit3"
    QString label;        // the caption beside it on screen, with its unit mark: "B1 o"
    QString meaning;      // what it holds, in words
    QString defaultText;  // as designed, with a decimal comma
    EditKind kind = EditKind::Real;
    // The short name a person reads and types, as the course writes the quantity: "B1", "s",
    // "group". The three edits of an angle share it; an edit nothing reads has none.
    QString symbol;
    AnglePart part = AnglePart::Whole;
};

// The most characters an edit holds.
inline constexpr int kEditMaxLength = 32767;

// The default text as an edit shows it: the design's decimal comma in the user's separator, so
// that a new window computes in any locale.
QString ShownDefault(const EditField& edit);

// The edit of that name; nullptr when the exercise has none.
const EditField* FindEdit(const std::vector<EditField>& edits, const QString& name);

// The edit that holds the part `part` of the quantity named `symbol`; nullptr when none does.
const EditField* FindEditOf(const std::vector<EditField>& edits, const QString& symbol, AnglePart part);

class Inputs {
public:
    explicit Inputs(const std::vector<EditField>& edits) : edits_(&edits) {}
    virtual ~Inputs() = default;

    virtual QString text(const QString& editName) const = 0;

    // The number of the edit named by its short name ("s", "b") or its own name ("Edit12"), as
    // its kind reads it; values beyond the double range stay extended.
    Extended number(const QString& name) const;
    double real(const QString& name) const { return ToDouble(number(name)); }

    // The angle typed in the three edits that share the short name ("B1"), in degrees.
    double angle(const QString& symbol) const;

private:
    const std::vector<EditField>* edits_;
};

// Reads the three edits of an angle in order, then joins them with DmsToDegrees.
double ReadAngle(const Inputs& inputs, const QString& degreesEdit, const QString& minutesEdit,
                 const QString& secondsEdit);

}  // namespace kvelta
