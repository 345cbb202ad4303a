#include "app/about_form.h"
#include "app/jpeg_image.h"
#include "app/main_form.h"
#include "app_test_support.h"
#include "support/window_test.h"

#include <QFile>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace kvelta {
namespace {

using test::TempSettings;

TEST(AboutPicture, DecodesToItsSize)
{
    const QImage picture = TAboutForm::LoadPicture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(340, 508));
    // A colour picture, not grey.
    bool colour = false;
    for (int y = 0; y < picture.height() && !colour; y += 7)
        for (int x = 0; x < picture.width() && !colour; x += 7) {
            const QRgb p = picture.pixel(x, y);
            colour = qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        }
    EXPECT_TRUE(colour);
}

TEST(AboutPicture, BrokenDataGivesNoPictureAndNoCrash)
{
    QFile file(":/app/about.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    EXPECT_TRUE(DecodeJpeg({}).isNull());
    EXPECT_TRUE(DecodeJpeg("not a picture").isNull());
    EXPECT_TRUE(DecodeJpeg(good.left(20)).isNull());
    QByteArray header = good;
    header[3] = '\x00';  // a damaged marker
    (void)DecodeJpeg(header);
    // A truncated body still decodes as far as it goes (libjpeg pads the rest).
    const QImage truncated = DecodeJpeg(good.left(good.size() / 2));
    if (!truncated.isNull()) {
        EXPECT_EQ(truncated.size(), QSize(340, 508));
    }
    for (int cut = 0; cut < good.size(); cut += 997)
        (void)DecodeJpeg(good.left(cut));
}

TEST(AboutForm, LayoutAsDesigned)
{
    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), "О программе");
    EXPECT_EQ(form.size(), QSize(337, 446));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_TRUE(form.windowFlags() & Qt::Tool);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.font().families().value(0), "MS Sans Serif");
    EXPECT_EQ(form.font().pointSize(), 8);
    // Creation order is painting order: later labels lie over earlier ones.
    QStringList order;
    for (QObject* child : form.children())
        if (child->objectName().startsWith("Label") || child->objectName() == "Image1")
            order << child->objectName();
    EXPECT_EQ(order, QStringList({"Image1", "Label5", "Label6", "Label2", "Label3", "Label1", "Label4", "Label7",
                                  "Label8", "Label9"}));
    const struct {
        const char* name;
        QPoint pos;
        const char* text;
        int pixelSize;
        QColor color;
    } labels[] = {
        {"Label5", {41, 338}, "Kvelta", 21, QColor(128, 128, 128)},
        {"Label6", {39, 335}, "Kvelta", 21, Qt::white},
        {"Label2", {121, 392}, "Закрыть", 16, QColor(128, 128, 128)},
        {"Label3", {119, 390}, "Закрыть", 16, Qt::white},
        {"Label1", {120, 391}, "Закрыть", 16, Qt::black},
        {"Label4", {40, 336}, "Kvelta", 21, Qt::black},
        {"Label7", {256, 2}, nullptr, 11, QColor(0, 255, 255)},
        {"Label8", {296, 424}, "2026", 11, Qt::black},
        {"Label9", {8, 421}, "kvelta@example.org", 11, QColor(0, 0, 255)},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.name);
        QLabel* label = form.label(l.name);
        ASSERT_TRUE(label);
        EXPECT_EQ(label->pos(), l.pos);
        if (l.text) {
            EXPECT_EQ(label->text(), l.text);
        }
        EXPECT_EQ(label->font().pixelSize(), l.pixelSize);
        EXPECT_EQ(label->font().families().value(0), "Tahoma");
        EXPECT_EQ(label->font().bold(), l.pixelSize != 11);  // the title and "Закрыть" only
        EXPECT_EQ(label->palette().color(QPalette::WindowText), l.color);
        EXPECT_FALSE(label->autoFillBackground());
        // Everything inside the window: nothing of the text is cut off.
        EXPECT_LE(label->geometry().right(), 336);
    }
    EXPECT_TRUE(form.label("Label9")->font().underline());
    EXPECT_EQ(form.label("Label9")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(form.label("Label1")->size(), form.label("Label2")->size());
    EXPECT_EQ(form.label("Image1")->geometry(), QRect(0, 0, 340, 508));
}

// A click where the application would deliver it: the topmost child at that point that takes
// mouse events, else the window itself.
void ClickAt(QWidget& window, const QPoint& pos)
{
    QWidget* target = window.childAt(pos);
    if (!target)
        target = &window;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window, pos));
}

// Runs `check` once the modal showing of the About window has begun; closes it should the
// check leave it open, so that a failure cannot hang the test.
void WhileShown(TMainForm& main, const std::function<void(TAboutForm&)>& check)
{
    bool ran = false;
    QTimer::singleShot(0, &main, [&] {
        ran = true;
        check(*main.aboutForm());
        if (main.aboutForm()->isVisible())
            main.aboutForm()->reject();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &main, [&] { main.aboutForm()->reject(); });
    watchdog.start(10000);
    main.menuItem("N15")->trigger();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(main.aboutForm()->isVisible());
}

TEST(AboutForm, OnlyTheBlackCloseLabelCloses)
{
    TempSettings ini;
    TMainForm main(ini.path());
    TAboutForm* about = main.aboutForm();
    WhileShown(main, [&](TAboutForm& form) {
        EXPECT_EQ(&form, about);
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.isModal());
        const QRect black = form.label("Label1")->geometry();
        const QRect grey = form.label("Label2")->geometry();
        const QRect white = form.label("Label3")->geometry();
        // The one-pixel edges where only the grey or only the white copy lies.
        const QPoint greyEdges[] = {{black.right() + 1, grey.center().y()}, {grey.center().x(), black.bottom() + 1}};
        const QPoint whiteEdges[] = {{black.left() - 1, white.center().y()}, {white.center().x(), black.top() - 1}};
        for (const QPoint& p : greyEdges) {
            ASSERT_TRUE(grey.contains(p));
            ClickAt(form, p);
            EXPECT_TRUE(form.isVisible()) << p.x() << "," << p.y();
        }
        for (const QPoint& p : whiteEdges) {
            ASSERT_TRUE(white.contains(p));
            ClickAt(form, p);
            EXPECT_TRUE(form.isVisible()) << p.x() << "," << p.y();
        }
        // Neither do the title, the picture or the year.
        ClickAt(form, form.label("Label4")->geometry().center());
        ClickAt(form, QPoint(170, 170));
        EXPECT_TRUE(form.isVisible());
        ClickAt(form, black.center());
        EXPECT_FALSE(form.isVisible());
    });
    // The same window again, unchanged.
    WhileShown(main, [&](TAboutForm& form) {
        EXPECT_EQ(&form, about);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.size(), QSize(337, 446));
        EXPECT_EQ(form.label("Label9")->text(), "kvelta@example.org");
        form.close();
        EXPECT_FALSE(form.isVisible());
    });
}

TEST(AboutForm, MailLinkOpensMailtoAndStaysOpen)
{
    QList<QUrl> opened;
    TAboutForm::SetUrlOpener([&](const QUrl& url) {
        opened << url;
        return false;  // no mail program: nothing is shown
    });
    TempSettings ini;
    TMainForm main(ini.path());
    test::ErrorRecorder errors;
    WhileShown(main, [&](TAboutForm& form) {
        ClickAt(form, form.label("Label9")->geometry().center());
        EXPECT_TRUE(form.isVisible());
    });
    TAboutForm::SetUrlOpener({});
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toString(), "mailto:kvelta@example.org");
    EXPECT_EQ(opened[0].scheme(), "mailto");
    EXPECT_TRUE(errors.messages.isEmpty());
}

}  // namespace
}  // namespace kvelta
