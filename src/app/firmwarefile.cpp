#include "app/firmwarefile.h"

#include "auxiliary/statusstrip.h"
#include "auxiliary/userprompts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int DigestLength = 32;
constexpr int ExtensionLength = 4; // ".bin"

// The value of the leading number of text as the C library's text-to-long
// conversion reads it: blanks, an optional sign, then decimal digits.
int LeadingNumber(QStringView text)
{
    qsizetype i = 0;
    const auto isBlank = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (i < text.size() && isBlank(text[i]))
        ++i;
    int sign = 1;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        sign = text[i] == u'-' ? -1 : 1;
        ++i;
    }
    int value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    return sign * value;
}

// Only a regular file (or a link to one) can hold an image: the folder
// listing also names pipes and devices, and opening a pipe without a writer
// would block the tool for good.
bool IsPlainFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

QString HexDigest(QCryptographicHash &hash)
{
    return QString::fromLatin1(hash.result().toHex().toUpper());
}

} // namespace

FirmwareFileName ParseFirmwareFileName(const QString &fileName)
{
    FirmwareFileName name;
    const qsizetype underscore = fileName.indexOf(QLatin1Char('_'));
    if (underscore < 0)
        return name;
    name.Label = fileName.left(underscore);
    name.Version = LeadingNumber(QStringView(fileName).mid(underscore + 1, 2));
    return name;
}

QString NamedDigest(const QString &path)
{
    if (path.size() < ExtensionLength)
        return {};
    return path.left(path.size() - ExtensionLength).right(DigestLength).toUpper();
}

QString FileMd5(const QString &path)
{
    if (!IsPlainFile(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    QCryptographicHash hash(QCryptographicHash::Md5);
    QByteArray piece(FirmwareHashPiece, Qt::Uninitialized);
    for (;;) {
        const qint64 count = file.read(piece.data(), FirmwareHashPiece);
        if (count < 0)
            return {};
        if (count == 0)
            break;
        hash.addData(QByteArrayView(piece.constData(), count));
    }
    return HexDigest(hash);
}

FirmwareListing ListFirmwareFiles(const QString &folder)
{
    FirmwareListing listing;
    // No folder is no folder, not the current directory.
    if (folder.isEmpty())
        return listing;
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return listing;
    const QDir dir(folder);
    QStringList names =
        dir.entryList({QStringLiteral("*.bin")}, QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseSensitive) < 0; });
    for (const QString &name : std::as_const(names))
        listing.Paths << dir.filePath(name);
    listing.Listed = true;
    return listing;
}

FirmwareCandidate ChooseFirmwareFile(const QStringList &paths, const QString &label,
                                     const WithdrawnVersion &withdrawn)
{
    FirmwareCandidate chosen;
    if (label.isEmpty())
        return chosen;
    for (const QString &path : paths) {
        const FirmwareFileName name = ParseFirmwareFileName(QFileInfo(path).fileName());
        if (name.Label != label || name.Version <= chosen.Version || (withdrawn && withdrawn(name.Version)))
            continue;
        chosen = {path, name.Version};
    }
    return chosen;
}

QString FirmwareProblemText(const FirmwareImage &image)
{
    const QString name = QFileInfo(image.Path).fileName();
    switch (image.Problem) {
    case FirmwareFileProblem::DigestMismatch:
        return QStringLiteral("MD5 Error") + image.ComputedDigest + image.ExpectedDigest;
    case FirmwareFileProblem::Unreadable:
        return QStringLiteral("Firmware file %1 cannot be read").arg(name);
    case FirmwareFileProblem::BadSize:
        return QStringLiteral("Firmware file %1 is not an image: %2 bytes (at most %3)")
            .arg(name)
            .arg(image.FileSize)
            .arg(MaxFirmwareImageSize);
    case FirmwareFileProblem::None:
    case FirmwareFileProblem::NoFile:
        break;
    }
    return {};
}

namespace {

// Reads the whole of bytes from file, feeding each piece to the hash while
// it is fresh in the cache; false when the file ended early or goes on.
bool ReadHashed(QFile &file, QByteArray &bytes, QCryptographicHash &hash)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 count = file.read(bytes.data() + done, std::min<qint64>(FirmwareHashPiece, bytes.size() - done));
        if (count <= 0)
            return false;
        hash.addData(QByteArrayView(bytes.constData() + done, count));
        done += count;
    }
    char more = 0;
    return file.read(&more, 1) == 0;
}

bool SizeFits(qint64 size, int skippedBytes)
{
    return size > skippedBytes && size <= MaxFirmwareImageSize;
}

// Refuses the image for problem; the user sees the refusals that he can
// mend by replacing the file.
FirmwareImage Refused(FirmwareImage image, FirmwareFileProblem problem)
{
    image.Version = 0;
    image.Bytes.clear();
    image.Problem = problem;
    if (problem == FirmwareFileProblem::DigestMismatch || problem == FirmwareFileProblem::BadSize)
        // Without a caption of its own: the message box shows none.
        Prompts().ShowMessage({.Text = FirmwareProblemText(image), .Caption = QString()});
    return image;
}

} // namespace

FirmwareImage FindFirmwareFile(const QString &folder, const QString &label, const WithdrawnVersion &withdrawn,
                               StatusStrip &strip, int skippedBytes)
{
    FirmwareImage image;
    const FirmwareCandidate chosen = ChooseFirmwareFile(ListFirmwareFiles(folder).Paths, label, withdrawn);
    if (chosen.Version == 0)
        return image;
    image.Path = chosen.Path;
    const bool oneTime = chosen.Version == OneTimeFirmwareVersion;

    // The file is read once, and the digest is taken of the bytes read: a
    // file replaced after its check cannot slip through unchecked. The size
    // is checked before anything is allocated, and a file that shrank or
    // grew while it was read is not the one that was measured.
    QFile file(chosen.Path);
    QCryptographicHash hash(QCryptographicHash::Md5);
    bool sizeFits = true;
    bool read = false;
    if (IsPlainFile(chosen.Path) && file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        image.FileSize = file.size();
        sizeFits = SizeFits(image.FileSize, skippedBytes);
        if (sizeFits) {
            image.Bytes = QByteArray(image.FileSize, Qt::Uninitialized);
            read = ReadHashed(file, image.Bytes, hash);
        }
        file.close();
    }
    // A one-time image is used once at most, whatever became of it.
    if (oneTime)
        QFile::remove(chosen.Path);
    if (!sizeFits)
        return Refused(image, FirmwareFileProblem::BadSize);
    if (!read)
        return Refused(image, FirmwareFileProblem::Unreadable);

    if (!oneTime) {
        image.ComputedDigest = HexDigest(hash);
        image.ExpectedDigest = NamedDigest(chosen.Path);
        if (image.ComputedDigest != image.ExpectedDigest)
            return Refused(image, FirmwareFileProblem::DigestMismatch);
    }
    image.Version = chosen.Version;
    image.Problem = FirmwareFileProblem::None;
    strip.SetProgress(0, image.size());
    return image;
}

FirmwareImage CheckFirmwareFile(const QString &folder, const QString &label, const WithdrawnVersion &withdrawn,
                                int skippedBytes)
{
    FirmwareImage image;
    const FirmwareCandidate chosen = ChooseFirmwareFile(ListFirmwareFiles(folder).Paths, label, withdrawn);
    if (chosen.Version == 0)
        return image;
    image.Path = chosen.Path;
    image.FileSize = QFileInfo(chosen.Path).size();
    image.Problem = FirmwareFileProblem::Unreadable;
    if (!IsPlainFile(chosen.Path))
        return image;
    if (!SizeFits(image.FileSize, skippedBytes)) {
        image.Problem = FirmwareFileProblem::BadSize;
        return image;
    }
    if (chosen.Version != OneTimeFirmwareVersion) {
        image.ComputedDigest = FileMd5(chosen.Path);
        image.ExpectedDigest = NamedDigest(chosen.Path);
        if (image.ComputedDigest.isEmpty())
            return image;
        if (image.ComputedDigest != image.ExpectedDigest) {
            image.Problem = FirmwareFileProblem::DigestMismatch;
            return image;
        }
    }
    image.Version = chosen.Version;
    image.Problem = FirmwareFileProblem::None;
    return image;
}
