#include "referencerecords.h"

#include <QFile>

namespace {

int HexDigit(char character)
{
    if (character >= '0' && character <= '9')
        return character - '0';
    if (character >= 'a' && character <= 'f')
        return character - 'a' + 10;
    if (character >= 'A' && character <= 'F')
        return character - 'A' + 10;
    return -1;
}

} // namespace

std::optional<QByteArray> ParseAnnotatedHex(QByteArrayView text)
{
    QByteArray bytes;
    qsizetype i = 0;
    while (i < text.size()) {
        const char character = text[i];
        if (character == ' ' || character == '\t' || character == '\r' || character == '\n') {
            ++i;
        } else if (character == '#') {
            while (i < text.size() && text[i] != '\n')
                ++i;
        } else if (character == '"') {
            const qsizetype end = text.indexOf('"', i + 1);
            if (end < 0)
                return std::nullopt;
            bytes.append(text.sliced(i + 1, end - i - 1));
            i = end + 1;
        } else {
            const int high = HexDigit(character);
            const int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
            const bool separated = i + 2 >= text.size() || HexDigit(text[i + 2]) < 0;
            if (high < 0 || low < 0 || !separated)
                return std::nullopt;
            bytes.append(char(high << 4 | low));
            i += 2;
        }
    }
    return bytes;
}

QByteArray ReferenceRecord(const QString &name)
{
    QFile file(QStringLiteral(RERUDAD_TEST_DATA "/records/%1.hex").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseAnnotatedHex(file.readAll()).value_or(QByteArray());
}
