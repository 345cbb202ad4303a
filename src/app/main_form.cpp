#include "app/main_form.h"

#include "app/about_form.h"
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
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPoint>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <algorithm>

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
    if (!lastFileName.isEmpty())
        dialog.selectFile(lastFileName);
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
    setCentralWidget(mdiArea_);
    createMenus();
    createStatusBar();

    stripe_ = new StripeOverlay(this);
    stripe_->setGeometry(0, 0, width(), StripeOverlay::kHeight);
    stripe_->raise();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::updateWindowMenu);

    // FormCreate
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
        return item(menu, name, caption, [this, name] { NewTaskClick(name); });
    };

    QMenu* n1 = submenu(bar->addMenu(QStringLiteral("Файл")), QStringLiteral("N1"));
    item(n1, QStringLiteral("N6"), QStringLiteral("Сохранить как..."), [this] { N6Click(); })->setEnabled(false);
    item(n1, QStringLiteral("N12"), QStringLiteral("Печать из MS Word"), [this] { N12Click(); });
    QAction* print = item(n1, QStringLiteral("Print1"), QStringLiteral("Печать..."), [this] { Print1Click(); });
    print->setShortcut(QKeySequence::Print);
    print->setEnabled(false);
    item(n1, QStringLiteral("ExportPdf1"), QStringLiteral("Экспорт в PDF..."), [this] { ExportPdf1Click(); })
        ->setEnabled(false);
    n1->addSeparator()->setObjectName(QStringLiteral("N9"));
    item(n1, QStringLiteral("N4"), QStringLiteral("Выход"), [this] { N4Click(); });

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
    item(windows1_, QStringLiteral("Tile1"), QStringLiteral("Tile"), [this] { Tile1Click(); });
    item(windows1_, QStringLiteral("Arrange1"), QStringLiteral("Arrange icons"), [this] { Arrange1Click(); });
    item(windows1_, QStringLiteral("Cascade1"), QStringLiteral("Cascade"), [this] { Cascade1Click(); });
    connect(windows1_, &QMenu::aboutToShow, this, &TMainForm::updateWindowMenu);

    // The textbook results of the active exercise beside the rigorous ones.
    QMenu* check1 = submenu(bar->addMenu(QStringLiteral("Проверка")), QStringLiteral("Check1"));
    item(check1, QStringLiteral("Compare1"), QStringLiteral("Сравнить со строгим решением..."),
         [this] { Compare1Click(); })->setEnabled(false);

    QAction* n15 = bar->addAction(QStringLiteral("О программе"));
    n15->setObjectName(QStringLiteral("N15"));
    connect(n15, &QAction::triggered, this, [this] { RunCommand(this, [this] { N15Click(); }); });
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
    QMdiSubWindow* sub = mdiArea_->addSubWindow(form);
    sub->move(position);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(sub, &QObject::destroyed, this, [this] {
        QMetaObject::invokeMethod(this, &TMainForm::updateWindowMenu, Qt::QueuedConnection);
    });
    form->show();
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
    updateWindowMenu();
}

void TMainForm::NewTaskClick(const QString& itemName)
{
    if (TaskForm* form = CreateTaskForm(itemName))
        addTaskForm(form);
}

void TMainForm::N4Click() { close(); }

void TMainForm::setTextEncoding(TextEncoding encoding)
{
    if (encoding == textEncoding_)
        return;
    textEncoding_ = encoding;
    SettingsFile file(settingsPath_);
    WriteTextEncoding(file, encoding);
    file.save();
}

void TMainForm::N6Click()
{
    TextEncoding encoding = textEncoding_;
    const QString fileName = chooseSaveFile_ ? chooseSaveFile_(this, lastSaveFileName_)
                                             : DefaultSaveDialog(this, lastSaveFileName_, encoding);
    if (fileName.isEmpty())
        return;
    lastSaveFileName_ = fileName;
    if (TaskForm* form = activeTaskForm())
        SaveTextReport(*form, fileName, encoding);
    setTextEncoding(encoding);  // remembered once the report is written
}

void TMainForm::Compare1Click()
{
    if (TaskForm* form = activeTaskForm())
        ShowRigorousComparison(*form, this);
}

void TMainForm::N12Click()
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
            ExportPdf1Click();
        else if (way == QLatin1String("Print1"))
            Print1Click();
    }
}

void TMainForm::Print1Click()
{
    TaskForm* form = activeTaskForm();
    if (!form)
        return;
    const WordDocument document = ReportDocument(*form);
    const QString title = form->windowTitle();
    printPreview_ ? printPreview_(document, title, this) : PrintWithPreview(document, title, this);
}

void TMainForm::ExportPdf1Click()
{
    TaskForm* form = activeTaskForm();
    if (!form)
        return;
    const QString folder = lastPdfFolder_.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : lastPdfFolder_;
    const QString suggested = QDir(folder).filePath(DocumentBaseName(form->windowTitle()) + QStringLiteral(".pdf"));
    const QString fileName = choosePdfFile_ ? choosePdfFile_(this, suggested) : ChoosePdfFile(this, suggested);
    if (fileName.isEmpty())
        return;
    lastPdfFolder_ = QFileInfo(fileName).absolutePath();
    ExportPdf(ReportDocument(*form), form->windowTitle(), fileName);
}

TAboutForm* TMainForm::aboutForm()
{
    if (!aboutForm_)
        aboutForm_ = std::make_unique<TAboutForm>();
    return aboutForm_.get();
}

void TMainForm::N15Click() { aboutForm()->exec(); }

void TMainForm::Tile1Click()
{
    // Horizontal tiling: the windows one above the other, full width; more windows than fit
    // in height go into further columns. Minimised windows keep a row at the bottom.
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
    QRect area = mdiArea_->viewport()->rect();
    if (icons)
        area.setBottom(area.bottom() - mdiArea_->fontMetrics().height() * 2);
    const int n = static_cast<int>(windows.size());
    const int minHeight = std::max(1, mdiArea_->fontMetrics().height() * 4);
    const int maxRows = std::max(1, area.height() / minHeight);
    const int columns = (n + maxRows - 1) / maxRows;
    int index = 0;
    for (int c = 0; c < columns; ++c) {
        const int rows = n / columns + (c < n % columns ? 1 : 0);
        const int x0 = area.left() + area.width() * c / columns;
        const int x1 = area.left() + area.width() * (c + 1) / columns;
        for (int r = 0; r < rows; ++r, ++index) {
            const int y0 = area.top() + area.height() * r / rows;
            const int y1 = area.top() + area.height() * (r + 1) / rows;
            QMdiSubWindow* sub = windows[index];
            if (sub->isMaximized())
                sub->showNormal();
            sub->setGeometry(x0, y0, x1 - x0, y1 - y0);
        }
    }
}

void TMainForm::Arrange1Click()
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

void TMainForm::Cascade1Click() { mdiArea_->cascadeSubWindows(); }

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
    for (const char* name : {"N6", "Print1", "ExportPdf1"})
        menuItem(QLatin1String(name))->setEnabled(count != 0);
    menuItem(QStringLiteral("Compare1"))->setEnabled(activeTaskForm() != nullptr);
}

void TMainForm::Timer1Timer()
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
    RunCommand(this, [this] {
        const SettingsFile file(settingsPath_);
        ReadMainPlacement(file, placement_);
    });
    RunCommand(this, [this] { textEncoding_ = ReadTextEncoding(SettingsFile(settingsPath_)); });
    applyPlacement();
    placementPending_ = true;
}

void TMainForm::applyPlacement()
{
    // Top and Left are the frame's corner; Width and Height the outer size.
    const QMargins m = frameMargins();
    appliedMargins_ = m;
    const QSize max = MaxWindowSize();
    const int width = std::clamp(placement_.width - m.left() - m.right(), 1, max.width());
    const int height = std::clamp(placement_.height - m.top() - m.bottom(), 1, max.height());
    if (windowState() != Qt::WindowNoState)
        setWindowState(Qt::WindowNoState);
    move(placement_.left, placement_.top);  // marks the position as chosen: no system placement
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

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
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
