#pragma once
// The large spherical triangle window: measured angles A, B, C, the latitudes of the vertices
// and the mean latitude, side b, and eight pages of results.

#include "frame/task_form.h"

namespace kvelta {

class TSfTrForm : public TaskForm {
    Q_OBJECT
public:
    explicit TSfTrForm(QWidget* parent = nullptr);
};

}  // namespace kvelta
