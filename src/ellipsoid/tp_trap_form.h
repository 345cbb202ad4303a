#pragma once
// The trapezoid-area window: the base layout with an edit for L2 - L1 in seconds and the button
// moved to its right.

#include "ellipsoid/tm_form.h"

namespace kvelta {

class TPTrapForm : public TMForm {
    Q_OBJECT
public:
    explicit TPTrapForm(QWidget* parent = nullptr);

protected:
    // The layout for the trapezoid-sides window, which derives from this one.
    TPTrapForm(const Exercise& exercise, QWidget* parent);
};

}  // namespace kvelta
