#pragma once
// The datum transformation window: the SK-42 point on the left of the panel, the WGS-84 point on
// the right, one page for each direction.

#include "frame/task_form.h"

namespace kvelta {

class TDatumForm : public TaskForm {
    Q_OBJECT
public:
    explicit TDatumForm(QWidget* parent = nullptr);
};

}  // namespace kvelta
