#pragma once
// The spatial rectangular coordinates exercise: B, L, H to X, Y, Z on one page, back on the other.

#include "frame/exercise.h"

namespace kvelta {

const Exercise& SpatialCoordinatesExercise();  // TPrKoordForm

}  // namespace kvelta
