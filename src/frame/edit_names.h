#pragma once
// The names a person reads and types for an exercise's inputs: the short name of each quantity
// as the course writes it ("B1", "s", "group"), one name for the three edits of an angle, and
// the reading of a value typed under a name into the texts of the edits it stands for.
//
// An angle typed under its name may be written
//   51°38′44,0822″   51° 38' 44.0822"   51 38 44.0822   51°38′   51 38,5   51.6455
// (the marks ° ′ ″ or ' " ` optional, a decimal comma or point in any locale, only the last number
// with decimals). The three edits receive the degrees and the minutes as typed and the seconds as
// typed with the program's decimal separator; decimals of the degrees or the minutes are carried
// down exactly into whole minutes and decimal seconds (51.6455 → 51, 38, 43,8; 51 38,5 → 51, 38,
// 30). A minus before the angle goes to every part that is not zero, as the windows type a
// negative angle (-0°30′12,5″ → 0, -30, -12,5); minus signs before single parts stay where typed.
// The parts of an angle keep names of their own: "B1.deg", "B1.min", "B1.sec".

#include "frame/exercise.h"

#include <QString>
#include <stdexcept>
#include <vector>

namespace kvelta {

// A name or a value typed under a name that cannot be read; the text says why.
class NameError : public std::invalid_argument {
public:
    explicit NameError(const QString& text) : std::invalid_argument(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// The name of one edit as a person types it: the symbol of an edit that holds its whole quantity
// ("s", "group"), "B1.deg", "B1.min" or "B1.sec" for a part of an angle; empty for an edit
// nothing reads.
QString EditShortName(const EditField& edit);

// One input a person names: its symbol and its edit, or the three edits of an angle.
struct NamedInput {
    QString name;
    std::vector<const EditField*> edits;

    bool isAngle() const { return !edits.empty() && edits.front()->part != AnglePart::Whole; }
};

// The named inputs of an exercise in the order of its edits; edits without a name are left out.
std::vector<NamedInput> NamedInputs(const std::vector<EditField>& edits);

// The edits a name stands for: a symbol ("B1": the three of an angle), a part of an angle
// ("B1.min") or an edit's own name ("Edit4", in any case). Empty when there is no such name.
std::vector<const EditField*> EditsNamed(const std::vector<EditField>& edits, const QString& name);

// Whether a column typed under this name holds numbers (a real or whole number, an angle).
bool NamesNumber(const std::vector<EditField>& edits, const QString& name);

// The texts of the edits that a value typed under `name` gives (see the top of this file). A
// value under an edit's own name is its text unchanged; under a short name a number may take
// a decimal comma or point. Raises NameError for an unknown name or an angle that does not read.
TypedTexts TextsOfNamedValue(const std::vector<EditField>& edits, const QString& name, const QString& value);

// The edit texts of several values typed under names, in order.
TypedTexts TextsOfNamedValues(const std::vector<EditField>& edits, const TypedTexts& named);

// How an angle is written as one value: with its marks, "51°38′44,0822″", or with blanks,
// "51 38 44,0822", for files that may pass through a Windows-1251 spreadsheet (which has no ′ ″).
enum class AngleMarks { Typographic, Blanks };

// An angle's three edit texts as one value that TextsOfNamedValue reads back into the same three
// texts.
QString JoinAngleTexts(const QString& degrees, const QString& minutes, const QString& seconds,
                       AngleMarks marks = AngleMarks::Typographic);

// Typed edit texts under the exercise's short names, in the order of its edits: the three texts
// of an angle typed whole become one value, a part typed alone keeps its part's name. Edits
// without a name are left out.
TypedTexts NamedValues(const std::vector<EditField>& edits, const TypedTexts& typed,
                       AngleMarks marks = AngleMarks::Typographic);

}  // namespace kvelta
