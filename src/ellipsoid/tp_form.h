#pragma once
// The parallel-arc window: the base layout with the first angle triple relabelled "L" (the
// second keeps its "B2" label although it holds the latitude B).

#include "ellipsoid/tm_form.h"

namespace kvelta {

class TPForm : public TMForm {
    Q_OBJECT
public:
    explicit TPForm(QWidget* parent = nullptr);
};

}  // namespace kvelta
