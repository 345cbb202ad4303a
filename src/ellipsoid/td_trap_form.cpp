#include "ellipsoid/td_trap_form.h"

#include <QLineEdit>

namespace kvelta {

TDTrapForm::TDTrapForm(QWidget* parent) : TPTrapForm(parent)
{
    setObjectName(QStringLiteral("DTrapForm"));
    setWindowTitle(QStringLiteral("Вычисление длин сторон трапеции"));
    edit(QStringLiteral("Edit9"))->setText(QStringLiteral("900"));
    addLabel(QStringLiteral("Label13"), QStringLiteral("M"), 130, 100, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit10"), 144, 96, 57, QStringLiteral("50000"));
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Edit9"),
                 QStringLiteral("Button1"), QStringLiteral("Edit10")});
    resizeStringGrid1(4, 20, {92, 96, 97, 92});
}

void TDTrapForm::FormCreate() { TrapezoidSidesLabels(StringGrid1()->table()); }

void TDTrapForm::Button1Click()
{
    const TrapezoidSidesInputs in = ReadTrapezoidSidesInputs(inputs());
    inputs_ = in;
    compute([&] { ComputeTrapezoidSides(in, StringGrid1()->table()); });
}

}  // namespace kvelta
