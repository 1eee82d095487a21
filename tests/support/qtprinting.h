#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Test failures show texts and bytes as such, not as arrays of 16-bit
// objects. Google Test finds these by argument-dependent lookup.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << bytes.toHex(' ').toStdString();
}
