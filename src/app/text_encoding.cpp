#include "app/text_encoding.h"

#include "app/settings.h"
#include "reports/text_report.h"

namespace kvelta {

namespace {

const QString kSection = QStringLiteral("Report");
const QString kKey = QStringLiteral("Encoding");
const QString kUtf8 = QStringLiteral("UTF-8");
const QString kWindows1251 = QStringLiteral("Windows-1251");

}  // namespace

QString TextEncodingFilter(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QStringLiteral("Текст UTF-8 (*.txt)")
                                          : QStringLiteral("Текст Windows-1251 (*.txt)");
}

TextEncoding TextEncodingOfFilter(const QString& filter)
{
    return filter == TextEncodingFilter(TextEncoding::Utf8) ? TextEncoding::Utf8 : TextEncoding::Windows1251;
}

TextEncoding ReadTextEncoding(const SettingsFile& file)
{
    const QString value = file.readString(kSection, kKey, kWindows1251);
    return value.compare(kUtf8, Qt::CaseInsensitive) == 0 ? TextEncoding::Utf8 : TextEncoding::Windows1251;
}

void WriteTextEncoding(SettingsFile& file, TextEncoding encoding)
{
    file.writeString(kSection, kKey, encoding == TextEncoding::Utf8 ? kUtf8 : kWindows1251);
}

QByteArray TextReportIn(TextEncoding encoding, const ReportView& view, ReportLayout layout)
{
    return encoding == TextEncoding::Windows1251 ? TextReportBytes(view, layout) : TextReportUtf8Bytes(view, layout);
}

}  // namespace kvelta
