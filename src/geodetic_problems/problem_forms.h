#pragma once
// The windows of the two geodetic problems: the student fields, two rows of inputs and a table
// whose columns after the first are the successive approximations.

#include "frame/task_form.h"

namespace kvelta {

// B1, L1, the azimuth A12 and the distance s to B2, L2 and the reverse azimuth A21.
class TPrGZForm : public TaskForm {
    Q_OBJECT
public:
    explicit TPrGZForm(QWidget* parent = nullptr);

    ResultGrid* StringGrid1() const { return grid(QStringLiteral("StringGrid1")); }
};

// B1, L1, B2, L2 to the distance s and the azimuths A12, A21.
class TObrGZForm : public TaskForm {
    Q_OBJECT
public:
    explicit TObrGZForm(QWidget* parent = nullptr);

    ResultGrid* StringGrid1() const { return grid(QStringLiteral("StringGrid1")); }
};

}  // namespace kvelta
