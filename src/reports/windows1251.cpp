#include "reports/windows1251.h"

#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace kvelta {
namespace {

// The byte of each character the code page holds, as the system's own conversion decodes the
// bytes 128 to 255 (byte 152 has no character); zero for a character it does not hold.
class CodePage {
public:
    CodePage() : bytes_(0x10000, 0)
    {
        iconv_t cd = iconv_open("UTF-32LE", "WINDOWS-1251");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert from WINDOWS-1251");
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            char in = static_cast<char>(byte);
            unsigned char out[4] = {};
            char* inPtr = &in;
            std::size_t inLeft = 1;
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != 0 || outLeft != 0)
                continue;
            const char32_t codePoint = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
            if (codePoint >= 0x80 && codePoint < 0x10000)
                bytes_[codePoint] = static_cast<char>(byte);
        }
        iconv_close(cd);
    }

    // The byte of a character of the Basic Multilingual Plane, or "?" when the code page has none.
    char byteOf(char16_t unit) const { return bytes_[unit] ? bytes_[unit] : '?'; }

private:
    std::vector<char> bytes_;
};

const CodePage& Windows1251()
{
    static const CodePage codePage;
    return codePage;
}

}  // namespace

QByteArray ToWindows1251(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* to = bytes.data();
    const CodePage& codePage = Windows1251();
    // ASCII maps to itself; a character beyond the 16-bit range, or half of one, has no byte.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit < 0x80) {
            *to++ = static_cast<char>(unit);
        } else if (QChar::isSurrogate(unit)) {
            if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            *to++ = '?';
        } else {
            *to++ = codePage.byteOf(unit);
        }
    }
    bytes.truncate(to - bytes.constData());
    return bytes;
}

int Windows1251Length(const QString& text)
{
    int length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++length;
    }
    return length;
}

}  // namespace kvelta
