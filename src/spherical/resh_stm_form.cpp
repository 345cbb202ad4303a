#include "spherical/resh_stm_form.h"

#include "spherical/exercises.h"

#include <QStringList>

namespace kvelta {

TReshSTmForm::TReshSTmForm(QWidget* parent) : TaskForm(LegendreTriangleExercise(), parent)
{
    resize(659, 377);
    setPanelHeight(145);
    setPanelBevelled();
    addStudentFields();

    addLabel(QStringLiteral("Label5"), QStringLiteral("A"), 16, 68, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5")},
                   {QStringLiteral("Label3"), QStringLiteral("Label4"), QStringLiteral("Label6")},
                   {40, 96, 152}, {82, 141, 200}, 64);
    addLabel(QStringLiteral("Label11"), QStringLiteral("B"), 16, 92, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8")},
                   {QStringLiteral("Label12"), QStringLiteral("Label13"), QStringLiteral("Label14")},
                   {40, 96, 152}, {82, 141, 200}, 88);
    addLabel(QStringLiteral("Label7"), QStringLiteral("C"), 216, 68, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11")},
                   {QStringLiteral("Label8"), QStringLiteral("Label9"), QStringLiteral("Label10")},
                   {240, 296, 352}, {282, 341, 400}, 64);
    addLabel(QStringLiteral("Label15"), QStringLiteral("b"), 216, 92, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit12"), 240, 88, 153);
    addButton1(183, 115);

    addTables();

    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Button1"),
                 QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11"),
                 QStringLiteral("Edit12")});
}

}  // namespace kvelta
