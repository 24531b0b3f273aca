#pragma once
// Small helpers the editor's window and its file handling share.

#include "common/Files.h"

#include <QFileInfo>
#include <QString>
#include <string>

namespace gravlin {

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Whether a file exists, its name matched without regard to letter case.
inline bool FileExists(const std::string& path) {
    return QFileInfo::exists(Q(FindFileNoCase(path)));
}

} // namespace gravlin
