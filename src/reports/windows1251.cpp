#include "reports/windows1251.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace kvelta {
namespace {

class Converter {
public:
    Converter() : cd_(iconv_open("WINDOWS-1251", "UTF-32LE"))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert to WINDOWS-1251");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The byte of one character, or "?" when the code page has none.
    char byteOf(char32_t codePoint)
    {
        unsigned char in[4] = {static_cast<unsigned char>(codePoint), static_cast<unsigned char>(codePoint >> 8),
                               static_cast<unsigned char>(codePoint >> 16),
                               static_cast<unsigned char>(codePoint >> 24)};
        char out[8];
        char* inPtr = reinterpret_cast<char*>(in);
        std::size_t inLeft = sizeof in;
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh conversion state every time
        const std::size_t done = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
        // A single-byte code page gives exactly one byte for a character it holds; anything
        // else (no mapping, an irreversible substitute, no output) is written as "?".
        if (done != 0 || inLeft != 0 || outPtr - out != 1)
            return '?';
        return out[0];
    }

private:
    iconv_t cd_;
};

}  // namespace

QByteArray ToWindows1251(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    Converter converter;
    // ASCII maps to itself; only the other characters go through iconv, one at a time, so that
    // one unmappable character costs one "?" and never the rest of the text.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit < 0x80) {
            bytes.append(static_cast<char>(unit));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            bytes.append(converter.byteOf(QChar::surrogateToUcs4(unit, text.at(i + 1).unicode())));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            bytes.append('?');
        } else {
            bytes.append(converter.byteOf(unit));
        }
    }
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
