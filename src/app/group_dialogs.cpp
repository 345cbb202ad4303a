#include "app/group_dialogs.h"

#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/error_box.h"
#include "frame/errors.h"
#include "render/document_painter.h"
#include "reports/report_file.h"
#include "instructor/batch.h"
#include "instructor/csv.h"
#include "instructor/table_files.h"
#include "instructor/instructor.h"
#include "instructor/spreadsheet.h"
#include "instructor/task_cards.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>
#include <cmath>
#include <functional>
#include <map>

namespace kvelta {
namespace {

// The exercises a list offers: those with individual variants, or with results to mark.
QComboBox* ExerciseBox(QWidget* parent, bool variantsOnly)
{
    auto* box = new QComboBox(parent);
    for (const Exercise* exercise : Catalogue())
        if (variantsOnly ? exercise->makeVariant != nullptr : !exercise->results.empty())
            box->addItem(exercise->caption, exercise->name);
    return box;
}

const Exercise& ChosenExercise(const QComboBox* box)
{
    const Exercise* exercise = FindExercise(box->currentData().toString());
    if (!exercise)
        throw KveltaError(QStringLiteral("Не выбрано задание"));
    return *exercise;
}

// A line edit with a «Обзор...» button beside it.
QWidget* WithBrowse(QLineEdit* edit, const std::function<QString()>& choose)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    auto* browse = new QPushButton(QStringLiteral("Обзор..."), row);
    layout->addWidget(browse);
    QObject::connect(browse, &QPushButton::clicked, edit, [edit, choose] {
        const QString chosen = choose();
        if (!chosen.isEmpty())
            edit->setText(chosen);
    });
    return row;
}

struct GroupJob {
    const Exercise* exercise;
    int count;
    quint32 seed;
    std::vector<Student> students;
    QDir folder;
    int cardsPerPage = 0;  // 0: no task cards
};

// The task cards' folder inside the folder of the variants and keys (the cards' files are named
// as the keys' are).
const QString kCardsFolder = QStringLiteral("cards");

// Draws the variants and writes them with their keys, as kvelta-solve --make-variants --out and
// --batch --keys do. Stops between variants when `cancelled` is set; every file is written
// atomically, so what is there is whole.
void RunGroupJob(const GroupJob& job, const std::atomic<bool>& cancelled, const std::function<void(int, int)>& progressed)
{
    const QByteArray variants = MakeVariants(*job.exercise, job.count, job.seed, job.students);
    // With a byte order mark, so that a spreadsheet opens the names as UTF-8.
    WriteFileAtomically(job.folder.filePath(QStringLiteral("variants.csv")), "\xEF\xBB\xBF" + variants, FileSync::Later);
    const VariantSheet sheet = ReadVariantSheet(variants, *job.exercise, SheetReading{InputEncoding::Utf8, true, false});
    progressed(0, static_cast<int>(sheet.rows.size()));
    QStringList failures;
    BatchEvents events{progressed, [&failures](const QString& failure) { failures << failure; }, &cancelled};
    const int failed = RunBatch(*job.exercise, sheet,
                                BatchTargets{job.folder, job.folder, true, false, false, WritePdfBook, false, StartPdfBook},
                                events);
    if (job.cardsPerPage > 0 && !cancelled)
        WriteTaskCards(*job.exercise, sheet, QDir(job.folder.filePath(kCardsFolder)), job.cardsPerPage, WritePdfBook);
    if (!failures.isEmpty())
        throw KveltaError(failures.join(QLatin1Char('\n')));
    if (failed)
        throw KveltaError(QStringLiteral("Не удалось записать ответы %1 вариантов: причины в summary.csv").arg(failed));
}

}  // namespace

GroupVariantsDialog::GroupVariantsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GroupVariantsDialog"));
    setWindowTitle(QStringLiteral("Задания для группы"));
    exercise = ExerciseBox(this, true);
    students = new QLineEdit(this);
    students->setPlaceholderText(QStringLiteral("группа;фамилия имя — по строке на студента"));
    count = new QSpinBox(this);
    count->setRange(1, 100000);
    count->setValue(30);
    seed = new QSpinBox(this);
    seed->setRange(0, 2147483647);
    seed->setValue(static_cast<int>(kDefaultVariantSeed));
    folder = new QLineEdit(this);
    cards = new QCheckBox(QStringLiteral("Карточки заданий (папка cards)"), this);
    cardsPerPage = new QComboBox(this);
    for (const int perPage : {1, 2, 4})
        cardsPerPage->addItem(QStringLiteral("%1 на странице").arg(perPage), perPage);
    cardsPerPage->setCurrentIndex(1);
    cardsPerPage->setEnabled(false);
    connect(cards, &QCheckBox::toggled, cardsPerPage, &QWidget::setEnabled);
    progress = new QProgressBar(this);
    progress->setRange(0, 1);
    progress->setValue(0);
    status = new QLabel(this);
    start = new QPushButton(QStringLiteral("Создать"), this);
    start->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Задание:"), exercise);
    form->addRow(QStringLiteral("Список студентов:"), WithBrowse(students, [this] {
                     return QFileDialog::getOpenFileName(this, QStringLiteral("Список студентов"), QString(),
                                                         QStringLiteral("Списки (*.csv *.txt *.xlsx *.ods);;Все файлы (*)"));
                 }));
    form->addRow(QStringLiteral("Число вариантов (без списка):"), count);
    form->addRow(QStringLiteral("Начальное число:"), seed);
    form->addRow(QStringLiteral("Папка для вариантов и ответов:"), WithBrowse(folder, [this] {
                     return QFileDialog::getExistingDirectory(this, QStringLiteral("Папка для вариантов и ответов"));
                 }));
    auto* cardsRow = new QHBoxLayout;
    cardsRow->addWidget(cards);
    cardsRow->addWidget(cardsPerPage);
    cardsRow->addStretch();
    form->addRow(QStringLiteral("Для студентов:"), cardsRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(cancel);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(progress);
    layout->addWidget(status);
    layout->addLayout(buttons);
    resize(560, sizeHint().height());

    connect(start, &QPushButton::clicked, this, [this] { RunCommand(this, [this] { startWork(); }); });
    connect(cancel, &QPushButton::clicked, this, &GroupVariantsDialog::cancelWork);
    connect(close, &QPushButton::clicked, this, &GroupVariantsDialog::reject);
}

GroupVariantsDialog::~GroupVariantsDialog()
{
    // The work writes into the folder and reports to this dialog: it ends before the dialog does.
    if (worker_) {
        *cancelled_ = true;
        worker_->wait();
        delete worker_;
    }
}

void GroupVariantsDialog::startWork()
{
    if (worker_)
        return;
    GroupJob job{&ChosenExercise(exercise), count->value(), static_cast<quint32>(seed->value()), {}, QDir(),
                 cards->isChecked() ? cardsPerPage->currentData().toInt() : 0};
    if (!students->text().trimmed().isEmpty()) {
        try {
            job.students = ReadStudents(ReadInputFile(students->text().trimmed()), InputEncoding::Detect);
        } catch (const SpreadsheetError& e) {
            throw KveltaError(QStringLiteral("%1: %2").arg(students->text().trimmed(), QString::fromUtf8(e.what())));
        }
        if (job.students.empty())
            throw KveltaError(QStringLiteral("В списке %1 нет ни одного студента").arg(students->text().trimmed()));
        job.count = static_cast<int>(job.students.size());
    }
    const QString folderName = folder->text().trimmed();
    if (folderName.isEmpty())
        throw KveltaError(QStringLiteral("Не указана папка для вариантов и ответов"));
    if (!QDir().mkpath(folderName))
        throw KveltaError(QStringLiteral("Не удаётся создать папку %1").arg(folderName));
    job.folder = QDir(folderName);
    // Another group's variants and keys in the folder would be overwritten: the user decides.
    if (job.folder.exists(QStringLiteral("variants.csv"))
        && QMessageBox::question(this, windowTitle(),
                                 QStringLiteral("В папке %1 уже есть варианты. Заменить их?").arg(folderName))
               != QMessageBox::Yes)
        return;

    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    withCards_ = job.cardsPerPage > 0;
    progress->setRange(0, job.count);
    progress->setValue(0);
    status->setText(QStringLiteral("Составляются варианты..."));
    start->setEnabled(false);
    cancel->setEnabled(true);
    // The core reads the decimal separator, a global the window thread may change: it is the same
    // for the whole run because the settings cannot be opened while this modal dialog runs.
    worker_ = QThread::create([this, job, flag = cancelled_] {
        const std::optional<QString> error = ErrorOf([&] {
            RunGroupJob(job, *flag, [this](int done, int total) {
                QMetaObject::invokeMethod(
                    this, [this, done, total] {
                        progress->setMaximum(total);
                        progress->setValue(done);
                        status->setText(done < total ? QStringLiteral("Записано ключей: %1 из %2").arg(done).arg(total)
                                     : withCards_ ? QStringLiteral("Составляются книга ответов и карточки заданий...")
                                                                  : QStringLiteral("Составляется книга ответов..."));
                        emit progressed(done, total);
                    },
                    Qt::QueuedConnection);
            });
        });
        const QString text = error.value_or(QString());
        const bool stopped = *flag;
        QMetaObject::invokeMethod(this, [this, text, stopped] { done(text, stopped); }, Qt::QueuedConnection);
    });
    worker_->start();
}

void GroupVariantsDialog::cancelWork()
{
    if (!worker_)
        return;
    *cancelled_ = true;
    cancel->setEnabled(false);
    status->setText(QStringLiteral("Остановка после текущего варианта..."));
}

void GroupVariantsDialog::done(const QString& error, bool cancelled)
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    start->setEnabled(true);
    cancel->setEnabled(false);
    if (!error.isEmpty())
        status->setText(QStringLiteral("Прервано ошибкой"));
    else if (cancelled)
        status->setText(QStringLiteral("Отменено: записано ключей %1 из %2").arg(progress->value()).arg(progress->maximum()));
    else
        status->setText(QStringLiteral("Готово: %1 вариантов и ответов в папке %2%3")
                            .arg(progress->maximum())
                            .arg(folder->text(), withCards_ ? QStringLiteral(", карточки заданий — в папке ") + kCardsFolder : QString()));
    emit workFinished(error, cancelled);
    if (!error.isEmpty())
        ShowErrorBox(this, error);
}

void GroupVariantsDialog::reject()
{
    // Closing while the work runs cancels it first; the dialog closes when it has stopped.
    if (worker_) {
        cancelWork();
        connect(this, &GroupVariantsDialog::workFinished, this, &QDialog::reject, Qt::SingleShotConnection);
        return;
    }
    QDialog::reject();
}

GradeAnswersDialog::GradeAnswersDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GradeAnswersDialog"));
    setWindowTitle(QStringLiteral("Проверить ответы"));
    exercise = ExerciseBox(this, false);
    file = new QLineEdit(this);
    file->setPlaceholderText(QStringLiteral("ANSWERS.csv — варианты с ответами студентов"));
    decimal = new QComboBox(this);
    decimal->addItem(QStringLiteral("определить по файлу"), QString());
    decimal->addItem(QStringLiteral("запятая"), QStringLiteral(","));
    decimal->addItem(QStringLiteral("точка"), QStringLiteral("."));
    tolerances = new QTableWidget(0, 2, this);
    tolerances->setHorizontalHeaderLabels({QStringLiteral("Результат"), QStringLiteral("Допуск")});
    tolerances->horizontalHeader()->setStretchLastSection(true);
    tolerances->verticalHeader()->hide();
    tolerances->setMaximumHeight(110);
    search = new QLineEdit(this);
    search->setPlaceholderText(QStringLiteral("фамилия, имя или группа"));
    search->setClearButtonEnabled(true);
    check = new QPushButton(QStringLiteral("Проверить"), this);
    check->setDefault(true);
    table = new QTableWidget(this);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    exportButton = new QPushButton(QStringLiteral("Экспорт в CSV..."), this);
    exportButton->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Задание:"), exercise);
    form->addRow(QStringLiteral("Файл ответов:"), WithBrowse(file, [this] {
                     return QFileDialog::getOpenFileName(this, QStringLiteral("Файл ответов"), QString(),
                                                         QStringLiteral("Таблицы (*.csv *.txt *.xlsx *.ods);;Все файлы (*)"));
                 }));
    form->addRow(QStringLiteral("Десятичный разделитель в ответах:"), decimal);
    form->addRow(QStringLiteral("Допуски (пусто — единица последнего знака ключа; углы в секундах):"), tolerances);
    form->addRow(QStringLiteral("Поиск студента:"), search);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(check);
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(table);
    layout->addLayout(buttons);
    resize(820, 480);

    showTolerances();
    connect(exercise, &QComboBox::currentIndexChanged, this, &GradeAnswersDialog::showTolerances);
    connect(search, &QLineEdit::textChanged, this, &GradeAnswersDialog::filterStudents);
    connect(check, &QPushButton::clicked, this, [this] { grade(file->text().trimmed()); });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Экспорт в CSV"), QStringLiteral("grades.csv"),
                                                          QStringLiteral("CSV (*.csv)"));
        if (!name.isEmpty())
            exportCsv(name);
    });
    connect(close, &QPushButton::clicked, this, &GradeAnswersDialog::reject);
}

void GradeAnswersDialog::reject()
{
    // Closing while marking waits for the marks, which come within moments: nothing is written.
    if (worker_) {
        connect(this, &GradeAnswersDialog::gradingFinished, this, &QDialog::reject, Qt::SingleShotConnection);
        return;
    }
    QDialog::reject();
}

GradeAnswersDialog::~GradeAnswersDialog()
{
    // The marking reports to this dialog: it ends before the dialog does.
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

void GradeAnswersDialog::grade(const QString& fileName)
{
    if (worker_)
        return;
    const Exercise* chosen = FindExercise(exercise->currentData().toString());
    Tolerances given;
    if (const std::optional<QString> error = ErrorOf([&] { given = chosenTolerances(); })) {
        ShowErrorBox(this, *error);
        emit gradingFinished(*error);
        return;
    }
    const QString answersDecimal = decimal->currentData().toString();
    check->setEnabled(false);
    table->setEnabled(false);
    // The marks are those of kvelta-solve --grade: its grades.csv, read back for the table. The
    // core reads the decimal separator, which cannot change while this modal dialog runs.
    worker_ = QThread::create([this, fileName, chosen, given, answersDecimal] {
        QByteArray grades;
        const std::optional<QString> error = ErrorOf([&] {
            if (fileName.isEmpty())
                throw KveltaError(QStringLiteral("Не указан файл ответов"));
            if (!chosen)
                throw KveltaError(QStringLiteral("Не выбрано задание"));
            QTemporaryDir marks;
            if (!marks.isValid())
                throw KveltaError(QStringLiteral("Не удаётся создать временную папку"));
            try {
                VariantSheet sheet = ReadVariantSheet(ReadInputFile(fileName), *chosen,
                                                      SheetReading{InputEncoding::Detect, !answersDecimal.isEmpty(), true});
                if (!answersDecimal.isEmpty())
                    sheet.decimal = answersDecimal.front();
                GradeAnswers(*chosen, sheet, given, QDir(marks.path()), fileName);
            } catch (const SpreadsheetError& e) {
                throw KveltaError(QStringLiteral("%1: %2").arg(fileName, QString::fromUtf8(e.what())));
            }
            grades = ReadInputFile(QDir(marks.path()).filePath(QStringLiteral("grades.csv")));
        });
        QMetaObject::invokeMethod(
            this, [this, grades, text = error.value_or(QString())] { graded(grades, text); }, Qt::QueuedConnection);
    });
    worker_->start();
}

void GradeAnswersDialog::graded(const QByteArray& grades, const QString& error)
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    check->setEnabled(true);
    table->setEnabled(true);
    if (error.isEmpty()) {
        grades_ = grades;
        showGrades();
        exportButton->setEnabled(true);
    }
    emit gradingFinished(error);
    if (!error.isEmpty())
        ShowErrorBox(this, error);
}

namespace {

QColor VerdictColor(const QString& verdict)
{
    if (verdict == QLatin1String("1"))
        return QColor(0xc8, 0xf0, 0xc8);
    return verdict == QLatin1String("0") ? QColor(0xf8, 0xc8, 0xc8) : QColor(0xf8, 0xe8, 0xa0);  // unread: yellow
}

}  // namespace

void GradeAnswersDialog::showGrades()
{
    const std::vector<QStringList> rows = ReadTableFile(grades_);
    table->clear();
    if (rows.empty())
        return;
    const QStringList& header = rows.front();
    table->setColumnCount(static_cast<int>(header.size()));
    table->setHorizontalHeaderLabels(header);  // grades.csv is headed as the dialog heads its columns
    table->setRowCount(static_cast<int>(rows.size() - 1));
    // Columns: variant, group, name, then a verdict and a difference per result, then right, total, score.
    const int results = static_cast<int>((header.size() - 6) / 2);
    for (int r = 1; r < static_cast<int>(rows.size()); ++r) {
        const QStringList& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < row.size(); ++c) {
            auto* cell = new QTableWidgetItem(row[c]);
            const int result = (c - 3) / 2;
            if (c >= 3 && result < results)
                cell->setBackground(VerdictColor(row.value(3 + 2 * result)));
            table->setItem(r - 1, c, cell);
        }
    }
    table->resizeColumnsToContents();
    filterStudents();
}

void GradeAnswersDialog::showTolerances()
{
    const Exercise* chosen = FindExercise(exercise->currentData().toString());
    tolerances->setRowCount(0);
    if (!chosen)
        return;
    tolerances->setRowCount(static_cast<int>(chosen->results.size()));
    for (int r = 0; r < tolerances->rowCount(); ++r) {
        const ResultQuantity& result = chosen->results[static_cast<std::size_t>(r)];
        auto* name = new QTableWidgetItem(result.name);
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        tolerances->setItem(r, 0, name);
        tolerances->setItem(r, 1, new QTableWidgetItem);
    }
}

void GradeAnswersDialog::filterStudents()
{
    const QString text = search->text().simplified();
    for (int r = 0; r < table->rowCount(); ++r) {
        bool shown = text.isEmpty();
        for (const int column : {1, 2})
            shown = shown || (table->item(r, column) && table->item(r, column)->text().contains(text, Qt::CaseInsensitive));
        table->setRowHidden(r, !shown);
    }
}

Tolerances GradeAnswersDialog::chosenTolerances() const
{
    Tolerances chosen;
    for (int r = 0; r < tolerances->rowCount(); ++r) {
        const QString text = tolerances->item(r, 1) ? tolerances->item(r, 1)->text().trimmed() : QString();
        if (text.isEmpty())
            continue;
        bool ok = false;
        const double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        const QString name = tolerances->item(r, 0)->text();
        if (!ok || value < 0 || !std::isfinite(value))
            throw KveltaError(QStringLiteral("Допуск %1 «%2» — не число не меньше нуля").arg(name, text));
        chosen[name] = value;
    }
    return chosen;
}

bool GradeAnswersDialog::exportCsv(const QString& fileName)
{
    const std::optional<QString> error =
        ErrorOf([&] { WriteFileAtomically(fileName, grades_, FileSync::Now); });
    if (error)
        ShowErrorBox(this, *error);
    return !error;
}

}  // namespace kvelta
