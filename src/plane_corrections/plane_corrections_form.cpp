#include "plane_corrections/plane_corrections_form.h"

#include "plane_corrections/exercises.h"

namespace kvelta {

TPlaneCorrectionsForm::TPlaneCorrectionsForm(QWidget* parent) : TaskForm(PlaneCorrectionsExercise(), parent)
{
    resize(640, 560);
    setPanelHeight(170);
    setPanelBevelled();
    addStudentFields();

    int top = 64;
    for (const auto& [label, first] : {std::pair{"Lo", 3}, std::pair{"B", 6}, std::pair{"L", 9}}) {
        addLabel(QStringLiteral("Label%1").arg(first), QString::fromLatin1(label), 12, top + 4, LabelStyle::BoldMaroon);
        addAngleTriple({QStringLiteral("Edit%1").arg(first), QStringLiteral("Edit%1").arg(first + 1),
                        QStringLiteral("Edit%1").arg(first + 2)},
                       {QStringLiteral("Label%1").arg(first + 20), QStringLiteral("Label%1").arg(first + 21),
                        QStringLiteral("Label%1").arg(first + 22)},
                       {40, 96, 152}, {82, 141, 200}, top);
        top += 24;
    }
    top = 64;
    for (int edit = 12; edit <= 16; ++edit, top += 20) {
        addLabel(QStringLiteral("Label%1").arg(edit), exercise().edit(QStringLiteral("Edit%1").arg(edit))->label, 232,
                 top + 4, LabelStyle::BoldMaroon);
        addEdit(QStringLiteral("Edit%1").arg(edit), 272, top, 130);
    }
    addButton1(432, 136);
    addTables();

    QStringList order;
    for (int edit = 1; edit <= 16; ++edit)
        order << QStringLiteral("Edit%1").arg(edit);
    setTabOrder(order << QStringLiteral("Button1"));
}

}  // namespace kvelta
