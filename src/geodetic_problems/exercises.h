#pragma once
// The direct and inverse geodetic problems by the mean-argument formulas.

#include "frame/exercise.h"

namespace kvelta {

const Exercise& DirectProblemExercise();   // TPrGZForm
const Exercise& InverseProblemExercise();  // TObrGZForm

}  // namespace kvelta
