#include "instructor/given_data.h"

#include "frame/edit_names.h"

namespace kvelta {

std::vector<GivenValue> GivenData(const Exercise& exercise, const TypedTexts& typed)
{
    std::vector<GivenValue> given;
    for (const EditField& edit : exercise.edits) {
        if (edit.kind == EditKind::Unused || edit.name == QLatin1String("Edit1") || edit.name == QLatin1String("Edit2"))
            continue;
        for (const auto& [name, text] : typed)
            if (name == edit.name && !text.trimmed().isEmpty())
                given.push_back({EditShortName(edit), edit.label.simplified(), edit.meaning, text.trimmed()});
    }
    return given;
}

QStringList GivenDataLines(const Exercise& exercise, const TypedTexts& typed)
{
    QStringList lines;
    for (const GivenValue& given : GivenData(exercise, typed)) {
        const QString names = given.name.isEmpty() || given.name == given.label
                                  ? given.label
                                  : QStringLiteral("%1, %2").arg(given.label, given.name);
        lines << QStringLiteral("%1 (%2): %3").arg(given.meaning, names, given.text);
    }
    return lines;
}

TypedTexts SolvedTexts(const Exercise& exercise, const Inputs& edits)
{
    TypedTexts texts;
    for (const EditField& edit : exercise.edits)
        if (edit.kind != EditKind::Unused)
            texts.emplace_back(edit.name, edits.text(edit.name));
    return texts;
}

}  // namespace kvelta
