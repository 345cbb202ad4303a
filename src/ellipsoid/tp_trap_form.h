#pragma once
// The trapezoid-area window: the base layout with an edit for L2 - L1 in seconds, the button
// moved to its right, and a 4 × 12 table.

#include "ellipsoid/tm_form.h"
#include "ellipsoid/trapezoid_area.h"

namespace kvelta {

class TPTrapForm : public TMForm {
    Q_OBJECT
public:
    explicit TPTrapForm(QWidget* parent = nullptr);

    void FormCreate() override;
    void Button1Click() override;

private:
    TrapezoidAreaInputs inputs_;
};

}  // namespace kvelta
