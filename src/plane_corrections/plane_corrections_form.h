#pragma once
// The plane corrections window: Lo, B, L of the point on the left of the panel, the line's ends
// and length on the right, one page for each part.

#include "frame/task_form.h"

namespace kvelta {

class TPlaneCorrectionsForm : public TaskForm {
    Q_OBJECT
public:
    explicit TPlaneCorrectionsForm(QWidget* parent = nullptr);
};

}  // namespace kvelta
