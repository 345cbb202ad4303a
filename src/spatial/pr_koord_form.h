#pragma once
// The spatial rectangular coordinates window: B, L, H on the left of the panel, X, Y, Z on the
// right, and two pages, one for each direction of the transformation.

#include "frame/task_form.h"

namespace kvelta {

class TPrKoordForm : public TaskForm {
    Q_OBJECT
public:
    explicit TPrKoordForm(QWidget* parent = nullptr);
};

}  // namespace kvelta
