#pragma once
// The corrections on the Gauss–Krüger plane: meridian convergence and scale at a point on one
// page, the reduction of a line's direction and length to the plane on the other; and meridian
// convergence and scale at a point given by its plane coordinates.

#include "frame/exercise.h"

namespace kvelta {

const Exercise& PlaneCorrectionsExercise();  // TPlaneCorrectionsForm
const Exercise& PlaneConvergenceExercise();   // TPlaneConvergenceForm

}  // namespace kvelta
