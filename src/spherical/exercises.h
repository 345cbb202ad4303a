#pragma once
// The spherical-triangle exercises: a small triangle by Legendre's theorem and by additaments,
// and a large triangle reduced from the ellipsoid to the sphere.

#include "frame/exercise.h"

namespace kvelta {

const Exercise& LegendreTriangleExercise();  // TReshSTmForm
const Exercise& LargeTriangleExercise();     // TSfTrForm

}  // namespace kvelta
