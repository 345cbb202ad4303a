#pragma once
// The direct and inverse geodetic problems on long lines by Bessel's method.

#include "frame/exercise.h"

namespace kvelta {

const Exercise& BesselDirectExercise();   // TBesselPrGZForm
const Exercise& BesselInverseExercise();  // TBesselObrGZForm

}  // namespace kvelta
