#include "ellipsoid/td_trap_form.h"

#include "ellipsoid/exercises.h"

namespace kvelta {

TDTrapForm::TDTrapForm(QWidget* parent) : TPTrapForm(TrapezoidSidesExercise(), parent)
{
    addLabel(QStringLiteral("Label13"), QStringLiteral("M"), 130, 100, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit10"), 144, 96, 57);
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Edit9"),
                 QStringLiteral("Button1"), QStringLiteral("Edit10")});
}

}  // namespace kvelta
