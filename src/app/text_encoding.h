#pragma once
// The encoding «Сохранить как...» writes the text report in: Windows-1251 with CR LF line ends
// (the report as it always was, byte for byte), or UTF-8 with LF line ends, as text editors on a
// Linux desktop read it. The last choice is kept in Kvelta.ini, section "Report", key "Encoding".

#include "frame/exercise.h"
#include "frame/report_view.h"

#include <QByteArray>
#include <QString>

namespace kvelta {

class SettingsFile;

enum class TextEncoding { Windows1251, Utf8 };

// The file-type filters of the Save dialog, Windows-1251 first, and the encoding of each.
QString TextEncodingFilter(TextEncoding encoding);
TextEncoding TextEncodingOfFilter(const QString& filter);

// Any value other than "UTF-8" (case-insensitive) reads as Windows-1251.
TextEncoding ReadTextEncoding(const SettingsFile& file);
void WriteTextEncoding(SettingsFile& file, TextEncoding encoding);

// The bytes of the report file in the encoding. In UTF-8 every character is kept, also one that
// Windows-1251 cannot hold.
QByteArray TextReportIn(TextEncoding encoding, const ReportView& view, ReportLayout layout);

}  // namespace kvelta
