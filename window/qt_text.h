#pragma once

#include <QString>
#include <string_view>

namespace switchsim {

/// A UTF-8 text of the form's as a Qt string.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace switchsim
