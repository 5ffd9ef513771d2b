// Texts between ORV (bytes, UTF-8 passes through) and Qt (QString).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace orv {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQString(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace orv
