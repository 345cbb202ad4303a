#include "frame/task_form.h"

#include "frame/error_box.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <stdexcept>

namespace kvelta {

TaskForm::TaskForm(QWidget* parent) : QWidget(parent), panel1_(nullptr), inputs_(*this)
{
    setAttribute(Qt::WA_DeleteOnClose);  // closing a task window destroys it
    // The layout is designed for an 8-point (11-pixel) sans-serif face.
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);
    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel1_);
}

QString TaskForm::group() const { return edit(QStringLiteral("Edit1"))->text(); }
QString TaskForm::studentName() const { return edit(QStringLiteral("Edit2"))->text(); }

std::vector<ReportTable> TaskForm::reportTables() const
{
    std::vector<ReportTable> result;
    for (std::size_t i = 0; i < grids_.size(); ++i)
        result.push_back({grids_[i]->objectName(),
                          pages_ ? pages_->tabText(static_cast<int>(i)) : QString(), &grids_[i]->table()});
    return result;
}

int TaskForm::activePage() const { return pages_ ? pages_->currentIndex() : -1; }

QLineEdit* TaskForm::edit(const QString& name) const
{
    auto* found = panel1_->findChild<QLineEdit*>(name);
    if (!found)
        throw std::logic_error("no edit " + name.toStdString());
    return found;
}

QLabel* TaskForm::label(const QString& name) const { return panel1_->findChild<QLabel*>(name); }

ResultGrid* TaskForm::grid(const QString& name) const
{
    for (ResultGrid* g : grids_)
        if (g->objectName() == name)
            return g;
    return nullptr;
}

void TaskForm::setPanelHeight(int height) { panel1_->setFixedHeight(height); }

void TaskForm::setPanelBevelled()
{
    panel1_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel1_->setLineWidth(2);
}

QLabel* TaskForm::addLabel(const QString& name, const QString& text, int left, int top, LabelStyle style)
{
    auto* l = new QLabel(text, panel1_);
    l->setObjectName(name);
    l->move(left, top);
    if (style == LabelStyle::BoldMaroon) {
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
        l->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
    }
    l->adjustSize();
    return l;
}

QLineEdit* TaskForm::addEdit(const QString& name, int left, int top, int width, const QString& text)
{
    auto* e = new QLineEdit(text, panel1_);
    e->setObjectName(name);
    e->setGeometry(left, top, width, 21);
    return e;
}

void TaskForm::addAngleTriple(const QStringList& editNames, const QStringList& markNames,
                              const QList<int>& editLefts, const QList<int>& markLefts, int top)
{
    static const QString marks[] = {QStringLiteral("o"), QStringLiteral("'"), QStringLiteral("\"")};
    for (int i = 0; i < 3; ++i) {
        addEdit(editNames[i], editLefts[i], top, 41, QStringLiteral("0"));
        addLabel(markNames[i], marks[i], markLefts[i], i == 0 ? top - 1 : top);
    }
}

QPushButton* TaskForm::addButton1(int left, int top)
{
    button1_ = new QPushButton(QStringLiteral("Вычислить"), panel1_);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(left, top, 75, 25);
    connect(button1_, &QPushButton::clicked, this, [this] { RunCommand(this, [this] { Button1Click(); }); });
    return button1_;
}

void TaskForm::addStudentFields()
{
    addLabel(QStringLiteral("Label1"), QStringLiteral("Ст. гр."), 8, 10);
    addEdit(QStringLiteral("Edit1"), 144, 8, 265, QString());
    addLabel(QStringLiteral("Label2"), QStringLiteral("Фамилия Имя  Отчество"), 8, 35);
    addEdit(QStringLiteral("Edit2"), 144, 32, 265, QString());
}

ResultGrid* TaskForm::addGrid(const QString& name, int columns, int rows, const std::vector<int>& widths,
                              int defaultWidth)
{
    auto* g = new ResultGrid(name, columns, rows, widths, this, defaultWidth);
    layout()->addWidget(g);
    grids_.push_back(g);
    return g;
}

ResultGrid* TaskForm::addPage(const QString& caption, const QString& gridName, int columns, int rows,
                              const std::vector<int>& widths, int defaultWidth)
{
    if (!pages_) {
        pages_ = new QTabWidget(this);
        pages_->setObjectName(QStringLiteral("PageControl1"));
        layout()->addWidget(pages_);
    }
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet%1").arg(pages_->count() + 1));
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto* g = new ResultGrid(gridName, columns, rows, widths, page, defaultWidth);
    pageLayout->addWidget(g);
    pages_->addTab(page, caption);
    grids_.push_back(g);
    return g;
}

void TaskForm::setTabOrder(const QStringList& names)
{
    QWidget* previous = nullptr;
    for (const QString& name : names) {
        QWidget* w = panel1_->findChild<QWidget*>(name);
        if (!w)
            throw std::logic_error("no control " + name.toStdString());
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QString TaskForm::LocalDecimal(QString designText)
{
    return designText.replace(QLatin1Char(','), DecimalSeparator());
}

std::vector<ResultTable*> TaskForm::tables()
{
    std::vector<ResultTable*> result;
    for (ResultGrid* g : grids_)
        result.push_back(&g->table());
    return result;
}

void TaskForm::compute(const std::function<void()>& body) { RunComputation(tables(), body); }

QString TaskForm::EditInputs::text(const QString& editName) const { return form_.edit(editName)->text(); }

}  // namespace kvelta
