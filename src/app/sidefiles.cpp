#include "app/sidefiles.h"

#include "auxiliary/sidefilereader.h"
#include "auxiliary/texttable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <limits>

StartupValues Startup;
ChannelList Channels;

namespace {

// Only the beginning of the first line of "pref.txt" and "setup_version.txt"
// matters; a longer line is read no further.
constexpr qsizetype FirstLineLimit = 4096;

std::optional<QString> ReadFirstLine(const QString &path)
{
    QFile file(path);
    if (!OpenSideFile(file))
        return std::nullopt;
    const std::optional<SideFileLine> line = ReadSideFileLine(file, FirstLineLimit);
    if (!line)
        return std::nullopt;
    return DecodeSideText(WithoutByteOrderMark(line->Bytes));
}

// A flag file switches its mode on by being there; its content is not read.
int FlagFilePresent(const QString &path)
{
    QFile file(path);
    return OpenSideFile(file) ? 1 : 0;
}

// The desktop folder is named even for users who have none (a server, a
// minimal install); log files could not be created there, so the program
// folder takes them instead.
QString DesktopFolderOr(const QString &fallback)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return !desktop.isEmpty() && QFileInfo(desktop).isDir() ? desktop : fallback;
}

} // namespace

StartupValues ReadSideFiles(const QString &programFolder)
{
    StartupValues values;
    // Without a current directory the files are looked up relative to
    // wherever the process is, never in the root folder.
    values.ProgramFolder =
        programFolder.isEmpty() ? QStringLiteral(".") : QDir::cleanPath(programFolder);
    values.FirmwareFolder = values.ProgramFolder + QStringLiteral("/firmware/");
    values.DesktopFolder = DesktopFolderOr(values.ProgramFolder);
    values.ManufacturerMode =
        FlagFilePresent(values.FirmwareFolder + QStringLiteral("manufacturer.txt"));
    values.AdvancedMode = FlagFilePresent(values.FirmwareFolder + QStringLiteral("advanced.txt"));
    if (const auto preference = ReadFirstLine(values.ProgramFolder + QStringLiteral("/pref.txt")))
        values.LanguageIndex = LanguageFromPreference(*preference);
    if (const auto setup = ReadFirstLine(values.FirmwareFolder + QStringLiteral("setup_version.txt")))
        values.SetupVersion = SetupVersionFromLine(*setup);
    return values;
}

int LanguageFromPreference(QStringView firstLine)
{
    // Polish is "PO", not "PL".
    static constexpr std::array<QStringView, LanguageCount> Codes = {u"EN", u"FR", u"IT",
                                                                     u"DE", u"PO", u"ES"};
    const QStringView code = firstLine.first(std::min<qsizetype>(firstLine.size(), 2));
    for (int language = 0; language < LanguageCount; ++language) {
        if (code == Codes[language])
            return language;
    }
    return 0;
}

int SetupVersionFromLine(QStringView firstLine)
{
    constexpr qsizetype FirstDigit = 6;
    qint64 version = 0;
    for (qsizetype i = FirstDigit; i < firstLine.size(); ++i) {
        const char16_t character = firstLine[i].unicode();
        if (character < u'0' || character > u'9')
            break;
        version = version * 10 + (character - u'0');
        if (version > std::numeric_limits<int>::max())
            return 0;
    }
    return int(version);
}

void LoadStartupFiles(const QString &programFolder)
{
    Startup = ReadSideFiles(programFolder);
    LanguageIndex = Startup.LanguageIndex;
    Channels = ReadChannelList(Startup.ProgramFolder + QStringLiteral("/config/channel.csv"));
}
