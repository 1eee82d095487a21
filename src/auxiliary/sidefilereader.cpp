#include "auxiliary/sidefilereader.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace {

void PassOverRestOfLine(QIODevice &source)
{
    constexpr qint64 PieceSize = 4096;
    for (;;) {
        const QByteArray piece = source.readLine(PieceSize);
        if (piece.isEmpty() || piece.endsWith('\n'))
            return;
    }
}

} // namespace

bool OpenSideFile(QFile &file)
{
    return QFileInfo(file.fileName()).isFile() && file.open(QIODevice::ReadOnly);
}

std::optional<SideFileLine> ReadSideFileLine(QIODevice &source, qsizetype maxLength)
{
    SideFileLine line;
    line.Bytes = source.readLine(maxLength + 1);
    if (line.Bytes.isEmpty())
        return std::nullopt;
    if (line.Bytes.endsWith('\n')) {
        line.Bytes.chop(1);
    } else if (!source.atEnd()) {
        line.Overlong = true;
        PassOverRestOfLine(source);
    }
    if (line.Bytes.endsWith('\r'))
        line.Bytes.chop(1);
    return line;
}

QByteArrayView WithoutByteOrderMark(QByteArrayView bytes)
{
    constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF");
    return bytes.startsWith(Utf8Mark) ? bytes.sliced(Utf8Mark.size()) : bytes;
}

bool IsValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoder only notices a bad sequence while it produces the text.
    [[maybe_unused]] const QString decoded = decoder(bytes);
    return !decoder.hasError();
}

QString DecodeSideText(QByteArrayView bytes)
{
    return IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}
