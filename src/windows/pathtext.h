#pragma once

// Paths and core messages between the core's byte strings and Qt's strings. Paths are held by
// the core as the file system spells them; messages from the core carry such paths.

#include <QFile>
#include <QString>
#include <string>

namespace zyn {

inline std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

inline QString fromNative(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

} // namespace zyn
