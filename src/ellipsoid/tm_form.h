#pragma once
// The meridian-arc window, and the base layout of the windows derived from it: the student
// fields, two angle triples B1 and B2, "Вычислить" and a four-column result table.

#include "frame/task_form.h"

namespace kvelta {

class TMForm : public TaskForm {
    Q_OBJECT
public:
    explicit TMForm(QWidget* parent = nullptr);

    ResultGrid* StringGrid1() const { return grid(QStringLiteral("StringGrid1")); }

protected:
    // The base layout for a derived window of another exercise.
    TMForm(const Exercise& exercise, QWidget* parent);
};

}  // namespace kvelta
