#pragma once
// The About window: a picture with the embossed title, an embossed "Закрыть" that closes the
// window, an author line, a year line and a mail link.

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <functional>

class QUrl;

namespace kvelta {

// A label that reports a left click (press and release inside it).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 337;
    static constexpr int kClientHeight = 446;

    explicit TAboutForm(QWidget* parent = nullptr);

    // The picture as decoded at creation (null when it could not be decoded).
    const QImage& picture() const { return picture_; }
    QLabel* label(const QString& name) const;

    void closeClicked();
    void mailClicked();

    // Opens a URL with the desktop's handler; tests put a recorder in its place.
    using UrlOpener = std::function<bool(const QUrl&)>;
    static void SetUrlOpener(UrlOpener opener);  // an empty opener restores the desktop's

    // The picture resource, decoded with libjpeg.
    static QImage LoadPicture();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* addLabel(const QString& name, const QString& text, int left, int top, const QFont& font,
                     const QColor& color, bool clickable = false);

    QImage picture_;
};

}  // namespace kvelta
