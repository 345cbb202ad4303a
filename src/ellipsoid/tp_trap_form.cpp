#include "ellipsoid/tp_trap_form.h"

#include <QPushButton>

namespace kvelta {

TPTrapForm::TPTrapForm(QWidget* parent) : TMForm(parent)
{
    setObjectName(QStringLiteral("PTrapForm"));
    setWindowTitle(QStringLiteral("Вычисление площади  трапеции"));
    addLabel(QStringLiteral("Label11"), QStringLiteral("L2-L1"), 2, 100, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit9"), 40, 96, 57, QStringLiteral("1800"));
    addLabel(QStringLiteral("Label12"), QStringLiteral("\""), 102, 96);
    button()->move(239, 96);
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Edit9"),
                 QStringLiteral("Button1")});
    resizeStringGrid1(4, 12, {92, 96, 97, 92});
}

void TPTrapForm::FormCreate() { TrapezoidAreaLabels(StringGrid1()->table()); }

void TPTrapForm::Button1Click()
{
    const TrapezoidAreaInputs in = ReadTrapezoidAreaInputs(inputs());
    inputs_ = in;
    compute([&] { ComputeTrapezoidArea(in, StringGrid1()->table()); });
}

}  // namespace kvelta
