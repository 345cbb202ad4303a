#include "geodetic_problems/problem_forms.h"

#include "geodetic_problems/exercises.h"

namespace kvelta {

namespace {

QString Name(const char* prefix, int number) { return QLatin1String(prefix) + QString::number(number); }

}  // namespace

TPrGZForm::TPrGZForm(QWidget* parent) : TaskForm(DirectProblemExercise(), parent)
{
    resize(720, 460);
    setPanelHeight(121);
    addStudentFields();
    addLabel(QStringLiteral("Label3"), QStringLiteral("B1"), 16, 68, LabelStyle::BoldMaroon);
    addAngleTriple({Name("Edit", 3), Name("Edit", 4), Name("Edit", 5)}, {Name("Label", 4), Name("Label", 5), Name("Label", 6)},
                   {40, 96, 152}, {82, 141, 200}, 64);
    addLabel(QStringLiteral("Label7"), QStringLiteral("L1"), 216, 68, LabelStyle::BoldMaroon);
    addAngleTriple({Name("Edit", 6), Name("Edit", 7), Name("Edit", 8)}, {Name("Label", 8), Name("Label", 9), Name("Label", 10)},
                   {240, 296, 352}, {282, 341, 400}, 64);
    addLabel(QStringLiteral("Label11"), QStringLiteral("A12"), 8, 92, LabelStyle::BoldMaroon);
    addAngleTriple({Name("Edit", 9), Name("Edit", 10), Name("Edit", 11)},
                   {Name("Label", 12), Name("Label", 13), Name("Label", 14)}, {40, 96, 152}, {82, 141, 200}, 88);
    addLabel(QStringLiteral("Label15"), QStringLiteral("s,м"), 210, 92, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit12"), 240, 88, 121);
    addButton1(440, 76);
    addTables();
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"), QStringLiteral("Edit4"),
                 QStringLiteral("Edit5"), QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8"),
                 QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11"),
                 QStringLiteral("Edit12"), QStringLiteral("Button1")});
}

TObrGZForm::TObrGZForm(QWidget* parent) : TaskForm(InverseProblemExercise(), parent)
{
    resize(720, 480);
    setPanelHeight(121);
    addStudentFields();
    const char* labels[] = {"B1", "L1", "B2", "L2"};
    for (int point = 0; point < 4; ++point) {
        const int left = point % 2 == 0 ? 0 : 200, top = point < 2 ? 64 : 88;
        const int edit = 3 + 3 * point, label = 3 + 4 * point;
        addLabel(Name("Label", label), QString::fromLatin1(labels[point]), left + 16, top + 4, LabelStyle::BoldMaroon);
        addAngleTriple({Name("Edit", edit), Name("Edit", edit + 1), Name("Edit", edit + 2)},
                       {Name("Label", label + 1), Name("Label", label + 2), Name("Label", label + 3)},
                       {left + 40, left + 96, left + 152}, {left + 82, left + 141, left + 200}, top);
    }
    addButton1(440, 76);
    addTables();
    QStringList order;
    for (int n = 1; n <= 14; ++n)
        order.append(Name("Edit", n));
    order.append(QStringLiteral("Button1"));
    setTabOrder(order);
}

}  // namespace kvelta
