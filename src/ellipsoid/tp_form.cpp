#include "ellipsoid/tp_form.h"

#include <QLabel>

namespace kvelta {

TPForm::TPForm(QWidget* parent) : TMForm(parent)
{
    setObjectName(QStringLiteral("PForm"));
    setWindowTitle(QStringLiteral("Вычисление длины дуги параллели"));
    relabel(QStringLiteral("Label5"), QStringLiteral("L"));
    resizeStringGrid1(4, 10, {92, 96, 97, 92});
}

void TPForm::FormCreate() { ParallelArcLabels(StringGrid1()->table()); }

void TPForm::Button1Click()
{
    const ParallelArcInputs in = ReadParallelArcInputs(inputs());
    inputs_ = in;
    compute([&] { ComputeParallelArc(in, StringGrid1()->table()); });
}

}  // namespace kvelta
