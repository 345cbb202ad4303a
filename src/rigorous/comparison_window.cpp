#include "rigorous/comparison_window.h"

#include "catalogue/solution.h"
#include "frame/error_box.h"
#include "frame/errors.h"
#include "frame/task_form.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvelta {

namespace {

const QStringList Headings = {QStringLiteral("Величина"), QStringLiteral("Учебное решение"),
                              QStringLiteral("Строгое решение"), QStringLiteral("Разность"),
                              QStringLiteral("На местности, м"), QStringLiteral("Примечание")};

QLabel* WrappedLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// The comparison of a window from its current edits, computed on tables of its own so that the
// window is not touched; or nothing, after the error box.
std::optional<Comparison> Compute(TaskForm& form)
{
    try {
        const Solution textbook = SolveExercise(form.exercise(), form.editTexts());
        std::optional<Comparison> c = CompareExercise(form.exercise(), textbook.edits, textbook.computed());
        if (!c)
            ShowErrorBox(&form, QStringLiteral("Для этого окна нет строгого решения"));
        else
            c->caption = form.caption();
        return c;
    } catch (const KveltaError& e) {
        ShowErrorBox(&form, e.text());
    } catch (const std::exception& e) {
        ShowErrorBox(&form, QString::fromLocal8Bit(e.what()));
    }
    return std::nullopt;
}

}  // namespace

RigorousComparisonWindow::RigorousComparisonWindow(TaskForm& form, Comparison comparison, QWidget* parent)
    : QDialog(parent), form_(&form)
{
    setObjectName(QStringLiteral("RigorousComparisonWindow"));
    setModal(false);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    heading_ = WrappedLabel(this);
    layout->addWidget(heading_);

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("ComparisonTable"));
    table_->setColumnCount(static_cast<int>(Headings.size()));
    table_->setHorizontalHeaderLabels(Headings);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setWordWrap(true);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    fault_ = WrappedLabel(this);
    fault_->setObjectName(QStringLiteral("TextbookFault"));
    layout->addWidget(fault_);
    note_ = WrappedLabel(this);
    note_->setObjectName(QStringLiteral("Note"));
    layout->addWidget(note_);
    ellipsoid_ = WrappedLabel(this);
    ellipsoid_->setObjectName(QStringLiteral("Ellipsoid"));
    layout->addWidget(ellipsoid_);

    auto* buttons = new QDialogButtonBox(this);
    recompute_ = buttons->addButton(QStringLiteral("Пересчитать"), QDialogButtonBox::ActionRole);
    recompute_->setObjectName(QStringLiteral("Recompute"));
    QPushButton* close = buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("Close"));
    connect(recompute_, &QPushButton::clicked, this, &RigorousComparisonWindow::recompute);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);

    // The exercise window may close first: then there is nothing to recompute from.
    connect(&form, &QObject::destroyed, recompute_, [this] { recompute_->setEnabled(false); });

    display(comparison);
    resize(900, 420);
}

void RigorousComparisonWindow::recompute()
{
    if (!form_)
        return;
    if (std::optional<Comparison> c = Compute(*form_))
        display(*c);
}

void RigorousComparisonWindow::display(const Comparison& comparison)
{
    comparison_ = comparison;
    setWindowTitle(QStringLiteral("Сравнение со строгим решением — %1").arg(comparison.caption));
    heading_->setText(QStringLiteral("<b>%1</b><br>Учебное решение — как его печатает таблица окна; "
                                     "разность — учебное минус строгое.")
                          .arg(comparison.caption.toHtmlEscaped()));
    table_->setRowCount(static_cast<int>(comparison.rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const ComparisonRow& row = comparison.rows[static_cast<std::size_t>(r)];
        const QStringList cells = {row.quantity, row.textbook, row.rigorous, row.difference, row.ground, row.reason};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 1 && c <= 4)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    fault_->setText(comparison.textbookFault.isEmpty()
                        ? QString()
                        : QStringLiteral("Учебное решение прервано: %1").arg(comparison.textbookFault));
    fault_->setVisible(!comparison.textbookFault.isEmpty());
    note_->setText(comparison.note);
    ellipsoid_->setText(comparison.ellipsoid);
}

RigorousComparisonWindow* CreateRigorousComparison(TaskForm& form, QWidget* parent)
{
    std::optional<Comparison> c = Compute(form);
    if (!c)
        return nullptr;
    auto* window = new RigorousComparisonWindow(form, std::move(*c), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

void ShowRigorousComparison(TaskForm& form, QWidget* parent)
{
    if (RigorousComparisonWindow* window = CreateRigorousComparison(form, parent)) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

}  // namespace kvelta
