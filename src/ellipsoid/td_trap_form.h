#pragma once
// The trapezoid-sides window: the trapezoid-area layout with an edit for the scale denominator M.
// Nothing of the area computation runs here.

#include "ellipsoid/tp_trap_form.h"

namespace kvelta {

class TDTrapForm : public TPTrapForm {
    Q_OBJECT
public:
    explicit TDTrapForm(QWidget* parent = nullptr);
};

}  // namespace kvelta
