#pragma once
// The window shows Unicode; the program holds GBK.

#include <QString>

#include "runtime/codepage.h"

namespace panscout {

inline QString ToQString(const Text& gbk) { return QString::fromStdU16String(GbkToUtf16(gbk)); }
inline Text FromQString(const QString& s) { return Utf16ToGbk(s.toStdU16String()); }
// Interface literals, written in UTF-8 in the sources.
inline QString Ui(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace panscout
