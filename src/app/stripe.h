#pragma once
// The moving colour stripe along the top edge of the main window.

#include <QImage>
#include <QRgb>
#include <QWidget>

namespace kvelta {

// The colour of stripe pixel x at phase `offset`: a := offset + x, wrapped into 0 … 254
// (255 values, so red never reaches 255), then red a, green a div 2, blue a div 3.
QRgb StripeColor(int offset, int x);

// Two pixel rows over the top of the main window's surface, above its menu bar. It paints
// only its own strip, so a tick costs a 2-row repaint, not a window repaint.
class StripeOverlay : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 2;

    explicit StripeOverlay(QWidget* parent);

    // Draws the stripe at this phase (repaints the strip when it changed).
    void setOffset(int offset);
    int offset() const { return offset_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int offset_ = 0;
    QImage strip_;
};

}  // namespace kvelta
