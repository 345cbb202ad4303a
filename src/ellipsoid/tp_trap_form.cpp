#include "ellipsoid/tp_trap_form.h"

#include "ellipsoid/exercises.h"

#include <QPushButton>

namespace kvelta {

TPTrapForm::TPTrapForm(QWidget* parent) : TPTrapForm(TrapezoidAreaExercise(), parent) {}

TPTrapForm::TPTrapForm(const Exercise& exercise, QWidget* parent) : TMForm(exercise, parent)
{
    addLabel(QStringLiteral("Label11"), QStringLiteral("L2-L1"), 2, 100, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit9"), 40, 96, 57);
    addLabel(QStringLiteral("Label12"), QStringLiteral("\""), 102, 96);
    button()->move(239, 96);
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Edit9"),
                 QStringLiteral("Button1")});
}

}  // namespace kvelta
