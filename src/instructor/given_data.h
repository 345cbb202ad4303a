#pragma once
// The given data of a variant as a student is handed it: every edit's label, meaning and text,
// the group and the name apart.

#include "frame/exercise.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kvelta {

struct GivenValue {
    QString name;     // as a person types it on the command line or in a file: "B1.deg", "s"
    QString label;    // beside the edit on screen: "B1 o"
    QString meaning;  // in words
    QString text;     // as typed
};

// In the exercise's edit order; the group (Edit1), the name (Edit2), unused edits and those left
// empty are not given data.
std::vector<GivenValue> GivenData(const Exercise& exercise, const TypedTexts& typed);

// The heading above the given data on a card and in a key.
inline const QString kGivenDataHeading = QStringLiteral("Исходные данные:");

// The given data one line an edit, as the cards and the keys print it:
// "градусы, B (B o, B.deg): 51"; an angle in its three edits, as a student types it.
QStringList GivenDataLines(const Exercise& exercise, const TypedTexts& typed);

// Every edit's text of a solved variant, the defaults it computed with included.
TypedTexts SolvedTexts(const Exercise& exercise, const Inputs& edits);

}  // namespace kvelta
