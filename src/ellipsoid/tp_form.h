#pragma once
// The parallel-arc window: the base layout with the first angle triple relabelled "L" (the
// second keeps its "B2" label although it holds the latitude B) and a 4 × 10 table.

#include "ellipsoid/parallel_arc.h"
#include "ellipsoid/tm_form.h"

namespace kvelta {

class TPForm : public TMForm {
    Q_OBJECT
public:
    explicit TPForm(QWidget* parent = nullptr);

    void FormCreate() override;
    void Button1Click() override;

private:
    ParallelArcInputs inputs_;
};

}  // namespace kvelta
