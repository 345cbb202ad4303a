// Tile and Cascade never hide a window's inputs: with 2, 5 and 9 windows in a small and a large
// main window, every title bar and every "Вычислить" lies inside the part of the client area the
// scroll bars reach, and no window is stacked over another's title bar (nor, after Tile, over its
// button; after Cascade the front window's button is uncovered).
#include "app/main_form.h"
#include "app_test_support.h"
#include "catalogue/catalogue.h"
#include "frame/task_form.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>

namespace kvelta {
namespace {

// What the scroll bars let the user bring into view, in the viewport's coordinates.
QRect Reachable(const QMdiArea& area)
{
    const QScrollBar* h = area.horizontalScrollBar();
    const QScrollBar* v = area.verticalScrollBar();
    const QSize viewport = area.viewport()->size();
    return {QPoint(h->minimum() - h->value(), v->minimum() - v->value()),
            QSize(viewport.width() + h->maximum() - h->minimum(), viewport.height() + v->maximum() - v->minimum())};
}

QRect TitleBar(const QMdiSubWindow& sub)
{
    return {sub.geometry().topLeft(), QSize(sub.width(), sub.widget()->geometry().top())};
}

QRect ButtonRect(const QMdiSubWindow& sub, const QWidget& viewport)
{
    const QPushButton* button = static_cast<const TaskForm*>(sub.widget())->button();
    return {button->mapTo(&viewport, QPoint(0, 0)), button->size()};
}

// True when no window stacked above `index` covers any part of `rect`.
bool Uncovered(const QList<QMdiSubWindow*>& stack, qsizetype index, const QRect& rect)
{
    for (qsizetype above = index + 1; above < stack.size(); ++above)
        if (stack[above]->geometry().intersects(rect))
            return false;
    return true;
}

TEST(WindowLayout, TileAndCascadeKeepEveryTitleBarAndButtonInReach)
{
    enum class Arrangement { Tile, Cascade };
    for (const QSize mainSize : {QSize(600, 400), QSize(1280, 800)})
        for (const int count : {2, 5, 9})
            for (const Arrangement arrangement : {Arrangement::Tile, Arrangement::Cascade}) {
                SCOPED_TRACE(testing::Message() << mainSize.width() << "x" << mainSize.height() << ", " << count
                                                << (arrangement == Arrangement::Tile ? " tiled" : " cascaded"));
                test::TempSettings ini;
                TMainForm form(ini.path());
                form.show();
                form.resize(mainSize);
                const auto& catalogue = Catalogue();
                for (int i = 0; i < count; ++i)
                    form.openExercise(catalogue[static_cast<std::size_t>(i) % catalogue.size()]->menu.itemName);
                QApplication::processEvents();
                if (arrangement == Arrangement::Tile)
                    form.tileWindows();
                else
                    form.cascadeWindows();
                QApplication::processEvents();

                const QMdiArea& area = *form.mdiArea();
                const QRect reachable = Reachable(area);
                const QList<QMdiSubWindow*> stack = area.subWindowList(QMdiArea::StackingOrder);
                ASSERT_EQ(stack.size(), count);
                for (qsizetype i = 0; i < stack.size(); ++i) {
                    const QMdiSubWindow& sub = *stack[i];
                    SCOPED_TRACE(sub.windowTitle().toStdString());
                    const QRect title = TitleBar(sub), button = ButtonRect(sub, *area.viewport());
                    EXPECT_TRUE(reachable.contains(title)) << "title bar out of reach";
                    EXPECT_TRUE(reachable.contains(button)) << "button out of reach";
                    EXPECT_TRUE(sub.geometry().contains(button)) << "the window cuts its button off";
                    EXPECT_TRUE(Uncovered(stack, i, title)) << "title bar covered";
                    if (arrangement == Arrangement::Tile || i == stack.size() - 1) {
                        EXPECT_TRUE(Uncovered(stack, i, button)) << "button covered";
                    }
                }
                if (arrangement == Arrangement::Cascade) {
                    EXPECT_EQ(area.activeSubWindow(), stack.back());  // the active window in front
                }
            }
}

}  // namespace
}  // namespace kvelta
