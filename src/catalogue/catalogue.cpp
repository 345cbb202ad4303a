#include "catalogue/catalogue.h"

#include "datums/exercises.h"
#include "ellipsoid/curvature_radii.h"
#include "ellipsoid/exercises.h"
#include "gauss_kruger/exercises.h"
#include "geodetic_problems/exercises.h"
#include "plane_corrections/exercises.h"
#include "long_lines/exercises.h"
#include "spatial/exercises.h"
#include "spherical/exercises.h"

namespace kvelta {

namespace {

template <class Key>
const Exercise* Find(const QString& wanted, Key key)
{
    for (const Exercise* exercise : Catalogue())
        if (key(*exercise) == wanted)
            return exercise;
    return nullptr;
}

}  // namespace

const std::vector<const Exercise*>& Catalogue()
{
    static const std::vector<const Exercise*> exercises = {
        &MeridianArcExercise(),         &ParallelArcExercise(),         &CurvatureRadiiExercise(),
        &TrapezoidAreaExercise(),       &TrapezoidSidesExercise(),      &LegendreTriangleExercise(),
        &LargeTriangleExercise(),       &GaussKrugerForwardExercise(),  &GaussKrugerInverseExercise(),
        &ZoneTransferExercise(),        &PlaneCorrectionsExercise(),    &PlaneConvergenceExercise(),
        &DirectProblemExercise(),       &InverseProblemExercise(),      &SpatialCoordinatesExercise(),
        &BesselDirectExercise(),        &BesselInverseExercise(),       &DatumTransformationExercise(),
    };
    return exercises;
}

const Exercise* FindExercise(const QString& name)
{
    return Find(name, [](const Exercise& e) { return e.name; });
}

const Exercise* FindExerciseByClass(const QString& windowClass)
{
    return Find(windowClass, [](const Exercise& e) { return e.windowClass; });
}

const Exercise* FindExerciseByMenuItem(const QString& itemName)
{
    return Find(itemName, [](const Exercise& e) { return e.menu.itemName; });
}

}  // namespace kvelta
