#pragma once
// Each final result of an exercise beside the rigorous one on the Krasovsky ellipsoid. The
// textbook side is what the exercise's computation printed (its text) and the number it printed
// it from; the rigorous side comes from the exercise's own rigorous solution (GeographicLib, or
// the exact spherical triangle). Which quantities are compared, and where the table prints them,
// the exercise's description says.

#include "frame/exercise.h"

#include <QString>
#include <optional>
#include <vector>

namespace kvelta {

// One compared quantity. A value that does not exist is "—" and `reason` says why.
struct ComparisonRow {
    QString quantity;    // name and unit: "S, м"
    QString textbook;    // the cell as the exercise's table prints it
    QString rigorous;    // printed with the cell's number of decimals (angles as angle text)
    QString difference;  // textbook − rigorous, with its unit
    QString ground;      // the difference as a length on the ground, metres; empty where it does not apply
    QString reason;      // why a value is "—"; empty when every value is there

    std::optional<double> textbookValue;    // the number the cell was printed from (angles in degrees)
    std::optional<double> rigorousValue;    // same unit as textbookValue
    std::optional<double> differenceValue;  // in the unit of `difference` (angles: seconds of arc)
    std::optional<double> groundValue;      // metres
};

struct Comparison {
    QString className;  // "TMForm"
    QString caption;    // the exercise window's caption
    std::vector<ComparisonRow> rows;
    QString note;           // the main source of the gap, and for the triangles the sphere used
    QString ellipsoid;      // which ellipsoid the rigorous values are on
    QString textbookFault;  // the error that stopped the textbook computation, if it stopped
};

// The dash shown for a value that does not exist.
inline const QString NoValue = QStringLiteral("—");

// The comparison of an exercise whose computation left `textbook`, from the same inputs. A
// conversion error of the inputs goes through; every other failure becomes a "—" row.
// std::nullopt for an exercise without a comparison.
std::optional<Comparison> CompareExercise(const Exercise& exercise, const Inputs& inputs,
                                          const ComputedTables& textbook);

}  // namespace kvelta
