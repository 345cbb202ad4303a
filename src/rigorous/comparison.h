#pragma once
// Each exercise's textbook result beside the rigorous one on the Krasovsky ellipsoid
// (a = 6378245 m, 1/f = 298.3), computed with GeographicLib.
//
// The textbook side is what the exercise's own table prints: the inputs are read by the
// exercise's reading function and the exercise's computation runs on scratch tables of the
// window's size, so the exercise window itself is never touched. The rigorous side calls
// GeographicLib: Ellipsoid::MeridianDistance and CircleRadius for arcs, PolygonAreaRhumb for the
// sheet area (its sides are parallels and meridians, i.e. rhumb lines), Geodesic::Inverse for the
// sheet diagonal, TransverseMercatorExact for Gauss–Krüger. The triangles are solved exactly on
// the sphere their exercise implies (rigorous/spherical_triangle.h).

#include "frame/inputs.h"

#include <QString>
#include <optional>
#include <vector>

namespace kvelta {

class TaskForm;

// One final quantity of an exercise. A value that does not exist, or that the library cannot
// give, is "—" and `reason` says why; the numbers are then empty.
struct ComparisonRow {
    QString quantity;    // name and unit: "S, м"
    QString textbook;    // the cell as the exercise's table prints it
    QString rigorous;    // printed with the cell's number of decimals (angles as angle text)
    QString difference;  // textbook − rigorous, with its unit
    QString ground;      // the difference as a length on the ground, metres; empty where it does not apply
    QString reason;      // why a value is "—"; empty when every value is there

    std::optional<double> textbookValue;  // the printed text read back (angles in degrees)
    std::optional<double> rigorousValue;  // same unit as textbookValue
    std::optional<double> differenceValue;  // in the unit of `difference` (angles: seconds of arc)
    std::optional<double> groundValue;      // metres
};

struct Comparison {
    QString className;  // "TMForm"
    QString caption;    // the exercise window's caption
    std::vector<ComparisonRow> rows;
    QString note;            // the main source of the gap, and for the triangles the sphere used
    QString ellipsoid;       // which ellipsoid the rigorous values are on
    QString textbookFault;   // the error that stopped the textbook computation, if it stopped
};

// The dash shown for a value that does not exist.
inline const QString NoValue = QStringLiteral("—");

// One function per exercise. Each reads its inputs exactly as the window's "Вычислить" does and
// lets a conversion error (ConversionError) through; every other failure becomes a "—" row.
Comparison CompareMeridianArc(const Inputs& inputs);       // TMForm
Comparison CompareParallelArc(const Inputs& inputs);       // TPForm
Comparison CompareTrapezoidArea(const Inputs& inputs);     // TPTrapForm
Comparison CompareTrapezoidSides(const Inputs& inputs);    // TDTrapForm
Comparison CompareGeodeticToGaussKruger(const Inputs& inputs);  // TPTGKForm
Comparison CompareGaussKrugerToGeodetic(const Inputs& inputs);  // TGKTPForm
Comparison CompareZoneTransfer(const Inputs& inputs);      // TPreobrazForm
Comparison CompareLegendreTriangle(const Inputs& inputs);  // TReshSTmForm
Comparison CompareLargeTriangle(const Inputs& inputs);     // TSfTrForm

// The exact class name of an exercise window ("TDTrapForm", never its base "TPTrapForm").
QString ExerciseClassName(const TaskForm& form);
// Whether an exercise class has a comparison.
bool HasRigorousComparison(const QString& className);
// The comparison of an exercise given by class name; std::nullopt for a class without one.
// Conversion errors go through as with the functions above.
std::optional<Comparison> CompareExercise(const QString& className, const Inputs& inputs);
// The comparison for a window, from its current edits. Reads the window, changes nothing.
std::optional<Comparison> CompareForm(const TaskForm& form);

// The statement of the ellipsoid shown with every comparison.
QString RigorousEllipsoidStatement();

}  // namespace kvelta
