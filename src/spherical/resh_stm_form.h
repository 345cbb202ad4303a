#pragma once
// The small spherical triangle window: angles A, B, C and the side b on the panel, and two
// pages, "Теорема Лежандра" and "Способ аддидаментов", one table each.

#include "frame/task_form.h"

namespace kvelta {

class TReshSTmForm : public TaskForm {
    Q_OBJECT
public:
    explicit TReshSTmForm(QWidget* parent = nullptr);

    ResultGrid* StringGrid1() const { return grid(QStringLiteral("StringGrid1")); }
    ResultGrid* StringGrid2() const { return grid(QStringLiteral("StringGrid2")); }
};

}  // namespace kvelta
