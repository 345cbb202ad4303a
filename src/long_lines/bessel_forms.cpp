#include "long_lines/bessel_forms.h"

#include "long_lines/exercises.h"

namespace kvelta {

namespace {

QString Name(const char* prefix, int number) { return QLatin1String(prefix) + QString::number(number); }

}  // namespace

void BesselProblemForm::addAngle(int edit, int label, const char* text, int left, int top)
{
    addLabel(Name("Label", label), QString::fromLatin1(text), left + 16, top + 4, LabelStyle::BoldMaroon);
    addAngleTriple({Name("Edit", edit), Name("Edit", edit + 1), Name("Edit", edit + 2)},
                   {Name("Label", label + 1), Name("Label", label + 2), Name("Label", label + 3)},
                   {left + 40, left + 96, left + 152}, {left + 82, left + 141, left + 200}, top);
}

void BesselProblemForm::setTabOrderUpTo(int lastEdit)
{
    QStringList order;
    for (int n = 1; n <= lastEdit; ++n)
        order.append(Name("Edit", n));
    order.append(QStringLiteral("Button1"));
    setTabOrder(order);
}

TBesselPrGZForm::TBesselPrGZForm(QWidget* parent) : BesselProblemForm(BesselDirectExercise(), parent)
{
    resize(820, 560);
    setPanelHeight(121);
    addStudentFields();
    addAngle(3, 3, "B1", 0, 64);
    addAngle(6, 7, "L1", 200, 64);
    addAngle(9, 11, "A12", 0, 88);
    addLabel(QStringLiteral("Label15"), QStringLiteral("s,м"), 210, 92, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit12"), 240, 88, 121);
    addButton1(440, 76);
    addTables();
    setTabOrderUpTo(12);
}

TBesselObrGZForm::TBesselObrGZForm(QWidget* parent) : BesselProblemForm(BesselInverseExercise(), parent)
{
    resize(820, 580);
    setPanelHeight(121);
    addStudentFields();
    const char* labels[] = {"B1", "L1", "B2", "L2"};
    for (int point = 0; point < 4; ++point)
        addAngle(3 + 3 * point, 3 + 4 * point, labels[point], point % 2 == 0 ? 0 : 200, point < 2 ? 64 : 88);
    addButton1(440, 76);
    addTables();
    setTabOrderUpTo(14);
}

}  // namespace kvelta
