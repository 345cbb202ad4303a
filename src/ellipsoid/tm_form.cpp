#include "ellipsoid/tm_form.h"

#include "ellipsoid/exercises.h"

namespace kvelta {

TMForm::TMForm(QWidget* parent) : TMForm(MeridianArcExercise(), parent) {}

TMForm::TMForm(const Exercise& exercise, QWidget* parent) : TaskForm(exercise, parent)
{
    resize(461, 269);
    setPanelHeight(129);
    addStudentFields();
    addLabel(QStringLiteral("Label5"), QStringLiteral("B1"), 16, 68, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5")},
                   {QStringLiteral("Label3"), QStringLiteral("Label4"), QStringLiteral("Label6")},
                   {40, 96, 152}, {82, 141, 200}, 64);
    addLabel(QStringLiteral("Label7"), QStringLiteral("B2"), 216, 68, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8")},
                   {QStringLiteral("Label8"), QStringLiteral("Label9"), QStringLiteral("Label10")},
                   {240, 296, 352}, {282, 341, 400}, 64);
    addButton1(183, 96);
    addTables();
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Button1")});
}

}  // namespace kvelta
