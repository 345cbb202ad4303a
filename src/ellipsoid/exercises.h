#pragma once
// The exercises on arcs and map-sheet trapezoids of the Krasovsky ellipsoid.

#include "frame/exercise.h"

namespace kvelta {

const Exercise& MeridianArcExercise();     // TMForm
const Exercise& ParallelArcExercise();     // TPForm
const Exercise& TrapezoidAreaExercise();   // TPTrapForm
const Exercise& TrapezoidSidesExercise();  // TDTrapForm

}  // namespace kvelta
