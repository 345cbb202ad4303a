#pragma once
// JPEG decoding with libjpeg (the About window's picture).

#include <QByteArray>
#include <QImage>

namespace kvelta {

// The decoded picture as RGB; a null image when the data is not a decodable JPEG
// (libjpeg's errors end up here instead of ending the program).
QImage DecodeJpeg(const QByteArray& data);

}  // namespace kvelta
