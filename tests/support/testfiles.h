#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files that tests prepare and inspect.

// The whole file, or nothing when it cannot be read.
QByteArray ReadAll(const QString &path);
// Writes the file whole, making its folder first; a failure fails the test.
void WriteAll(const QString &path, const QByteArray &contents);
// Empty files of these names in a folder, made when missing.
void PutEmptyFiles(const QString &folder, const QStringList &names);
