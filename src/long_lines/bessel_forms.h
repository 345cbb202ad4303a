#pragma once
// The windows of the two problems on long lines: the student fields, two rows of inputs and a
// table whose columns after the first are the successive approximations.

#include "frame/task_form.h"

namespace kvelta {

// What both windows share: angle inputs laid out as the geodetic problems' windows lay them.
class BesselProblemForm : public TaskForm {
    Q_OBJECT
public:
    using TaskForm::TaskForm;

protected:
    // The angle edits EditN…EditN+2 captioned `text` at (left, top), their marks numbered from `label`.
    void addAngle(int edit, int label, const char* text, int left, int top);
    // Edit1…EditN, then the button.
    void setTabOrderUpTo(int lastEdit);
};

// B1, L1, the azimuth A12 and the distance s to B2, L2 and the reverse azimuth A21.
class TBesselPrGZForm : public BesselProblemForm {
    Q_OBJECT
public:
    explicit TBesselPrGZForm(QWidget* parent = nullptr);
};

// B1, L1, B2, L2 to the distance s and the azimuths A12, A21.
class TBesselObrGZForm : public BesselProblemForm {
    Q_OBJECT
public:
    explicit TBesselObrGZForm(QWidget* parent = nullptr);
};

}  // namespace kvelta
