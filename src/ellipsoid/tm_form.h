#pragma once
// The meridian-arc window, and the base layout of the windows derived from it: the student
// fields, two angle triples B1 and B2, "Вычислить" and a four-column result table.

#include "ellipsoid/meridian_arc.h"
#include "frame/task_form.h"

namespace kvelta {

class TMForm : public TaskForm {
    Q_OBJECT
public:
    explicit TMForm(QWidget* parent = nullptr);

    void FormCreate() override;
    void Button1Click() override;

    ResultGrid* StringGrid1() const { return grid(QStringLiteral("StringGrid1")); }

protected:
    // Derived windows change the size of the base table before their FormCreate runs.
    void resizeStringGrid1(int columns, int rows, const std::vector<int>& widths);
    // Derived windows give a base label another caption.
    void relabel(const QString& labelName, const QString& text);

private:
    MeridianArcLatitudes latitudes_;
};

}  // namespace kvelta
