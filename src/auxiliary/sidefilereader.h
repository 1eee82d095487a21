#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <optional>

// Reading the small text files beside the program safely: the start-up
// files and the channel list share these rules.

// Opens path for reading only when it is a regular file: a folder, a
// device or a named pipe of that name does not count (a pipe would block).
bool OpenSideFile(QFile &file);

// One line without its line break ("\n" or "\r\n"). A line longer than the
// limit is Overlong: Bytes holds only its beginning and the rest of it has
// been passed over, so that the next read starts on the next line.
struct SideFileLine
{
    QByteArray Bytes;
    bool Overlong = false;
};
std::optional<SideFileLine> ReadSideFileLine(QIODevice &source, qsizetype maxLength);

// Side files are ISO 8859-1, the device's own character set, unless they
// are valid UTF-8; a UTF-8 byte order mark is dropped.
QByteArrayView WithoutByteOrderMark(QByteArrayView bytes);
bool IsValidUtf8(QByteArrayView bytes);
QString DecodeSideText(QByteArrayView bytes);
