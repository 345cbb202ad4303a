#pragma once
// The instructor's dialogs of «Файл»: individual variants with their answer keys for a group, and
// the marking of the answers handed in.

#include "instructor/instructor.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <atomic>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QThread;

namespace kvelta {

struct Exercise;

// «Задания для группы»: writes FOLDER/variants.csv, per variant NNN-group-name.txt, .docx and .pdf,
// summary.csv and answer-book.pdf, as kvelta-solve --batch --keys does; with «Карточки заданий»
// also the task cards in FOLDER/cards (NNN-group-name.pdf and cards.pdf), as --cards does.
// The work runs in a thread of its own; Cancel stops it between variants, so every file written is whole.
class GroupVariantsDialog : public QDialog {
    Q_OBJECT
public:
    explicit GroupVariantsDialog(QWidget* parent = nullptr);
    ~GroupVariantsDialog() override;

    bool running() const { return worker_ != nullptr; }

    QComboBox* exercise;
    QLineEdit* students;  // a class list file; when given, a variant for each student
    QSpinBox* count;
    QSpinBox* seed;
    QLineEdit* folder;
    QCheckBox* cards;
    QComboBox* cardsPerPage;  // 1, 2 or 4 cards on a page of cards.pdf
    QProgressBar* progress;
    QLabel* status;
    QPushButton* start;
    QPushButton* cancel;

public slots:
    void startWork();
    void cancelWork();

signals:
    void progressed(int done, int total);  // keys written so far, in the window thread
    void workFinished(const QString& error, bool cancelled);  // error empty on success

private:
    void done(const QString& error, bool cancelled);
    void reject() override;

    QThread* worker_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelled_;
    bool withCards_ = false;  // the running work writes task cards
};

// «Проверить ответы»: the marks of ANSWERS.csv as kvelta-solve --grade writes them, right verdicts
// green and wrong ones red, exportable as grades.csv.
class GradeAnswersDialog : public QDialog {
    Q_OBJECT
public:
    explicit GradeAnswersDialog(QWidget* parent = nullptr);
    ~GradeAnswersDialog() override;

    // Marks the answers file in a thread of its own; gradingFinished tells the outcome, and an
    // error box when it cannot be read.
    void grade(const QString& fileName);
    bool running() const { return worker_ != nullptr; }
    // Writes grades.csv to the file; false (and an error box) when it cannot.
    bool exportCsv(const QString& fileName);

    QComboBox* exercise;
    QLineEdit* file;
    QComboBox* decimal;        // the answers' decimal separator: found from the file, ',' or '.'
    QTableWidget* tolerances;  // a result and its tolerance a row; empty, the key's last place
    QLineEdit* search;         // shows the students whose name or group holds the text
    QPushButton* check;
    QTableWidget* table;
    QPushButton* exportButton;

signals:
    void gradingFinished(const QString& error);  // error empty when the marks are shown

private:
    void graded(const QByteArray& grades, const QString& error);
    void showGrades();
    void showTolerances();
    void filterStudents();
    Tolerances chosenTolerances() const;
    void reject() override;

    QByteArray grades_;  // grades.csv as marked
    QThread* worker_ = nullptr;
};

}  // namespace kvelta
