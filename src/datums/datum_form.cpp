#include "datums/datum_form.h"

#include "datums/exercises.h"

namespace kvelta {

TDatumForm::TDatumForm(QWidget* parent) : TaskForm(DatumTransformationExercise(), parent)
{
    resize(640, 600);
    setPanelHeight(160);
    setPanelBevelled();
    addStudentFields();
    // One point per column: B and L as angle triples, H below; SK-42 from Edit3, WGS-84 from Edit10.
    for (const auto& [first, left, system] : {std::tuple{3, 0, "СК-42"}, std::tuple{10, 300, "WGS-84"}}) {
        addLabel(QStringLiteral("Label%1").arg(first + 40), QString::fromUtf8(system), left + 40, 58, LabelStyle::BoldMaroon);
        int top = 76;
        for (int triple = 0; triple < 2; ++triple, top += 24) {
            const int edit = first + 3 * triple;
            addLabel(QStringLiteral("Label%1").arg(edit), triple ? QStringLiteral("L") : QStringLiteral("B"), left + 16,
                     top + 4, LabelStyle::BoldMaroon);
            addAngleTriple({QStringLiteral("Edit%1").arg(edit), QStringLiteral("Edit%1").arg(edit + 1),
                            QStringLiteral("Edit%1").arg(edit + 2)},
                           {QStringLiteral("Label%1").arg(edit + 20), QStringLiteral("Label%1").arg(edit + 21),
                            QStringLiteral("Label%1").arg(edit + 22)},
                           {left + 40, left + 96, left + 152}, {left + 82, left + 141, left + 200}, top);
        }
        addLabel(QStringLiteral("Label%1").arg(first + 6), QStringLiteral("H,м"), left + 8, top + 4, LabelStyle::BoldMaroon);
        addEdit(QStringLiteral("Edit%1").arg(first + 6), left + 40, top, 153);
    }
    addButton1(520, 124);
    addTables();

    QStringList order;
    for (int edit = 1; edit <= 16; ++edit)
        order << QStringLiteral("Edit%1").arg(edit);
    setTabOrder(order << QStringLiteral("Button1"));
}

}  // namespace kvelta
