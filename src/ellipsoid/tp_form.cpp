#include "ellipsoid/tp_form.h"

#include "ellipsoid/exercises.h"

namespace kvelta {

TPForm::TPForm(QWidget* parent) : TMForm(ParallelArcExercise(), parent)
{
    relabel(QStringLiteral("Label5"), QStringLiteral("L"));
}

}  // namespace kvelta
