#include "app/help_window.h"

#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/edit_names.h"
#include "frame/exercise.h"

#include <QDesktopServices>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// Resources compiled into a static library are registered by hand, outside any namespace.
static void InitHelpResource() { Q_INIT_RESOURCE(help); }

namespace kvelta {

namespace {

const QString kContents = QStringLiteral("qrc:/help/index.html");

QString ResourceText(const QString& url)
{
    InitHelpResource();
    QFile file(QLatin1Char(':') + QUrl(url).path());
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<p>Страница справки не найдена: %1</p>").arg(url.toHtmlEscaped());
    return QString::fromUtf8(file.readAll());
}

QString Cell(const QString& text, bool heading = false)
{
    const char* tag = heading ? "th" : "td";
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
}

// The edits of the exercise: the name kvelta-solve and the variants files type it by, label on
// screen, what it holds, what a new window shows.
QString EditsSection(const Exercise& exercise)
{
    QString html = QStringLiteral("<h2>Исходные данные</h2><table border=\"1\" cellpadding=\"3\" cellspacing=\"0\"><tr>")
                   + Cell(QStringLiteral("Имя"), true) + Cell(QStringLiteral("Поле"), true)
                   + Cell(QStringLiteral("Значение"), true) + Cell(QStringLiteral("В новом окне"), true)
                   + QStringLiteral("</tr>");
    for (const EditField& edit : exercise.edits)
        if (edit.kind != EditKind::Unused)
            html += QStringLiteral("<tr>") + Cell(EditShortName(edit)) + Cell(edit.label) + Cell(edit.meaning)
                    + Cell(ShownDefault(edit)) + QStringLiteral("</tr>");
    return html + QStringLiteral("</table><p>В kvelta-solve и в файлах вариантов угол вводится одним значением "
                                 "под своим именем: B1=51°38′44,0822″, «B1=51 38 44.0822» или B1=51.6455.</p>");
}

// The worked example: the texts it types and every table as the window fills it.
QString ExampleSection(const Exercise& exercise)
{
    const TypedTexts typed = exercise.shownExample();
    const Solution solution = SolveExercise(exercise, typed);
    QString html = QStringLiteral("<h2>Пример из учебника</h2><p>");
    for (const auto& [name, text] : typed) {
        const EditField* edit = exercise.edit(name);
        html += (edit ? edit->label : name).toHtmlEscaped() + QStringLiteral(" = ") + text.toHtmlEscaped()
                + QStringLiteral("<br>");
    }
    html += QStringLiteral("Остальные поля — как в новом окне. «О программе → Пример из учебника» вводит эти "
                           "данные в активное окно.</p>");
    QStringList command{QStringLiteral("kvelta-solve"), exercise.name};
    TypedTexts given;  // every number edit, so that an angle shows whole
    for (const EditField& edit : exercise.edits)
        if (edit.kind == EditKind::Real || edit.kind == EditKind::Integer)
            given.emplace_back(edit.name, solution.edits.text(edit.name));
    for (const auto& [name, text] : NamedValues(exercise.edits, given))
        command << name + QLatin1Char('=') + text;
    html += QStringLiteral("<p>То же без окна: <code>%1</code></p>").arg(command.join(QLatin1Char(' ')).toHtmlEscaped());
    if (!solution.fault.isEmpty())
        html += QStringLiteral("<p>Ошибка: %1</p>").arg(solution.error().toHtmlEscaped());
    if (!exercise.results.empty()) {
        html += QStringLiteral("<p><b>Результаты:</b><br>");
        for (const ResultQuantity& result : exercise.results) {
            const ResultTable& table = solution.tables[static_cast<std::size_t>(result.table)];
            html += result.name.toHtmlEscaped() + QStringLiteral(" = ")
                    + table.cell(result.column, result.row).toHtmlEscaped() + QLatin1Char(' ')
                    + result.unit.toHtmlEscaped() + QStringLiteral("<br>");
        }
        html += QStringLiteral("</p>");
    }
    for (std::size_t i = 0; i < solution.tables.size(); ++i) {
        const ResultTable& table = solution.tables[i];
        const QString& page = exercise.tables[i].page;
        html += QStringLiteral("<h3>%1</h3>")
                    .arg(page.isEmpty() ? QStringLiteral("Таблица решения")
                                        : QStringLiteral("Вкладка «%1»").arg(page.toHtmlEscaped()));
        html += QStringLiteral("<table border=\"1\" cellpadding=\"2\" cellspacing=\"0\">");
        for (int row = 0; row < table.rowCount(); ++row) {
            html += QStringLiteral("<tr>");
            for (int column = 0; column < table.columnCount(); ++column)
                html += Cell(table.cell(column, row), row == 0);
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table>");
    }
    return html;
}

// The contents' list of exercises, from the catalogue in menu order, each under its page's title.
QString ExerciseList()
{
    QString html = QStringLiteral("<ul>\n");
    for (const Exercise* exercise : Catalogue()) {
        const QString page = ResourceText(exercise->help);
        const qsizetype start = page.indexOf(QStringLiteral("<title>")), end = page.indexOf(QStringLiteral("</title>"));
        const QString title = start >= 0 && end > start ? page.mid(start + 7, end - start - 7) : exercise->caption.toHtmlEscaped();
        html += QStringLiteral("<li><a href=\"%1\">%2</a></li>\n").arg(exercise->help.toHtmlEscaped(), title);
    }
    return html + QStringLiteral("</ul>");
}

}  // namespace

QString HelpPageHtml(const Exercise* exercise)
{
    if (!exercise)
        return ResourceText(kContents).replace(QRegularExpression(QStringLiteral("<!-- exercises:[^>]*-->")), ExerciseList());
    QString page = ResourceText(exercise->help);
    const QString generated = EditsSection(*exercise) + ExampleSection(*exercise)
                              + QStringLiteral("<p><a href=\"%1\">Содержание справки</a></p>").arg(kContents);
    const qsizetype end = page.lastIndexOf(QStringLiteral("</body>"));
    return end < 0 ? page + generated : page.insert(end, generated);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Справка"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    // Links are followed here: an exercise's page is put together, not merely loaded.
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(720, 600);
}

void HelpWindow::showPage(const Exercise* exercise)
{
    shown_ = exercise;
    browser_->setHtml(HelpPageHtml(exercise));
    setWindowTitle(exercise ? QStringLiteral("Справка — %1").arg(exercise->caption) : QStringLiteral("Справка"));
    show();
    raise();
    activateWindow();
}

void HelpWindow::follow(const QUrl& url)
{
    if (url.scheme() != QLatin1String("qrc")) {
        QDesktopServices::openUrl(url);
        return;
    }
    const QString address = url.toString(QUrl::RemoveFragment);
    for (const Exercise* exercise : Catalogue())
        if (exercise->help == address) {
            showPage(exercise);
            return;
        }
    showPage(nullptr);
}

}  // namespace kvelta
