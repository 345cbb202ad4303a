#include "spatial/pr_koord_form.h"

#include "spatial/exercises.h"

#include <QStringList>

namespace kvelta {

TPrKoordForm::TPrKoordForm(QWidget* parent) : TaskForm(SpatialCoordinatesExercise(), parent)
{
    resize(600, 520);
    setPanelHeight(145);
    setPanelBevelled();
    addStudentFields();

    addLabel(QStringLiteral("Label3"), QStringLiteral("B"), 16, 68, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5")},
                   {QStringLiteral("Label4"), QStringLiteral("Label5"), QStringLiteral("Label6")},
                   {40, 96, 152}, {82, 141, 200}, 64);
    addLabel(QStringLiteral("Label7"), QStringLiteral("L"), 16, 92, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8")},
                   {QStringLiteral("Label8"), QStringLiteral("Label9"), QStringLiteral("Label10")},
                   {40, 96, 152}, {82, 141, 200}, 88);
    addLabel(QStringLiteral("Label11"), QStringLiteral("H,м"), 8, 116, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit9"), 40, 112, 153);

    addLabel(QStringLiteral("Label12"), QStringLiteral("X,м"), 232, 68, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit10"), 264, 64, 145);
    addLabel(QStringLiteral("Label13"), QStringLiteral("Y,м"), 232, 92, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit11"), 264, 88, 145);
    addLabel(QStringLiteral("Label14"), QStringLiteral("Z,м"), 232, 116, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit12"), 264, 112, 145);
    addButton1(432, 112);

    addTables();

    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"), QStringLiteral("Edit4"),
                 QStringLiteral("Edit5"), QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8"),
                 QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11"), QStringLiteral("Edit12"),
                 QStringLiteral("Button1")});
}

}  // namespace kvelta
