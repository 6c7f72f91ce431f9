#pragma once

#include "host/KxString.h"

#include <QString>

// The host's text as Qt's and back, one way for the desktop palette, the program and their tests.
inline QString toQString(const KxString& string) {
    return QString::fromStdWString(string.wstr());
}

inline KxString toKxString(const QString& string) {
    return KxString(string.toStdWString());
}
