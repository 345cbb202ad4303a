#include "frame/task_form.h"

#include "frame/error_box.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

namespace kvelta {

namespace {

// The positions of the layout were chosen for "MS Sans Serif" at 11 pixels. Where that face is
// missing, a face of Arial's widths fits the same places; the usual fallback face is much wider
// (the name label would run under its edit and table texts would not fit their columns), so it is
// narrowed to about the width of the design face.
QFont DesignFont()
{
    QFont font;
    const QStringList designFamilies = {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                                        QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    font.setFamilies(designFamilies);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    if (!designFamilies.contains(QFontInfo(font).family(), Qt::CaseInsensitive))
        font.setStretch(QFont::SemiCondensed);
    return font;
}

// The window font narrowed, where needed, until a seconds value with four decimals fits a 41-pixel
// edit (its frame and one pixel each side taken off). Synthetic narrowing goes in coarse steps, so
// the stretch is found by trying; the answer is kept per font.
QFont EditFont(const QFont& font)
{
    constexpr int secondsRoom = 41 - 2 * 2 - 2 * 1;
    static QHash<QString, QFont> fitted;
    const QString key = font.key();
    if (const auto found = fitted.constFind(key); found != fitted.constEnd())
        return *found;
    QFont narrowed = font;
    int stretch = font.stretch() > 0 ? font.stretch() : 100;
    while (QFontMetrics(narrowed).horizontalAdvance(QStringLiteral("00,0000")) > secondsRoom && stretch > 50)
        narrowed.setStretch(--stretch);
    fitted.insert(key, narrowed);
    return narrowed;
}

}  // namespace

TaskForm::TaskForm(const Exercise& exercise, QWidget* parent)
    : QWidget(parent), exercise_(exercise), panel1_(nullptr), inputs_(*this)
{
    setAttribute(Qt::WA_DeleteOnClose);  // closing a task window destroys it
    // The designer names a form after its class, without the T.
    setObjectName(exercise.windowClass.mid(1));
    setWindowTitle(exercise.caption);
    setFont(DesignFont());
    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel1_);
}

QString TaskForm::group() const { return edit(QStringLiteral("Edit1"))->text(); }
QString TaskForm::studentName() const { return edit(QStringLiteral("Edit2"))->text(); }

void TaskForm::FormCreate() { exercise_.writeLabels(tables()); }

void TaskForm::Button1Click() { exercise_.compute(inputs_, tables()); }

ReportView TaskForm::reportView() const
{
    ReportView view{caption(), group(), studentName(), {}, activePage()};
    for (std::size_t i = 0; i < grids_.size(); ++i)
        view.tables.push_back({grids_[i]->objectName(), pages_ ? pages_->tabText(static_cast<int>(i)) : QString(),
                               &grids_[i]->table()});
    return view;
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

QLineEdit* TaskForm::addEdit(const QString& name, int left, int top, int width)
{
    const EditSpec* spec = exercise_.edit(name);
    if (!spec)
        throw std::logic_error("the exercise has no edit " + name.toStdString());
    auto* e = new QLineEdit(ShownDefault(*spec), panel1_);
    e->setObjectName(name);
    e->setMaxLength(kEditMaxLength);
    e->setGeometry(left, top, width, 21);
    e->setVisible(spec->kind != EditKind::Unused);
    // The 41-pixel seconds edits were sized for the design face's 5-pixel digits. A seconds value
    // with four decimals must show whole, so the edits keep one pixel, not two, beside the frame
    // and, where the face is wider than that, draw their text narrower.
    e->setTextMargins(-1, 0, -1, 0);
    const QFont fitted = EditFont(e->font());
    if (fitted != e->font())
        e->setFont(fitted);
    return e;
}

void TaskForm::addAngleTriple(const QStringList& editNames, const QStringList& markNames,
                              const QList<int>& editLefts, const QList<int>& markLefts, int top)
{
    static const QString marks[] = {QStringLiteral("o"), QStringLiteral("'"), QStringLiteral("\"")};
    for (int i = 0; i < 3; ++i) {
        addEdit(editNames[i], editLefts[i], top, 41);
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
    addEdit(QStringLiteral("Edit1"), 144, 8, 265);
    addLabel(QStringLiteral("Label2"), QStringLiteral("Фамилия Имя  Отчество"), 8, 35);
    addEdit(QStringLiteral("Edit2"), 144, 32, 265);
}

void TaskForm::addTables()
{
    for (const TableSpec& spec : exercise_.tables) {
        if (spec.page.isEmpty()) {
            auto* grid = new ResultGrid(spec, this);
            layout()->addWidget(grid);
            grids_.push_back(grid);
            continue;
        }
        if (!pages_) {
            pages_ = new QTabWidget(this);
            pages_->setObjectName(QStringLiteral("PageControl1"));
            layout()->addWidget(pages_);
        }
        auto* page = new QWidget(pages_);  // a child from the start, so that it takes the window font
        page->setObjectName(QStringLiteral("TabSheet%1").arg(pages_->count() + 1));
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        auto* grid = new ResultGrid(spec, page);
        pageLayout->addWidget(grid);
        pages_->addTab(page, spec.page);
        grids_.push_back(grid);
    }
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

void TaskForm::relabel(const QString& labelName, const QString& text)
{
    QLabel* l = label(labelName);
    l->setText(text);
    l->adjustSize();
}

TableSet TaskForm::tables()
{
    TableSet result;
    for (ResultGrid* g : grids_)
        result.push_back(&g->table());
    return result;
}

TypedTexts TaskForm::editTexts() const
{
    TypedTexts texts;
    for (const EditSpec& spec : exercise_.edits)
        texts.emplace_back(spec.name, edit(spec.name)->text());
    return texts;
}

void TaskForm::finishCreation()
{
    // Enter in any edit presses "Вычислить".
    if (button1_)
        for (QLineEdit* e : panel1_->findChildren<QLineEdit*>())
            connect(e, &QLineEdit::returnPressed, button1_, &QPushButton::click);
    setMinimumSize(inputsMinimumSize());
}

QSize TaskForm::inputsMinimumSize() const
{
    int right = 0;
    for (const QWidget* child : panel1_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden())
            right = std::max(right, child->geometry().right() + 1);
    // The heading row and two value rows of the table, or the page tabs above them.
    constexpr int tableRows = 3 * 16 + 4;
    const int tabs = pages_ ? pages_->tabBar()->sizeHint().height() : 0;
    const int panelHeight = std::max(panel1_->minimumHeight(), panel1_->height());
    return {right + 8, panelHeight + tabs + tableRows};
}

void TaskForm::fillExample()
{
    const auto isStudentField = [](const QString& name) {
        return name == QLatin1String("Edit1") || name == QLatin1String("Edit2");
    };
    for (const EditSpec& spec : exercise_.edits)
        if (!isStudentField(spec.name))
            edit(spec.name)->setText(ShownDefault(spec));
    for (const auto& [name, text] : exercise_.shownExample())
        if (!isStudentField(name))
            edit(name)->setText(text);
}

QString TaskForm::EditInputs::text(const QString& editName) const { return form_.edit(editName)->text(); }

}  // namespace kvelta
