#include "firmwarefiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <numeric>

QByteArray TaggedFirmwareImage(int size, int version, int tagAt)
{
    QByteArray image(size, Qt::Uninitialized);
    quint32 state = 0x12345678u + quint32(version);
    for (int i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        image[i] = char(i % 7 == 0 ? 0x02 : (state >> 16) & 0xFF);
    }
    const QByteArray tag = QByteArray("DEVSIM-FIRMWARE") + char(version);
    if (tagAt + tag.size() <= size)
        image.replace(tagAt, tag.size(), tag);
    return image;
}

QString ReferenceMd5(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());
}

QString WriteFirmwareFile(const QString &folder, const QString &label, int version, const QByteArray &image,
                          NamedDigestCase digestCase)
{
    QString digest = ReferenceMd5(digestCase == NamedDigestCase::Wrong ? image + "other" : image);
    if (digestCase == NamedDigestCase::Lower)
        digest = digest.toLower();
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(
        QStringLiteral("%1_%2_%3.bin").arg(label).arg(version, 2, 10, QLatin1Char('0')).arg(digest));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
        return {};
    return path;
}

QByteArray Le32Hex(quint32 value)
{
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char((value >> shift) & 0xFF));
    return bytes.toHex();
}

quint32 ByteSum(const QByteArray &bytes)
{
    return std::accumulate(bytes.begin(), bytes.end(), quint32(0),
                           [](quint32 sum, char byte) { return sum + quint8(byte); });
}
