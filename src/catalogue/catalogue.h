#pragma once
// The one list of the program's exercises, in the order of the "Создать" menu. Adding an
// exercise is its computation and its description (which lays out its window too), plus one line
// here.

#include "frame/exercise.h"

#include <QString>
#include <vector>

namespace kvelta {

const std::vector<const Exercise*>& Catalogue();

// By command-line name ("meridian-arc"), window class ("TMForm") or menu item ("N7");
// nullptr when there is none.
const Exercise* FindExercise(const QString& name);
const Exercise* FindExerciseByClass(const QString& windowClass);
const Exercise* FindExerciseByMenuItem(const QString& itemName);

}  // namespace kvelta
