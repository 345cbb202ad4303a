#pragma once
// The given data of a variant as a student is handed it: every edit's label, meaning and text,
// the group and the name apart.

#include "frame/exercise.h"

#include <QString>
#include <vector>

namespace kvelta {

struct GivenValue {
    QString label;    // beside the edit on screen: "B1 o"
    QString meaning;  // in words
    QString text;     // as typed
};

// In the exercise's edit order; the group (Edit1), the name (Edit2), unused edits and those left
// empty are not given data.
std::vector<GivenValue> GivenData(const Exercise& exercise, const TypedTexts& typed);

}  // namespace kvelta
