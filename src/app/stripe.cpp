#include "app/stripe.h"

#include <QPainter>

namespace kvelta {

QRgb StripeColor(int offset, int x)
{
    // 64-bit sum: a window wider than INT_MAX - offset must not overflow.
    long long a = static_cast<long long>(offset) + x;
    if (a > 254)
        a %= 255;
    // A negative phase never occurs; keep the channels in range should it ever do.
    const int v = a < 0 ? 0 : static_cast<int>(a);
    return qRgb(v, v / 2, v / 3);
}

StripeOverlay::StripeOverlay(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Stripe"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);  // nothing beneath needs painting
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void StripeOverlay::setOffset(int offset)
{
    if (offset == offset_)
        return;
    offset_ = offset;
    update();
}

void StripeOverlay::paintEvent(QPaintEvent*)
{
    const int w = width();
    if (w <= 0)
        return;
    if (strip_.width() != w)
        strip_ = QImage(w, kHeight, QImage::Format_RGB32);
    auto* row0 = reinterpret_cast<QRgb*>(strip_.scanLine(0));
    auto* row1 = reinterpret_cast<QRgb*>(strip_.scanLine(1));
    for (int x = 0; x < w; ++x)
        row0[x] = row1[x] = StripeColor(offset_, x);
    QPainter(this).drawImage(0, 0, strip_);
}

}  // namespace kvelta
