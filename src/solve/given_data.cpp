#include "solve/given_data.h"

namespace kvelta {

std::vector<GivenValue> GivenData(const Exercise& exercise, const TypedTexts& typed)
{
    std::vector<GivenValue> given;
    for (const EditSpec& edit : exercise.edits) {
        if (edit.kind == EditKind::Unused || edit.name == QLatin1String("Edit1") || edit.name == QLatin1String("Edit2"))
            continue;
        for (const auto& [name, text] : typed)
            if (name == edit.name && !text.trimmed().isEmpty())
                given.push_back({edit.label.simplified(), edit.meaning, text.trimmed()});
    }
    return given;
}

}  // namespace kvelta
