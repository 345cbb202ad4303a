#pragma once
// Coordinates between reference systems: SK-42 → PZ-90.11 → WGS-84 on one page, back on the other.

#include "frame/exercise.h"

namespace kvelta {

const Exercise& DatumTransformationExercise();  // TDatumForm

}  // namespace kvelta
