#include "web/site.h"

#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/errors.h"
#include "frame/numbers.h"
#include "reports/text_report.h"
#include "reports/word_report.h"
#include "instructor/outputs.h"
#include "web/pages.h"


namespace kvelta::web {

namespace {

Reply Page(QByteArray body, int status = 200) { return {status, "text/html; charset=utf-8", std::move(body), {}, {}}; }

Reply Message(int status, const QString& title, const QString& text) { return Page(MessagePage(title, text), status); }

// Reads the texts as "Вычислить" does, remembering the edit it read last.
class RecordingInputs : public Inputs {
public:
    explicit RecordingInputs(const Solution& solution) : Inputs(solution.exercise->edits), texts_(solution.edits) {}
    QString text(const QString& editName) const override
    {
        last = editName;
        return texts_.text(editName);
    }
    mutable QString last;

private:
    const EditTexts& texts_;
};

Reply Static(const std::string& name)
{
    static const std::pair<const char*, const char*> files[] = {{"style.css", "text/css; charset=utf-8"}};
    for (const auto& [file, type] : files)
        if (name == file)
            if (std::optional<QByteArray> bytes = ResourceBytes(QStringLiteral(":/web/") + QLatin1String(file)))
                return {200, type, *bytes, {}, {}, true};
    return Message(404, QStringLiteral("Нет такой страницы"), QStringLiteral("Такого файла у программы нет."));
}

Reply Download(const ExerciseRequest& request, const std::string& kind, PdfWriterFunction pdfWriter)
{
    const Solution solution = SolveExercise(*request.exercise, request.typed, request.activePage);
    const ReportView view = solution.view();
    const ReportLayout layout = request.exercise->report;
    const QByteArray base = request.exercise->name.toUtf8();
    if (kind == "report.txt") {
        const QByteArray bytes = TextReportBytes(view, layout);
        if (request.encoding == ReportEncoding::Utf8)
            return {200, "text/plain; charset=utf-8", ToUtf8Lines(bytes), {}, base + ".txt"};
        return {200, "text/plain; charset=windows-1251", bytes, {}, base + ".txt"};
    }
    if (kind == "report.docx")
        return {200, "application/vnd.openxmlformats-officedocument.wordprocessingml.document", BuildDocx(view, layout), {},
                base + ".docx"};
    if (!pdfWriter)
        return Message(503, QStringLiteral("PDF недоступен"), QStringLiteral("Сервер не может рисовать PDF-файлы."));
    const WordDocument document = BuildReportDocument(view, layout);
    return {200, "application/pdf", pdfWriter({&document, 1}, view.caption), {}, base + ".pdf"};
}

Reply ExerciseAnswer(const Exercise& exercise, const std::string& rest, const QueryParameters& query,
                     PdfWriterFunction pdfWriter)
{
    if (rest == "help")
        return Page(HelpPage(&exercise));
    ExerciseRequest request = ReadExerciseRequest(exercise, query);
    ThreadDecimalSeparator separator(request.separator);
    if (rest.empty()) {
        if (request.action == Action::Example) {
            request.typed = WithExample(request);
            return {303, "text/plain; charset=utf-8", {}, ('/' + exercise.name + '?' + QueryOf(request)).toUtf8(), {}};
        }
        if (request.action == Action::Show)
            return Page(ExercisePage(request, nullptr, {}));
        const Solution solution = SolveExercise(exercise, request.typed, request.activePage);
        return Page(ExercisePage(request, &solution, FailedEdit(solution)));
    }
    if (rest == "rigorous")
        return Page(ComparisonPage(request, SolveExercise(exercise, request.typed, request.activePage)));
    if (rest == "report.txt" || rest == "report.docx" || rest == "report.pdf")
        return Download(request, rest, pdfWriter);
    return Message(404, QStringLiteral("Нет такой страницы"), QStringLiteral("У задания нет такой страницы."));
}

Reply Route(const std::string& path, const QueryParameters& query, PdfWriterFunction pdfWriter)
{
    if (path == "/")
        return Page(IndexPage());
    if (path == "/help")
        return Page(HelpPage(nullptr));
    if (path.rfind("/static/", 0) == 0)
        return Static(path.substr(8));
    if (path.size() < 2 || path.front() != '/')
        return Message(400, QStringLiteral("Неверный запрос"), QStringLiteral("Адрес страницы начинается с «/»."));
    const std::size_t slash = path.find('/', 1);
    const std::string name = path.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
    const std::string rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    const Exercise* exercise = nullptr;
    for (const Exercise* candidate : Catalogue())
        if (candidate->name.toUtf8() == QByteArrayView(name.data(), static_cast<qsizetype>(name.size())))
            exercise = candidate;
    if (!exercise)
        return Message(404, QStringLiteral("Нет такой страницы"), QStringLiteral("Такого задания нет."));
    return ExerciseAnswer(*exercise, rest, query, pdfWriter);
}

}  // namespace

QString FailedEdit(const Solution& solution)
{
    if (solution.fault.isEmpty())
        return {};
    ExerciseTables scratch(*solution.exercise);
    RecordingInputs inputs(solution);
    try {
        solution.exercise->compute(inputs, scratch.set());
    } catch (const ConversionError&) {
        return inputs.last;
    } catch (const std::exception&) {
    }
    return {};
}

Reply Answer(const std::string& method, const std::string& path, const QueryParameters& query,
             PdfWriterFunction pdfWriter)
{
    if (method != "GET" && method != "HEAD")
        return Message(405, QStringLiteral("Метод не поддерживается"), QStringLiteral("Страницы открываются запросом GET."));
    try {
        return Route(path, query, pdfWriter);
    } catch (const BadRequest& error) {
        return Message(400, QStringLiteral("Неверный запрос"), QString::fromUtf8(error.what()));
    } catch (const KveltaError& error) {
        return Message(500, QStringLiteral("Не удалось"), ErrorBoxText(error.text()));
    }
}

}  // namespace kvelta::web
