#pragma once
// The edit texts of an exercise window, read by the edit's name ("Edit3"), and their
// conversion into numbers as "Вычислить" does it. Computations read their inputs through this,
// so that they run the same with or without a window.

#include "frame/numbers.h"

#include <QString>

namespace kvelta {

class Inputs {
public:
    virtual ~Inputs() = default;
    virtual QString text(const QString& editName) const = 0;

    Extended realExtended(const QString& editName) const { return ParseReal(text(editName)); }
    double real(const QString& editName) const { return ToDouble(realExtended(editName)); }
    int integer(const QString& editName) const { return ParseInteger(text(editName)); }
};

// How the degree and minute edits of an angle are read (seconds are always real numbers).
enum class DegreeMinuteKind { Real, Integer };

// Reads the three edits of an angle in order, then joins them with DmsToDegrees.
double ReadAngle(const Inputs& inputs, const QString& degreesEdit, const QString& minutesEdit,
                 const QString& secondsEdit, DegreeMinuteKind kind);

}  // namespace kvelta
