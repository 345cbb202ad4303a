#pragma once
// The Gauss–Krüger exercises: geodetic to plane coordinates, back, and from one zone to another.

#include "frame/exercise.h"

namespace kvelta {

const Exercise& GaussKrugerForwardExercise();  // TPTGKForm
const Exercise& GaussKrugerInverseExercise();  // TGKTPForm
const Exercise& ZoneTransferExercise();        // TPreobrazForm

}  // namespace kvelta
