#pragma once
// The main window: the frame of the whole program, with the menus, the task windows inside
// its client area, the status line and the colour stripe.

#include "app/settings.h"
#include "app/text_encoding.h"
#include "reports/word_document.h"

#include <QMainWindow>
#include <QMargins>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

namespace kvelta {

class HelpWindow;
class StripeOverlay;
class TAboutForm;
class TaskForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `settingsPath` empty: Kvelta.ini beside the executable. The settings are read here.
    explicit TMainForm(const QString& settingsPath = QString(), QWidget* parent = nullptr);
    ~TMainForm() override;

    QMdiArea* mdiArea() const { return mdiArea_; }
    // The active task window (the current one, also while another program has the focus).
    TaskForm* activeTaskForm() const;
    // Task windows open in the client area.
    int taskWindowCount() const;
    // Shows a new task window as a child window and makes it active.
    void addTaskForm(TaskForm* form);

    QAction* menuItem(const QString& name) const;
    QString statusText() const;
    int stripeOffset() const { return stripeOffset_; }
    StripeOverlay* stripe() const { return stripe_; }
    const QString& settingsPath() const { return settingsPath_; }

    // The About window, made on first use and reused.
    TAboutForm* aboutForm();
    // The manual, made on first use; nullptr until then.
    HelpWindow* helpWindow() const { return helpWindow_; }

    // The group and the name typed last: every new window starts with them.
    const StudentFields& studentFields() const { return student_; }

    // The Save dialog: returns the chosen name, or an empty text when cancelled. Tests replace it.
    using SaveFileChooser = std::function<QString(QWidget* parent, const QString& lastFileName)>;
    void setSaveFileChooser(SaveFileChooser chooser) { chooseSaveFile_ = std::move(chooser); }
    const QString& lastSaveFileName() const { return lastSaveFileName_; }
    // The encoding of the text report: the Save dialog's file type, kept in the settings file.
    TextEncoding textEncoding() const { return textEncoding_; }
    void setTextEncoding(TextEncoding encoding);

    // The Save dialog of «Экспорт в PDF...» (offered the path it suggests), the print preview and
    // the error box of a document no application opened. Tests replace them.
    void setPdfFileChooser(SaveFileChooser chooser) { choosePdfFile_ = std::move(chooser); }
    using PrintPreview = std::function<void(const WordDocument& document, const QString& title, QWidget* parent)>;
    void setPrintPreview(PrintPreview preview) { printPreview_ = std::move(preview); }
    using OtherWayChooser = std::function<QString(QWidget* parent, const QString& boxText)>;
    void setOtherWayChooser(OtherWayChooser chooser) { chooseOtherWay_ = std::move(chooser); }

    // What the menus and the timer do.
    void openExercise(const QString& itemName);  // a "Создать" item, by its object name: N7, N8, N5, ...
    void quit();                 // "Файл" → "Выход"
    void saveReportAs();         // "Файл" → "Сохранить как..."
    void printFromWord();        // "Файл" → "Печать из MS Word"
    void printReport();          // "Файл" → "Печать..."
    void exportPdf();            // "Файл" → "Экспорт в PDF..."
    void showAbout();            // "О программе" → "О программе"
    void compareWithRigorous();  // "Проверка" → "Сравнить со строгим решением..."
    void tileWindows();
    void arrangeIcons();
    void cascadeWindows();
    void tick();         // every 100 ms: the stripe moves on, the status counts the windows
    void showHelp();     // F1: the active exercise's page, or the manual's contents
    void fillExample();  // "Пример из учебника" in the active window

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createMenus();
    void createStatusBar();
    void createHelpMenu();
    void createWindowShortcuts();
    // The stripe and the status run only while the main window can be seen.
    void updateTimerRunning();
    void LoadSettings();
    void SaveSettings();
    void applyPlacement();
    void fixPlacementForFrame();
    QMargins frameMargins() const;
    void updateWindowMenu();
    void updateStatus(int count);
    QList<QMdiSubWindow*> taskSubWindows() const;

    QString settingsPath_;
    QMdiArea* mdiArea_;
    QMenu* windows1_ = nullptr;
    QAction* windowListSeparator_ = nullptr;
    QList<QAction*> windowListActions_;
    QAction* n6_ = nullptr;
    QAction* compare1_ = nullptr;
    QAction* print1_ = nullptr;
    QAction* exportPdf1_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QLabel* statusPanel2_ = nullptr;
    QTimer* timer1_ = nullptr;
    StripeOverlay* stripe_ = nullptr;
    int stripeOffset_ = 0;

    WindowPlacement placement_;  // outer frame as read at start-up
    bool placementPending_ = false;  // re-applied once the frame around the window is known
    QMargins appliedMargins_;
    QSize appliedSize_;

    SaveFileChooser chooseSaveFile_;
    QString lastSaveFileName_;
    TextEncoding textEncoding_ = TextEncoding::Windows1251;
    SaveFileChooser choosePdfFile_;
    PrintPreview printPreview_;
    OtherWayChooser chooseOtherWay_;
    QString lastPdfFolder_;
    std::unique_ptr<TAboutForm> aboutForm_;
    HelpWindow* helpWindow_ = nullptr;
    StudentFields student_;
};

}  // namespace kvelta
