#pragma once
// Building blocks of the individual variants an instructor hands out: the standard map sheets,
// angle texts split into an angle's three edits, and numbers written as the worked examples
// write them (decimal comma).

#include "frame/exercise.h"

#include <QRandomGenerator>
#include <QtGlobal>

namespace kvelta {

// A sheet of the standard series: its scale denominator and its size in seconds of arc.
struct MapSheet {
    int scale;
    int widthSeconds;   // in longitude
    int heightSeconds;  // in latitude
};

// 1:10 000 (3′45″×2′30″) up to 1:1 000 000 (6°×4°).
const std::vector<MapSheet>& StandardSheets();

// The latitudes (in seconds) of the southern edge of a sheet whose corners lie on the sheet grid,
// the sheet within 40°–70° N.
qint64 SheetSouthEdge(QRandomGenerator& random, const MapSheet& sheet);

// A whole number in [low, high].
qint64 Between(QRandomGenerator& random, qint64 low, qint64 high);
// A real number in [low, high).
double Uniform(QRandomGenerator& random, double low, double high);

// An angle given in units of 10^-decimals seconds as the texts of its edits EditN (degrees),
// EditN+1 (minutes) and EditN+2 (seconds, with that many decimals); the angle is not negative.
TypedTexts AngleTexts(int firstEdit, qint64 units, int decimals);
// Degrees rounded to 10^-decimals seconds, as AngleTexts.
TypedTexts AngleTexts(int firstEdit, double degrees, int decimals);
// A number with `decimals` decimals and a decimal comma.
QString CommaNumber(double value, int decimals);

// The texts joined in order.
TypedTexts Join(std::initializer_list<TypedTexts> parts);

}  // namespace kvelta
