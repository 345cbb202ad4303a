#include "app/main_form.h"

#include "app/about_form.h"
#include "app/group_dialogs.h"
#include "app/help_window.h"
#include "app/print_report.h"
#include "app/stripe.h"
#include "app/task_windows.h"
#include "app/word_handover.h"
#include "catalogue/catalogue.h"
#include "frame/error_box.h"
#include "frame/errors.h"
#include "frame/task_form.h"
#include "rigorous/comparison_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPoint>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace kvelta {

namespace {

const QString kCountText = QStringLiteral("Количество вычислений: ");

// The largest outer size a placement may ask for: the desktop, but never less than 4096 pixels.
// The platform limits a window to about the desktop as well; an absurd value in the file must not
// make the program allocate a gigantic window surface.
QSize MaxWindowSize()
{
    QSize size(4096, 4096);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        size = size.expandedTo(screen->virtualGeometry().size());
    return size;
}

// The dialog asks before it replaces an existing file: saving the next exercise under the name
// offered must not destroy the earlier report unasked. The file type chooses the encoding.
QString DefaultSaveDialog(QWidget* parent, const QString& lastFileName, TextEncoding& encoding)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранить результат вычисления"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({TextEncodingFilter(TextEncoding::Windows1251), TextEncodingFilter(TextEncoding::Utf8)});
    dialog.selectNameFilter(TextEncodingFilter(encoding));
    dialog.setDefaultSuffix(QStringLiteral("txt"));  // a name typed without one gets it
    if (!lastFileName.isEmpty()) {
        dialog.setDirectory(QFileInfo(lastFileName).absolutePath());
        dialog.selectFile(lastFileName);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    encoding = TextEncodingOfFilter(dialog.selectedNameFilter());
    return dialog.selectedFiles().value(0);
}

}  // namespace

TMainForm::TMainForm(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent),
      settingsPath_(settingsPath.isEmpty() ? DefaultSettingsPath() : settingsPath),
      mdiArea_(new QMdiArea(this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kvelta"));
    mdiArea_->setObjectName(QStringLiteral("ClientArea"));
    // Windows reaching past the client area stay reachable.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    createMenus();
    createStatusBar();
    createHelpMenu();
    createWindowShortcuts();

    stripe_ = new StripeOverlay(this);
    stripe_->setGeometry(0, 0, width(), StripeOverlay::kHeight);
    stripe_->raise();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, &TMainForm::tick);

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::updateWindowMenu);

    // Once made: the placement and the student fields read, the stripe running.
    stripeOffset_ = 0;
    LoadSettings();
    timer1_->start();
}

TMainForm::~TMainForm()
{
    // The client area still reports activations while the base class takes the children down.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

void TMainForm::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    auto submenu = [](QMenu* menu, const QString& name) {
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    auto item = [this](QMenu* menu, const QString& name, const QString& caption, auto handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, handler] { RunCommand(this, [this, handler] { handler(); }); });
        return action;
    };
    auto newTask = [this, &item](QMenu* menu, const QString& name, const QString& caption) {
        return item(menu, name, caption, [this, name] { openExercise(name); });
    };

    QMenu* n1 = submenu(bar->addMenu(QStringLiteral("Файл")), QStringLiteral("N1"));
    n6_ = item(n1, QStringLiteral("N6"), QStringLiteral("Сохранить как..."), [this] { saveReportAs(); });
    n6_->setEnabled(false);
    item(n1, QStringLiteral("N12"), QStringLiteral("Печать из MS Word"), [this] { printFromWord(); });
    print1_ = item(n1, QStringLiteral("Print1"), QStringLiteral("Печать..."), [this] { printReport(); });
    print1_->setShortcut(QKeySequence::Print);
    print1_->setEnabled(false);
    exportPdf1_ =
        item(n1, QStringLiteral("ExportPdf1"), QStringLiteral("Экспорт в PDF..."), [this] { exportPdf(); });
    exportPdf1_->setEnabled(false);
    n1->addSeparator()->setObjectName(QStringLiteral("Instructor1"));
    item(n1, QStringLiteral("GroupVariants1"), QStringLiteral("Задания для группы..."),
         [this] { GroupVariantsDialog(this).exec(); });
    item(n1, QStringLiteral("GradeAnswers1"), QStringLiteral("Проверить ответы..."),
         [this] { GradeAnswersDialog(this).exec(); });
    n1->addSeparator()->setObjectName(QStringLiteral("N9"));
    item(n1, QStringLiteral("N4"), QStringLiteral("Выход"), [this] { quit(); });

    // "Создать": every exercise of the catalogue, in its submenu where it names one.
    QMenu* n2 = submenu(bar->addMenu(QStringLiteral("Создать")), QStringLiteral("N2"));
    QHash<QString, QMenu*> submenus;
    for (const Exercise* exercise : Catalogue()) {
        const MenuPlace& place = exercise->menu;
        QMenu* menu = n2;
        if (!place.submenuName.isEmpty()) {
            menu = submenus.value(place.submenuName);
            if (!menu)
                menu = submenus[place.submenuName] = submenu(n2->addMenu(place.submenuText), place.submenuName);
        }
        newTask(menu, place.itemName, place.itemText);
    }

    windows1_ = submenu(bar->addMenu(QStringLiteral("Окна")), QStringLiteral("Windows1"));
    item(windows1_, QStringLiteral("Tile1"), QStringLiteral("Tile"), [this] { tileWindows(); });
    item(windows1_, QStringLiteral("Arrange1"), QStringLiteral("Arrange icons"), [this] { arrangeIcons(); });
    item(windows1_, QStringLiteral("Cascade1"), QStringLiteral("Cascade"), [this] { cascadeWindows(); });
    connect(windows1_, &QMenu::aboutToShow, this, &TMainForm::updateWindowMenu);

    // The textbook results of the active exercise beside the rigorous ones.
    QMenu* check1 = submenu(bar->addMenu(QStringLiteral("Проверка")), QStringLiteral("Check1"));
    compare1_ = item(check1, QStringLiteral("Compare1"), QStringLiteral("Сравнить со строгим решением..."),
                     [this] { compareWithRigorous(); });
    compare1_->setEnabled(false);
}

void TMainForm::createHelpMenu()
{
    // "О программе": the manual (F1), the textbook example of the active window, the About window.
    QMenu* help = menuBar()->addMenu(QStringLiteral("О программе"));
    help->setObjectName(QStringLiteral("Help1"));
    help->menuAction()->setObjectName(QStringLiteral("Help1"));
    auto item = [this, help](const char* name, const QString& caption, auto handler) {
        QAction* action = help->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, handler] { RunCommand(this, [this, handler] { handler(); }); });
        return action;
    };
    QAction* manual = item("Help2", QStringLiteral("Справка"), [this] { showHelp(); });
    manual->setShortcut(QKeySequence::HelpContents);
    manual->setShortcutContext(Qt::ApplicationShortcut);
    item("Example1", QStringLiteral("Пример из учебника"), [this] { fillExample(); });
    help->addSeparator();
    item("N15", QStringLiteral("О программе"), [this] { showAbout(); });
}

void TMainForm::createWindowShortcuts()
{
    // Ctrl+Tab and Ctrl+Shift+Tab go through the windows (Ctrl+F4 is each window's own).
    auto shortcut = [this](const QKeySequence& keys, auto handler) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, mdiArea_, handler);
        addAction(action);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), [this] { mdiArea_->activateNextSubWindow(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), [this] { mdiArea_->activatePreviousSubWindow(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), [this] { mdiArea_->activatePreviousSubWindow(); });
}

void TMainForm::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    // The window's small 8-point face, so that the count fits its 150-pixel panel.
    QFont font = bar->font();
    font.setPointSize(8);
    bar->setFont(font);
    statusPanel1_ = new QLabel(bar);
    statusPanel1_->setObjectName(QStringLiteral("StatusPanel1"));
    // 150 pixels, widened only where this system's font would cut the count off.
    statusPanel1_->setMinimumWidth(150);
    statusPanel1_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    statusPanel2_ = new QLabel(bar);
    statusPanel2_->setObjectName(QStringLiteral("StatusPanel2"));
    statusPanel2_->setFixedWidth(50);
    bar->addWidget(statusPanel1_);
    bar->addWidget(statusPanel2_);
}

QAction* TMainForm::menuItem(const QString& name) const { return findChild<QAction*>(name); }

QString TMainForm::statusText() const { return statusPanel1_->text(); }

QList<QMdiSubWindow*> TMainForm::taskSubWindows() const
{
    QList<QMdiSubWindow*> result;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (!sub->isHidden() && qobject_cast<TaskForm*>(sub->widget()))
            result.append(sub);
    return result;
}

int TMainForm::taskWindowCount() const { return static_cast<int>(taskSubWindows().size()); }

TaskForm* TMainForm::activeTaskForm() const
{
    // The current child stays current while the main window is not the active application window.
    QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    if (!sub || sub->isHidden())
        return nullptr;
    return qobject_cast<TaskForm*>(sub->widget());
}

void TMainForm::addTaskForm(TaskForm* form)
{
    // A new child window opens cascaded: one title bar down and right of the newest one, back
    // at the top left when it would leave the client area.
    QPoint position(0, 0);
    const QList<QMdiSubWindow*> open = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (!open.isEmpty()) {
        const int step = open.last()->height() - open.last()->widget()->height();
        position = open.last()->pos() + QPoint(step, step);
        if (position.x() + 100 > mdiArea_->viewport()->width() || position.y() + 100 > mdiArea_->viewport()->height())
            position = QPoint(0, 0);
    }
    // The group and the name typed before; what is typed now is offered to the next window.
    form->edit(QStringLiteral("Edit1"))->setText(student_.group);
    form->edit(QStringLiteral("Edit2"))->setText(student_.name);
    connect(form->edit(QStringLiteral("Edit1")), &QLineEdit::textEdited, this,
            [this](const QString& text) { student_.group = text; });
    connect(form->edit(QStringLiteral("Edit2")), &QLineEdit::textEdited, this,
            [this](const QString& text) { student_.name = text; });
    QMdiSubWindow* sub = mdiArea_->addSubWindow(form);
    sub->move(position);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The system menu's keys act on the window that has the focus: as window-wide shortcuts of
    // every child they would be ambiguous and none would work. Ctrl+F4 closes on every platform
    // (X11's own binding is Ctrl+W only).
    const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction* action : sub->systemMenu()->actions()) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        if (!closeKeys.isEmpty() && action->shortcuts() == closeKeys) {
            QList<QKeySequence> keys{QKeySequence(Qt::CTRL | Qt::Key_F4)};
            for (const QKeySequence& key : closeKeys)
                if (!keys.contains(key))
                    keys.append(key);
            action->setShortcuts(keys);
        }
    }
    QAction* example = sub->systemMenu()->addAction(QStringLiteral("Пример из учебника"));
    connect(example, &QAction::triggered, form, [form] { form->fillExample(); });
    connect(sub, &QObject::destroyed, this, [this] {
        QMetaObject::invokeMethod(this, &TMainForm::updateWindowMenu, Qt::QueuedConnection);
    });
    form->show();
    sub->show();
    // Never smaller than the window's inputs, its frame included (known once it is shown).
    sub->setMinimumSize(sub->minimumSizeHint());
    mdiArea_->setActiveSubWindow(sub);
    updateWindowMenu();
}

void TMainForm::openExercise(const QString& itemName)
{
    if (TaskForm* form = CreateTaskForm(itemName))
        addTaskForm(form);
}

void TMainForm::quit() { close(); }

void TMainForm::setTextEncoding(TextEncoding encoding)
{
    if (encoding == textEncoding_)
        return;
    textEncoding_ = encoding;
    SettingsFile file(settingsPath_);
    WriteTextEncoding(file, encoding);
    file.save();
}

void TMainForm::saveReportAs()
{
    TextEncoding encoding = textEncoding_;
    QString offered = lastSaveFileName_;
    if (const TaskForm* form = activeTaskForm())
        offered = SuggestedReportFile(offered.isEmpty() ? DefaultReportFolder() : QFileInfo(offered).absolutePath(),
                                      form->caption(), form->studentName(), QStringLiteral("txt"));
    const QString fileName = chooseSaveFile_ ? chooseSaveFile_(this, offered) : DefaultSaveDialog(this, offered, encoding);
    if (fileName.isEmpty())
        return;
    lastSaveFileName_ = fileName;
    if (TaskForm* form = activeTaskForm())
        SaveTextReport(*form, fileName, encoding);
    setTextEncoding(encoding);  // remembered once the report is written
}

void TMainForm::compareWithRigorous()
{
    if (TaskForm* form = activeTaskForm())
        ShowRigorousComparison(*form, this);
}

void TMainForm::printFromWord()
{
    TaskForm* form = activeTaskForm();
    if (!form)
        return;
    try {
        PrintWordReport(*form);
    } catch (const DocumentNotOpened& error) {
        const QString boxText = ErrorBoxText(error.text());
        const QString way = chooseOtherWay_ ? chooseOtherWay_(this, boxText) : AskOtherWayOut(this, boxText);
        if (way == QLatin1String("ExportPdf1"))
            exportPdf();
        else if (way == QLatin1String("Print1"))
            printReport();
    }
}

void TMainForm::printReport()
{
    TaskForm* form = activeTaskForm();
    if (!form)
        return;
    const WordDocument document = ReportDocument(*form);
    const QString title = form->windowTitle();
    printPreview_ ? printPreview_(document, title, this) : PrintWithPreview(document, title, this);
}

void TMainForm::exportPdf()
{
    TaskForm* form = activeTaskForm();
    if (!form)
        return;
    const QString folder = lastPdfFolder_.isEmpty() ? DefaultReportFolder() : lastPdfFolder_;
    const QString suggested = SuggestedReportFile(folder, form->caption(), form->studentName(), QStringLiteral("pdf"));
    const QString fileName = choosePdfFile_ ? choosePdfFile_(this, suggested) : ChoosePdfFile(this, suggested);
    if (fileName.isEmpty())
        return;
    lastPdfFolder_ = QFileInfo(fileName).absolutePath();
    ExportPdf(ReportDocument(*form), form->windowTitle(), fileName);
    statusBar()->showMessage(QStringLiteral("PDF записан: %1").arg(QDir::toNativeSeparators(fileName)), 10000);
}

TAboutForm* TMainForm::aboutForm()
{
    if (!aboutForm_)
        aboutForm_ = std::make_unique<TAboutForm>();
    return aboutForm_.get();
}

void TMainForm::showAbout() { aboutForm()->exec(); }

void TMainForm::showHelp()
{
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    TaskForm* form = activeTaskForm();
    helpWindow_->showPage(form ? &form->exercise() : nullptr);
}

void TMainForm::fillExample()
{
    if (TaskForm* form = activeTaskForm())
        form->fillExample();
}

void TMainForm::tileWindows()
{
    // Horizontal tiling: the windows one above the other, full width. A window is never made
    // smaller than its inputs: as many rows as fit at that height go into a column, further
    // columns to the right; columns too wide for the client area reach past it and the area
    // scrolls. Minimised windows keep a row at the bottom.
    QList<QMdiSubWindow*> windows;
    bool icons = false;
    const QList<QMdiSubWindow*> stack = mdiArea_->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {  // the active window first
        if ((*it)->isHidden())
            continue;
        if ((*it)->isMinimized())
            icons = true;
        else
            windows.append(*it);
    }
    if (windows.isEmpty())
        return;
    for (QMdiSubWindow* sub : windows)
        if (sub->isMaximized())
            sub->showNormal();
    // Positions are taken from the scrolled-back origin of the area.
    mdiArea_->horizontalScrollBar()->setValue(0);
    mdiArea_->verticalScrollBar()->setValue(0);
    QRect area = mdiArea_->viewport()->rect();
    if (icons)
        area.setBottom(area.bottom() - mdiArea_->fontMetrics().height() * 2);
    const int n = static_cast<int>(windows.size());
    int minHeight = 1;
    for (QMdiSubWindow* sub : windows)
        minHeight = std::max(minHeight, sub->minimumHeight());
    const int maxRows = std::clamp(area.height() / minHeight, 1, n);
    const int columns = (n + maxRows - 1) / maxRows;
    const int height = std::max(area.height(), minHeight);
    int index = 0;
    int x = area.left();
    for (int c = 0; c < columns; ++c) {
        const int rows = n / columns + (c < n % columns ? 1 : 0);
        // A column's share of the width, or the widest minimum of its windows.
        int width = area.width() / columns;
        for (int r = 0; r < rows; ++r)
            width = std::max(width, windows[index + r]->minimumWidth());
        for (int r = 0; r < rows; ++r, ++index) {
            const int y0 = area.top() + height * r / rows;
            const int y1 = area.top() + height * (r + 1) / rows;
            windows[index]->setGeometry(x, y0, width, y1 - y0);
        }
        x += width;
    }
}

void TMainForm::arrangeIcons()
{
    // Minimised windows in rows along the bottom edge, left to right.
    const QRect area = mdiArea_->viewport()->rect();
    int x = area.left();
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isHidden() || !sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            y -= rowHeight;
            rowHeight = 0;
        }
        if (rowHeight == 0)
            rowHeight = size.height();
        sub->move(x, y - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

void TMainForm::cascadeWindows()
{
    // The windows in their stacking order, each one title bar down and right of the one behind
    // it and raised over it, so that every title bar shows and the active window ends in front.
    // A window keeps at least its inputs' size; the area scrolls where they reach past it.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::StackingOrder))
        if (!sub->isHidden() && !sub->isMinimized())
            windows.append(sub);
    if (windows.isEmpty())
        return;
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    mdiArea_->horizontalScrollBar()->setValue(0);
    mdiArea_->verticalScrollBar()->setValue(0);
    const QRect area = mdiArea_->viewport()->rect();
    int step = 0;
    for (QMdiSubWindow* sub : windows) {
        if (sub->isMaximized())
            sub->showNormal();
        step = std::max(step, sub->height() - sub->widget()->height());  // the title bar and frame
    }
    const int n = static_cast<int>(windows.size());
    const QSize size(std::max(area.width() - step * (n - 1), area.width() * 2 / 3),
                     std::max(area.height() - step * (n - 1), area.height() * 2 / 3));
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = windows[i];
        sub->setGeometry(QRect(area.topLeft() + QPoint(step * i, step * i), size.expandedTo(sub->minimumSize())));
        sub->raise();
    }
    if (active)
        mdiArea_->setActiveSubWindow(active);
}

void TMainForm::updateWindowMenu()
{
    for (QAction* action : windowListActions_)
        delete action;
    windowListActions_.clear();
    const QList<QMdiSubWindow*> subs = taskSubWindows();
    if (!windowListSeparator_)
        windowListSeparator_ = windows1_->addSeparator();
    windowListSeparator_->setVisible(!subs.isEmpty());
    QMdiSubWindow* current = mdiArea_->currentSubWindow();
    int number = 1;
    for (QMdiSubWindow* sub : subs) {
        QString caption = sub->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = windows1_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(caption));
        action->setCheckable(true);
        action->setChecked(sub == current);
        connect(action, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (!sub)
                return;
            if (sub->isMinimized())
                sub->showNormal();
            mdiArea_->setActiveSubWindow(sub);
        });
        windowListActions_.append(action);
    }
}

void TMainForm::updateStatus(int count)
{
    const QString text = kCountText + QString::number(count);
    if (statusPanel1_->text() != text)
        statusPanel1_->setText(text);
    for (QAction* item : {n6_, print1_, exportPdf1_})
        item->setEnabled(count != 0);
    compare1_->setEnabled(activeTaskForm() != nullptr);
}

void TMainForm::tick()
{
    updateStatus(taskWindowCount());
    stripe_->setOffset(stripeOffset_);
    // W: the outer width, frame included; a change of width takes effect at this tick.
    if (stripeOffset_ < frameGeometry().width())
        stripeOffset_ += 2;
    else
        stripeOffset_ = 0;
}

QMargins TMainForm::frameMargins() const
{
    const QWindow* window = windowHandle();
    return window ? window->frameMargins() : QMargins();
}

void TMainForm::LoadSettings()
{
    placement_ = WindowPlacement{};  // built-in placement; each key read replaces its part
    // The file is read once; a bad placement value still leaves the other keys to read.
    std::optional<SettingsFile> file;
    RunCommand(this, [&] { file.emplace(settingsPath_); });
    if (file) {
        RunCommand(this, [&] { ReadMainPlacement(*file, placement_); });
        student_ = ReadStudentFields(*file);
        textEncoding_ = ReadTextEncoding(*file);
    }
    applyPlacement();
    placementPending_ = true;
}

void TMainForm::applyPlacement()
{
    // Top and Left are the frame's corner; Width and Height the outer size.
    const QMargins m = frameMargins();
    appliedMargins_ = m;
    // A placement saved on a screen that is gone (or written by hand) is brought back on one.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const WindowPlacement shown = PlacementOnScreens(placement_, screens);
    const QSize max = MaxWindowSize();
    const int width =
        static_cast<int>(std::clamp(qint64(shown.width) - m.left() - m.right(), qint64(1), qint64(max.width())));
    const int height =
        static_cast<int>(std::clamp(qint64(shown.height) - m.top() - m.bottom(), qint64(1), qint64(max.height())));
    if (windowState() != Qt::WindowNoState)
        setWindowState(Qt::WindowNoState);
    move(shown.left, shown.top);  // marks the position as chosen: no system placement
    resize(width, height);
    appliedSize_ = size();
    if (placement_.maximized)
        setWindowState(Qt::WindowMaximized);
}

void TMainForm::fixPlacementForFrame()
{
    // The frame's size is known only once the window is on the screen; the saved outer
    // placement is then applied again with it.
    if (!placementPending_ || !isVisible() || windowState() != Qt::WindowNoState)
        return;
    const QMargins m = frameMargins();
    if (m.isNull() || m == appliedMargins_)
        return;
    placementPending_ = false;
    if (size() != appliedSize_)
        return;  // the user has already changed the size: that wins
    const bool maximized = placement_.maximized;
    placement_.maximized = false;
    applyPlacement();
    placement_.maximized = maximized;
}

void TMainForm::updateTimerRunning()
{
    // Once shown, the timer runs only while the window is on the screen and not minimised.
    if (!timer1_)
        return;
    const bool seen = isVisible() && !isMinimized();
    if (seen && !timer1_->isActive())
        timer1_->start();
    else if (!seen && timer1_->isActive())
        timer1_->stop();
}

void TMainForm::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    updateTimerRunning();
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        updateTimerRunning();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    updateTimerRunning();
    fixPlacementForFrame();
    // Some platforms report the frame only once the window is on the screen.
    QTimer::singleShot(0, this, &TMainForm::fixPlacementForFrame);
}

void TMainForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    fixPlacementForFrame();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (stripe_) {
        stripe_->setGeometry(0, 0, width(), StripeOverlay::kHeight);
        stripe_->raise();
    }
    fixPlacementForFrame();
}

void TMainForm::SaveSettings()
{
    const Qt::WindowStates state = windowState();
    const bool minimized = state & Qt::WindowMinimized;
    const QRect frame = frameGeometry();
    WindowPlacement placement{frame.left(), frame.top(), frame.width(), frame.height(),
                              !minimized && (state & Qt::WindowMaximized)};
    RunCommand(this, [&] {
        SettingsFile file(settingsPath_);
        WriteMainPlacement(file, placement, minimized);
        WriteStudentFields(file, student_);
        file.save();
    });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // FormClose: the placement is saved; an error is shown and the program still ends.
    SaveSettings();
    event->accept();
}

}  // namespace kvelta
