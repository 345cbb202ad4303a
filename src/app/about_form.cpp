#include "app/about_form.h"

#include "app/jpeg_image.h"
#include "frame/error_box.h"

#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>

// The picture lives in the static library; without this the linker drops the resource.
static void InitAboutResource() { Q_INIT_RESOURCE(about); }

namespace kvelta {

namespace {

const QString kAuthor = QStringLiteral("Кафедра\nвысшей\nгеодезии");
const QString kYear = QStringLiteral("2026");
const QString kMail = QStringLiteral("kvelta@example.org");

TAboutForm::UrlOpener& Opener()
{
    static TAboutForm::UrlOpener opener;
    return opener;
}

// The labels' typeface; Tahoma where installed, else a close sans serif.
QFont LabelFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        if (rect().contains(event->position().toPoint()))
            emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

QImage TAboutForm::LoadPicture()
{
    InitAboutResource();
    QFile file(QStringLiteral(":/app/about.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeJpeg(file.readAll());
}

void TAboutForm::SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("О программе"));
    // The window's own font; every label below sets its own typeface and size over it.
    QFont windowFont;
    windowFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                            QStringLiteral("DejaVu Sans")});
    windowFont.setPointSize(8);
    setFont(windowFont);
    setFixedSize(kClientWidth, kClientHeight);
    setSizeGripEnabled(false);

    // Image1 first: every label is painted over it. It is larger than the window and cut off.
    picture_ = LoadPicture();
    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (!picture_.isNull()) {
        image1->setPixmap(QPixmap::fromImage(picture_));
        image1->setGeometry(0, 0, picture_.width(), picture_.height());
    }

    const QColor grey(128, 128, 128), white(255, 255, 255), black(0, 0, 0);
    const QString title = QStringLiteral("Kvelta");
    const QString close = QStringLiteral("Закрыть");
    // Each embossed text: grey one pixel down-right, white one pixel up-left, black on top.
    addLabel(QStringLiteral("Label5"), title, 41, 338, LabelFont(21, true), grey);
    addLabel(QStringLiteral("Label6"), title, 39, 335, LabelFont(21, true), white);
    addLabel(QStringLiteral("Label2"), close, 121, 392, LabelFont(16, true), grey);
    addLabel(QStringLiteral("Label3"), close, 119, 390, LabelFont(16, true), white);
    auto* label1 = static_cast<ClickLabel*>(
        addLabel(QStringLiteral("Label1"), close, 120, 391, LabelFont(16, true), black, true));
    addLabel(QStringLiteral("Label4"), title, 40, 336, LabelFont(21, true), black);
    addLabel(QStringLiteral("Label7"), kAuthor, 256, 2, LabelFont(11, false), QColor(0, 255, 255));
    addLabel(QStringLiteral("Label8"), kYear, 296, 424, LabelFont(11, false), black);
    QFont linkFont = LabelFont(11, false);
    linkFont.setUnderline(true);
    auto* label9 = static_cast<ClickLabel*>(
        addLabel(QStringLiteral("Label9"), kMail, 8, 421, linkFont, QColor(0, 0, 255), true));
    label9->setCursor(Qt::PointingHandCursor);

    connect(label1, &ClickLabel::clicked, this, [this] { RunCommand(this, [this] { closeClicked(); }); });
    connect(label9, &ClickLabel::clicked, this, [this] { RunCommand(this, [this] { mailClicked(); }); });
}

QLabel* TAboutForm::addLabel(const QString& name, const QString& text, int left, int top, const QFont& font,
                             const QColor& color, bool clickable)
{
    QLabel* label = clickable ? new ClickLabel(text, this) : new QLabel(text, this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setAutoFillBackground(false);  // the picture shows between the letters
    label->setContentsMargins(0, 0, 0, 0);
    label->setMargin(0);
    // Only the black "Закрыть" and the mail link take clicks; a click on the edge of a grey or
    // white copy reaches the window itself and does nothing.
    if (!clickable)
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->adjustSize();
    label->move(left, top);
    return label;
}

QLabel* TAboutForm::label(const QString& name) const { return findChild<QLabel*>(name); }

void TAboutForm::closeClicked() { close(); }

void TAboutForm::mailClicked()
{
    // A URI holds no blank: the address follows "mailto:" directly.
    const QUrl url(QStringLiteral("mailto:") + label(QStringLiteral("Label9"))->text());
    // Without a mail handler the call fails quietly and the window stays open.
    if (Opener())
        Opener()(url);
    else
        QDesktopServices::openUrl(url);
}

void TAboutForm::showEvent(QShowEvent* event)
{
    // Centred on the screen at every showing.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

}  // namespace kvelta
