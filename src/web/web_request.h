#pragma once
// What one request to kvelta-web asks for: an exercise, the texts typed into its edits, the decimal
// separator, the page of a window with pages, and what to do. Everything travels in the URL's query;
// nothing is kept between requests.

#include "frame/exercise.h"

#include <QString>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kvelta::web {

// The query as the HTTP library decoded it: names and values as bytes, in any order.
using QueryParameters = std::vector<std::pair<std::string, std::string>>;

// A request the server refuses: 400 with this text.
class BadRequest : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bounds of a query; a longer URL is refused by the HTTP library before it gets here.
inline constexpr std::size_t kMaxParameters = 64;
inline constexpr std::size_t kMaxValueBytes = 4096;

// The name of an edit's form field and URL parameter; the edit's own name is always accepted too.
QString FieldName(const EditField& edit);

enum class Action { Show, Compute, Example };
enum class ReportEncoding { Windows1251, Utf8 };

struct ExerciseRequest {
    const Exercise* exercise = nullptr;
    TypedTexts typed;  // in the exercise's edit order
    QChar separator = QLatin1Char(',');
    int activePage = 0;  // 0-based
    Action action = Action::Show;
    ReportEncoding encoding = ReportEncoding::Windows1251;
};

// Reads the query of a request for `exercise`; raises BadRequest for an unknown or repeated
// parameter, a text that is not UTF-8, too many or too long values, a separator other than "," or
// ".", a page the window does not have.
ExerciseRequest ReadExerciseRequest(const Exercise& exercise, const QueryParameters& query);

// The query that asks for the same inputs again (the edits typed, the separator, the page), with
// `extra` after it: "Edit3=21&sep=%2C".
QString QueryOf(const ExerciseRequest& request, const QString& extra = {});

// The worked example typed over the request's edits: the group and the name stay.
TypedTexts WithExample(const ExerciseRequest& request);

}  // namespace kvelta::web
