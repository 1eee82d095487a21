#include "panel/deviceactions.h"

#include "auxiliary/beep.h"
#include "auxiliary/texttable.h"
#include "auxiliary/userprompts.h"
#include "config/configfile.h"
#include "link/cxmit.h"

#include <QDateTime>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr int DisplayWidth = 128;
constexpr int DisplayHeight = 64;
constexpr int BitmapRowBytes = DisplayWidth / 8;
constexpr int BitmapHeaderSize = 62;

void AppendLe16(QByteArray &out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void AppendLe32(QByteArray &out, quint32 value)
{
    AppendLe16(out, quint16(value & 0xFFFF));
    AppendLe16(out, quint16(value >> 16));
}

QByteArray BitmapHeader()
{
    QByteArray header;
    header.append("BM", 2);
    AppendLe32(header, SnapshotFileSize);
    AppendLe16(header, 0);
    AppendLe16(header, 0);
    AppendLe32(header, BitmapHeaderSize);
    AppendLe32(header, 40); // information header size
    AppendLe32(header, DisplayWidth);
    AppendLe32(header, DisplayHeight); // positive: bottom row first
    AppendLe16(header, 1);             // planes
    AppendLe16(header, 1);             // bits per pixel
    AppendLe32(header, 0);             // no compression
    AppendLe32(header, SnapshotPictureSize);
    AppendLe32(header, 0); // resolution
    AppendLe32(header, 0);
    AppendLe32(header, 0); // colours used: all
    AppendLe32(header, 0); // important colours: all
    AppendLe32(header, 0x00000000); // entry 0: black
    AppendLe32(header, 0x00FFFFFF); // entry 1: white (blue, green, red, reserved)
    return header;
}

PromptAnswer AskEdidQuestion(TextId row)
{
    MessagePrompt question;
    question.Text = GetText(row);
    question.Caption = QStringLiteral("RERUDAD");
    question.Icon = PromptIcon::Warning;
    question.Buttons = PromptButtons::OkCancel;
    question.CancelIsDefault = true;
    return Prompts().ShowMessage(question);
}

} // namespace

ClockFields ComputerClock(const QDateTime &localTime)
{
    if (!localTime.isValid())
        return ClockFields{0, 0, 0, 0xFF, 0xFF, 0xFF};
    return ClockFieldsOf(localTime);
}

bool SetClockFromComputer(CXmit &xmit)
{
    return SendDeviceClock(xmit, ComputerClock(QDateTime::currentDateTime()));
}

bool ResetDevice(CXmit &xmit)
{
    const bool sent = xmit.Send(CMD_REBOOT);
    xmit.CloseSerialPort();
    return sent;
}

std::optional<QByteArray> RequestSnapshot(CXmit &xmit)
{
    if (!xmit.Send(CMD_SNAPSHOT) || xmit.ReplyPayload.size() < SnapshotPictureSize)
        return std::nullopt;
    return xmit.ReplyPayload.left(SnapshotPictureSize);
}

QByteArray SnapshotBitmap(const QByteArray &picture)
{
    QByteArray pixels(SnapshotPictureSize, '\0');
    const qsizetype bytes = std::min<qsizetype>(picture.size(), SnapshotPictureSize);
    for (qsizetype k = 0; k < bytes; ++k) {
        const quint8 column = quint8(picture[k]);
        const int page = int(k / DisplayWidth);
        const int x = int(k % DisplayWidth);
        for (int bit = 0; bit < 8; ++bit) {
            if (!(column & (1 << bit)))
                continue;
            const int line = 8 * page + bit;
            const int row = DisplayHeight - 1 - line; // bottom row first
            char &pixelByte = pixels[row * BitmapRowBytes + x / 8];
            pixelByte = char(quint8(pixelByte) | (0x80 >> (x % 8)));
        }
    }
    return BitmapHeader() + pixels;
}

QString SnapshotFilePath(const QString &chosen)
{
    if (chosen.right(4).toUpper() == QLatin1String(".BMP"))
        return chosen;
    return chosen + QStringLiteral(".bmp");
}

bool WriteSnapshotFile(const QString &path, const QByteArray &picture)
{
    const QByteArray bitmap = SnapshotBitmap(picture);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && WriteWhole(file, bitmap);
}

void TakeSnapshot(CXmit &xmit)
{
    // A picture the device never sent is not offered for saving.
    const std::optional<QByteArray> picture = RequestSnapshot(xmit);
    if (!picture) {
        Beep(440, 250);
        return;
    }
    FilePrompt prompt;
    prompt.Mode = FilePrompt::Kind::Save;
    prompt.Title = QStringLiteral("SAVE");
    prompt.FilterCaption = QStringLiteral("Bitmap.");
    prompt.Pattern = QStringLiteral("*.bmp");
    const QString chosen = Prompts().AskFileName(prompt);
    if (chosen.isEmpty())
        return;
    if (!WriteSnapshotFile(SnapshotFilePath(chosen), *picture))
        Beep(440, 250);
}

bool RepairEdidNow(CXmit &xmit)
{
    return xmit.Send(CMD_EDID_REPAIR);
}

bool ConfirmEdidRepair()
{
    return AskEdidQuestion(TXT_EDID_CONFIRM) == PromptAnswer::Ok
        && AskEdidQuestion(TXT_EDID_REMOVE_CABLE) == PromptAnswer::Ok;
}

void RequestEdidRepair(CXmit &xmit, bool manufacturerMode, bool &edidPending)
{
    if (manufacturerMode) {
        RepairEdidNow(xmit);
        return;
    }
    if (ConfirmEdidRepair())
        edidPending = true;
}
