#include "web/pages.h"

#include "catalogue/catalogue.h"
#include "frame/numbers.h"

#include <QFile>
#include <QRegularExpression>

// Resources compiled into a static library are registered by hand, outside any namespace.
static void InitWebResources()
{
    Q_INIT_RESOURCE(help);
    Q_INIT_RESOURCE(web);
}

namespace kvelta::web {

namespace {

QString Escape(const QString& text) { return text.toHtmlEscaped(); }

QString Head(const QString& title)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\">"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                          "<title>%1</title><link rel=\"stylesheet\" href=\"/static/style.css\"></head><body>\n"
                          "<header><a href=\"/\">Kvelta</a><a href=\"/help\">Справка</a></header>\n<main>\n")
        .arg(Escape(title));
}

QByteArray Finish(QString html) { return (html + QStringLiteral("</main></body></html>\n")).toUtf8(); }

// The angle an edit belongs to ("B1" of "B1 o") and the mark of its part; the whole label and no
// mark for an edit that is no part of an angle.
std::pair<QString, QString> AnglePart(const EditField& edit)
{
    static const std::pair<const char*, const char*> marks[] = {{" o", "°"}, {" '", "′"}, {" \"", "″"}};
    for (const auto& [suffix, mark] : marks)
        if (edit.label.endsWith(QLatin1String(suffix)))
            return {edit.label.chopped(2), QString::fromUtf8(mark)};
    return {edit.label, {}};
}

QString Input(const EditField& edit, const QString& text, bool failed)
{
    // One arg() call for every text: a text that holds "%1" is not taken for a place holder.
    const bool number = edit.kind == EditKind::Real || edit.kind == EditKind::Integer;
    QStringList classes;
    if (number)
        classes << QStringLiteral("number");
    if (failed)
        classes << QStringLiteral("failed");
    return QStringLiteral("<input type=\"text\" id=\"f-%1\" name=\"%2\" value=\"%3\" class=\"%4\"%5 maxlength=\"%6\" title=\"%7\"%8>")
        .arg(edit.name, Escape(FieldName(edit)), Escape(text), classes.join(QLatin1Char(' ')),
             number ? QStringLiteral(" inputmode=\"decimal\"") : QString(), QString::number(kMaxValueBytes / 4),
             Escape(edit.meaning), failed ? QStringLiteral(" aria-invalid=\"true\" autofocus") : QString());
}

// The edits, each on a line with its label; an angle's three on one line under the angle's name.
QString EditRows(const ExerciseRequest& request, const EditTexts& texts, const QString& failedEdit)
{
    QString html;
    QString openAngle;  // the angle whose line is open; null when none is
    for (const EditField& edit : request.exercise->edits) {
        if (edit.kind == EditKind::Unused)
            continue;
        const auto [angle, mark] = AnglePart(edit);
        const bool failed = edit.name == failedEdit;
        if (mark.isEmpty() || angle != openAngle) {
            if (!openAngle.isNull())
                html += QStringLiteral("</div>\n");
            openAngle = QString();
        }
        if (mark.isEmpty()) {
            html += QStringLiteral("<div class=\"row\"><label class=\"name\" for=\"f-%1\">%2</label>%3</div>\n")
                        .arg(edit.name, Escape(edit.label), Input(edit, texts.text(edit.name), failed));
            continue;
        }
        if (openAngle.isNull()) {
            openAngle = angle;
            html += QStringLiteral("<div class=\"row\" role=\"group\" aria-label=\"%1\"><span class=\"name\">%1</span>")
                        .arg(Escape(angle));
        }
        html += QStringLiteral("<span class=\"part\">%1<label for=\"f-%2\" aria-label=\"%3\">%4</label></span>")
                    .arg(Input(edit, texts.text(edit.name), failed), edit.name, Escape(edit.label), mark);
    }
    if (!openAngle.isNull())
        html += QStringLiteral("</div>\n");
    return html;
}

QString SeparatorChoice(QChar separator)
{
    QString html = QStringLiteral("<fieldset class=\"separator\"><legend>Десятичный разделитель</legend>");
    for (const auto& [value, text] : {std::pair{QLatin1Char(','), "запятая: 3,14"}, std::pair{QLatin1Char('.'), "точка: 3.14"}})
        html += QStringLiteral("<label><input type=\"radio\" name=\"sep\" value=\"%1\"%2> %3</label>")
                    .arg(QString(QChar(value)), separator == value ? QStringLiteral(" checked") : QString(), QString::fromUtf8(text));
    return html + QStringLiteral("</fieldset>\n");
}

QString PageChoice(const ExerciseRequest& request)
{
    if (!request.exercise->hasPages())
        return {};
    QString html = QStringLiteral("<p><label for=\"f-page\">Вкладка для отчёта</label> <select id=\"f-page\" name=\"page\">");
    for (std::size_t i = 0; i < request.exercise->tables.size(); ++i)
        html += QStringLiteral("<option value=\"%1\"%2>%3</option>")
                    .arg(i + 1)
                    .arg(static_cast<int>(i) == request.activePage ? QStringLiteral(" selected") : QString(),
                         Escape(request.exercise->tables[i].page));
    return html + QStringLiteral("</select></p>\n");
}

QString Form(const ExerciseRequest& request, const EditTexts& texts, const QString& failedEdit)
{
    const QString path = QLatin1Char('/') + request.exercise->name;
    return QStringLiteral("<form method=\"get\" action=\"%1\">\n").arg(path) + EditRows(request, texts, failedEdit)
           + SeparatorChoice(request.separator) + PageChoice(request)
           + QStringLiteral("<p class=\"buttons\"><button type=\"submit\" name=\"do\" value=\"compute\">Вычислить</button>"
                            "<button type=\"submit\" name=\"do\" value=\"example\">Пример из учебника</button>"
                            "<a href=\"%1/help\">Справка</a></p>\n</form>\n")
                 .arg(path);
}

QString Table(const QString& name, const ResultTable& table)
{
    QStringList columns;
    for (int column : table.columnsInUse())
        columns << QString::number(column);
    QString html = QStringLiteral("<div class=\"scroll\"><table class=\"grid\" data-name=\"%1\" data-cols=\"%2\">")
                       .arg(Escape(name), columns.join(QLatin1Char(',')));
    for (int row : table.rowsInUse()) {
        html += QStringLiteral("<tr data-r=\"%1\">").arg(row);
        const char* tag = row == 0 ? "th" : "td";
        for (int column : table.columnsInUse())
            html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), Escape(table.cell(column, row)));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table></div>\n");
}

QString Downloads(const ExerciseRequest& request)
{
    const QString base = QLatin1Char('/') + request.exercise->name;
    const QString query = QueryOf(request).toHtmlEscaped();
    return QStringLiteral("<p class=\"downloads\">Отчёт: <a href=\"%1/report.txt?%2&amp;enc=windows-1251\" download>текст "
                          "Windows-1251</a> <a href=\"%1/report.txt?%2&amp;enc=utf-8\" download>текст UTF-8</a> "
                          "<a href=\"%1/report.docx?%2\" download>.docx</a> <a href=\"%1/report.pdf?%2\" "
                          "download>PDF</a></p>\n")
               .arg(base, query)
           + (request.exercise->comparison.solve
                  ? QStringLiteral("<p><a href=\"%1/rigorous?%2\">Сравнить со строгим решением</a></p>\n").arg(base, query)
                  : QString());
}

QString Solved(const ExerciseRequest& request, const Solution& solution)
{
    QString html;
    if (!solution.fault.isEmpty())
        html += QStringLiteral("<p class=\"error\" role=\"alert\" id=\"error\">%1</p>\n").arg(Escape(solution.error()));
    html += Downloads(request);
    for (std::size_t i = 0; i < solution.tables.size(); ++i) {
        const QString& page = request.exercise->tables[i].page;
        if (!page.isEmpty())
            html += QStringLiteral("<h2>%1</h2>\n").arg(Escape(page));
        html += Table(request.exercise->tables[i].name, solution.tables[i]);
    }
    return html;
}

QString ResourceText(const QString& path) { return QString::fromUtf8(ResourceBytes(path).value_or(QByteArray())); }

// The body of a manual page, its links to other pages made links of this site.
QString HelpBody(const QString& resource)
{
    QString page = ResourceText(resource);
    const qsizetype start = page.indexOf(QStringLiteral("<body>"));
    const qsizetype end = page.lastIndexOf(QStringLiteral("</body>"));
    if (start >= 0 && end > start)
        page = page.mid(start + 6, end - start - 6);
    static const QRegularExpression link(QStringLiteral("href=\"qrc:/help/([a-z0-9-]+)\\.html\""));
    page.replace(link, QStringLiteral("href=\"/\\1/help\""));
    return page.replace(QStringLiteral("href=\"/index/help\""), QStringLiteral("href=\"/help\""));
}

QString EditsSection(const Exercise& exercise)
{
    QString html = QStringLiteral("<h2>Исходные данные</h2><div class=\"scroll\"><table class=\"grid\"><tr><th>Поле</th>"
                                  "<th>Значение</th><th>В новом окне</th></tr>");
    for (const EditField& edit : exercise.edits)
        if (edit.kind != EditKind::Unused)
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                        .arg(Escape(edit.label), Escape(edit.meaning), Escape(edit.defaultText));
    return html + QStringLiteral("</table></div>\n<p><a href=\"/%1?do=example\">Пример из учебника</a> · "
                                 "<a href=\"/%1\">К заданию</a></p>\n")
                      .arg(exercise.name);
}

}  // namespace

void InitResources() { InitWebResources(); }

std::optional<QByteArray> ResourceBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QByteArray IndexPage()
{
    QString html = Head(QStringLiteral("Kvelta")) + QStringLiteral(
        "<h1>Kvelta</h1>\n<p>Вычислительные задания курса высшей геодезии: введите исходные данные, нажмите "
        "«Вычислить» — и получите всё решение, каждую промежуточную величину в таблице, с отчётом в тексте, .docx "
        "и PDF.</p>\n<h2>Создать</h2>\n<ul class=\"menu\">\n");
    QString submenu;
    for (const Exercise* exercise : Catalogue()) {
        if (exercise->menu.submenuText != submenu) {
            if (!submenu.isEmpty())
                html += QStringLiteral("</ul></li>\n");
            submenu = exercise->menu.submenuText;
            if (!submenu.isEmpty())
                html += QStringLiteral("<li>%1<ul>\n").arg(Escape(submenu));
        }
        html += QStringLiteral("<li><a href=\"/%1\">%2</a></li>\n").arg(exercise->name, Escape(exercise->menu.itemText));
    }
    if (!submenu.isEmpty())
        html += QStringLiteral("</ul></li>\n");
    return Finish(html + QStringLiteral("</ul>\n"));
}

QByteArray ExercisePage(const ExerciseRequest& request, const Solution* solution, const QString& failedEdit)
{
    ThreadDecimalSeparator separator(request.separator);
    const Exercise& exercise = *request.exercise;
    QString html = Head(exercise.caption) + QStringLiteral("<h1>%1</h1>\n").arg(Escape(exercise.caption));
    html += Form(request, solution ? solution->edits : EditTexts(exercise, request.typed), failedEdit);
    if (solution)
        html += Solved(request, *solution);
    return Finish(html);
}

QByteArray ComparisonPage(const ExerciseRequest& request, const Solution& solution)
{
    ThreadDecimalSeparator separator(request.separator);
    const Exercise& exercise = *request.exercise;
    QString html = Head(QStringLiteral("Сравнение со строгим решением — %1").arg(exercise.caption))
                   + QStringLiteral("<h1>Сравнение со строгим решением</h1>\n<p><b>%1</b><br>Учебное решение — как его "
                                    "печатает таблица окна; разность — учебное минус строгое.</p>\n")
                         .arg(Escape(exercise.caption));
    const std::optional<Comparison> comparison = CompareSolution(solution);
    if (!comparison) {
        html += QStringLiteral("<p class=\"error\" role=\"alert\" id=\"error\">%1</p>\n")
                    .arg(Escape(solution.fault.isEmpty() ? QStringLiteral("Для этого окна нет строгого решения.")
                                                         : solution.error()));
    } else {
        html += QStringLiteral("<div class=\"scroll\"><table class=\"grid\" id=\"comparison\"><tr><th>Величина</th>"
                               "<th>Учебное решение</th><th>Строгое решение</th><th>Разность</th><th>На местности, м</th>"
                               "<th>Примечание</th></tr>");
        for (const ComparisonRow& row : comparison->rows)
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td><td>%6</td></tr>")
                        .arg(Escape(row.quantity), Escape(row.textbook), Escape(row.rigorous), Escape(row.difference),
                             Escape(row.ground), Escape(row.reason));
        html += QStringLiteral("</table></div>\n");
        if (!comparison->textbookFault.isEmpty())
            html += QStringLiteral("<p class=\"error\">Учебное решение прервано: %1</p>\n").arg(Escape(comparison->textbookFault));
        html += QStringLiteral("<p>%1</p>\n<p>%2</p>\n").arg(Escape(comparison->note), Escape(comparison->ellipsoid));
    }
    html += QStringLiteral("<p><a href=\"/%1?%2\">К заданию</a></p>\n")
                .arg(exercise.name, QueryOf(request, QStringLiteral("do=compute")).toHtmlEscaped());
    return Finish(html);
}

QByteArray HelpPage(const Exercise* exercise)
{
    if (!exercise) {
        // The contents name the exercises of the catalogue where the manual leaves their place.
        QString list = QStringLiteral("<ul>\n");
        for (const Exercise* listed : Catalogue())
            list += QStringLiteral("<li><a href=\"/%1/help\">%2</a></li>\n").arg(listed->name, Escape(listed->caption));
        static const QRegularExpression place(QStringLiteral("<!-- exercises:[^>]*-->"));
        return Finish(Head(QStringLiteral("Справка — Kvelta"))
                      + HelpBody(QStringLiteral(":/help/index.html")).replace(place, list + QStringLiteral("</ul>")));
    }
    const QString resource = QLatin1Char(':') + QString(exercise->help).remove(QStringLiteral("qrc:"));
    return Finish(Head(QStringLiteral("Справка — %1").arg(exercise->caption)) + HelpBody(resource)
                  + EditsSection(*exercise));
}

QByteArray MessagePage(const QString& title, const QString& text)
{
    return Finish(Head(title) + QStringLiteral("<h1>%1</h1>\n<p>%2</p>\n<p><a href=\"/\">К списку заданий</a></p>\n")
                                    .arg(Escape(title), Escape(text)));
}

}  // namespace kvelta::web
