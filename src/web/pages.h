#pragma once
// The pages of kvelta-web, generated from the catalogue: the menu of exercises, an exercise's window
// as a form with its tables, the comparison with the rigorous solution, the help pages. Every text
// that comes from a user is escaped.

#include "catalogue/solution.h"
#include "web/web_request.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace kvelta::web {

// Registers the program's resources (pages of the manual, the style sheet); once, before serving.
void InitResources();
// A resource of the program (":/web/style.css"); nothing when there is none.
std::optional<QByteArray> ResourceBytes(const QString& path);

// "/": the «Создать» menu as grouped links.
QByteArray IndexPage();

// "/<exercise>": the form with the request's texts; with a solution, its error and every table.
QByteArray ExercisePage(const ExerciseRequest& request, const Solution* solution, const QString& failedEdit);

// "/<exercise>/rigorous": each final result beside the rigorous one.
QByteArray ComparisonPage(const ExerciseRequest& request, const Solution& solution);

// "/help" and "/<exercise>/help": the manual's page, with the exercise's edits.
QByteArray HelpPage(const Exercise* exercise);

// A page that says why a request was refused or not found.
QByteArray MessagePage(const QString& title, const QString& text);

}  // namespace kvelta::web
