#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/cp1252.h"

namespace orv::gui {

// Stored strings are Windows-1252; Qt speaks Unicode.
inline QString fromCp1252(const std::string& text) { return QString::fromStdString(cp1252ToUtf8(text)); }
inline std::string toCp1252(const QString& text) { return utf8ToCp1252(text.toStdString()); }

// The program's own captions and names, kept as plain ASCII in its tables.
inline QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace orv::gui
