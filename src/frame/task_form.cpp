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
    : QWidget(parent),
      exercise_(exercise),
      panel_(nullptr),
      designSize_(exercise.window.width, exercise.window.height),
      inputs_(*this)
{
    setAttribute(Qt::WA_DeleteOnClose);  // closing a task window destroys it
    setObjectName(WindowObjectName(exercise.windowClass));
    setWindowTitle(exercise.caption);
    setFont(DesignFont());
    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("panel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel_);
    resize(designSize_);
    layOutPanel();
    addTables();
    exercise_.writeLabels(tables());
    // Enter in any edit presses "Вычислить".
    if (computeButton_)
        for (QLineEdit* e : panel_->findChildren<QLineEdit*>())
            connect(e, &QLineEdit::returnPressed, computeButton_, &QPushButton::click);
    setMinimumSize(inputsMinimumSize());
}

QString TaskForm::group() const { return edit(QStringLiteral("Edit1"))->text(); }
QString TaskForm::studentName() const { return edit(QStringLiteral("Edit2"))->text(); }

void TaskForm::compute() { exercise_.compute(inputs_, tables()); }

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
    auto* found = panel_->findChild<QLineEdit*>(name);
    if (!found)
        throw std::logic_error("no edit " + name.toStdString());
    return found;
}

ResultGrid* TaskForm::grid(const QString& name) const
{
    for (ResultGrid* g : grids_)
        if (g->objectName() == name)
            return g;
    return nullptr;
}

// The controls are made in the order of the layout, which is also the order Tab walks.
void TaskForm::layOutPanel()
{
    const WindowLayout& layout = exercise_.window;
    panel_->setFixedHeight(layout.panelHeight);
    if (layout.bevelledPanel) {
        panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel_->setLineWidth(2);
    }
    for (const PlacedControl& placed : layout.controls) {
        switch (placed.kind) {
        case PlacedControl::Kind::Caption:
        case PlacedControl::Kind::Mark:
            addLabel(placed);
            break;
        case PlacedControl::Kind::Edit:
            addEdit(placed);
            break;
        case PlacedControl::Kind::Button:
            addComputeButton(placed);
            break;
        }
    }
}

QLabel* TaskForm::addLabel(const PlacedControl& placed)
{
    auto* l = new QLabel(placed.text, panel_);
    l->move(placed.left, placed.top);
    if (placed.kind == PlacedControl::Kind::Caption) {
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
        l->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
    }
    l->adjustSize();
    if (placed.width > 0)
        l->resize(placed.width, l->height());
    return l;
}

QLineEdit* TaskForm::addEdit(const PlacedControl& placed)
{
    const EditField* field = exercise_.edit(placed.text);
    if (!field)
        throw std::logic_error("the exercise has no edit " + placed.text.toStdString());
    auto* e = new QLineEdit(ShownDefault(*field), panel_);
    e->setObjectName(field->name);
    e->setMaxLength(kEditMaxLength);
    e->setGeometry(placed.left, placed.top, placed.width, 21);
    e->setVisible(field->kind != EditKind::Unused);
    // The 41-pixel seconds edits were sized for the design face's 5-pixel digits. A seconds value
    // with four decimals must show whole, so the edits keep one pixel, not two, beside the frame
    // and, where the face is wider than that, draw their text narrower.
    e->setTextMargins(-1, 0, -1, 0);
    const QFont fitted = EditFont(e->font());
    if (fitted != e->font())
        e->setFont(fitted);
    return e;
}

QPushButton* TaskForm::addComputeButton(const PlacedControl& placed)
{
    computeButton_ = new QPushButton(QStringLiteral("Вычислить"), panel_);
    computeButton_->setObjectName(QStringLiteral("compute"));
    computeButton_->setGeometry(placed.left, placed.top, placed.width, 25);
    connect(computeButton_, &QPushButton::clicked, this, [this] { RunCommand(this, [this] { compute(); }); });
    return computeButton_;
}

void TaskForm::addTables()
{
    for (const TableLayout& design : exercise_.tables) {
        if (design.page.isEmpty()) {
            auto* grid = new ResultGrid(design, this);
            layout()->addWidget(grid);
            grids_.push_back(grid);
            continue;
        }
        if (!pages_) {
            pages_ = new QTabWidget(this);
            pages_->setObjectName(QStringLiteral("pages"));
            layout()->addWidget(pages_);
        }
        auto* page = new QWidget(pages_);  // a child from the start, so that it takes the window font
        page->setObjectName(QStringLiteral("page%1").arg(pages_->count() + 1));
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        auto* grid = new ResultGrid(design, page);
        pageLayout->addWidget(grid);
        pages_->addTab(page, design.page);
        grids_.push_back(grid);
    }
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
    for (const EditField& field : exercise_.edits)
        texts.emplace_back(field.name, edit(field.name)->text());
    return texts;
}

QSize TaskForm::inputsMinimumSize() const
{
    int right = 0;
    for (const QWidget* child : panel_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden())
            right = std::max(right, child->geometry().right() + 1);
    // The heading row and two value rows of the table, or the page tabs above them.
    constexpr int tableRows = 3 * 16 + 4;
    const int tabs = pages_ ? pages_->tabBar()->sizeHint().height() : 0;
    const int panelHeight = std::max(panel_->minimumHeight(), panel_->height());
    return {right + 8, panelHeight + tabs + tableRows};
}

void TaskForm::fillExample()
{
    const auto isStudentField = [](const QString& name) {
        return name == QLatin1String("Edit1") || name == QLatin1String("Edit2");
    };
    for (const EditField& field : exercise_.edits)
        if (!isStudentField(field.name))
            edit(field.name)->setText(ShownDefault(field));
    for (const auto& [name, text] : exercise_.shownExample())
        if (!isStudentField(name))
            edit(name)->setText(text);
}

QString TaskForm::EditInputs::text(const QString& editName) const { return form_.edit(editName)->text(); }

}  // namespace kvelta
