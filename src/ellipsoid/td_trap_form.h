#pragma once
// The trapezoid-sides window: the trapezoid-area layout with ΔL″ defaulting to 900, an edit for
// the scale denominator M, and a 4 × 20 table. Nothing of the area computation runs here.

#include "ellipsoid/tp_trap_form.h"
#include "ellipsoid/trapezoid_sides.h"

namespace kvelta {

class TDTrapForm : public TPTrapForm {
    Q_OBJECT
public:
    explicit TDTrapForm(QWidget* parent = nullptr);

    void FormCreate() override;
    void Button1Click() override;

private:
    TrapezoidSidesInputs inputs_;
};

}  // namespace kvelta
