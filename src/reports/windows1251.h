#pragma once
// The single-byte Windows-1251 code page of the report files.

#include <QByteArray>
#include <QString>

namespace kvelta {

// One byte per character: the character's Windows-1251 byte, or "?" for a character the code
// page cannot hold (and for a lone surrogate), as the system's own conversion writes it.
QByteArray ToWindows1251(const QString& text);

// The number of bytes the text takes in Windows-1251: one per character.
int Windows1251Length(const QString& text);

}  // namespace kvelta
