#include "app/toolcommandline.h"

#include "app/programfolder.h"
#include "manual/documentedparser.h"

#include <QCoreApplication>

namespace {

ManPage::Section FilesSection()
{
    return {QStringLiteral("FILES"),
            {QStringLiteral("All side files are looked up in the program folder; a missing one leaves its "
                            "setting at the default. They are read once, at start.")},
            {{QStringLiteral("pref.txt"),
              QStringLiteral("The first two characters of the first line choose the language: EN, FR, IT, DE, "
                             "PO or ES.")},
             {QStringLiteral("firmware/"),
              QStringLiteral("Firmware images named LABEL_VV<anything><MD5>.bin; the newest one for the linked "
                             "model is written to it.")},
             {QStringLiteral("firmware/advanced.txt"),
              QStringLiteral("Shows the log download button and the MANUFACTURER settings.")},
             {QStringLiteral("firmware/manufacturer.txt"),
              QStringLiteral("Also shows the MANUFACTURER actions and the direct EDID repair.")},
             {QStringLiteral("firmware/setup_version.txt"),
              QStringLiteral("The package number shown in the title (digits from the seventh character).")},
             {QStringLiteral("config/channel.csv"),
              QStringLiteral("The channel names offered for services, number,something,name lines.")},
             {QStringLiteral("logos/*.dg1"),
              QStringLiteral("Logo files stored on the device with the factory default.")}}};
}

ManPage::Section EnvironmentSection()
{
    return {QStringLiteral("ENVIRONMENT"),
            {},
            {{QString::fromLatin1(ProgramFolderVariable),
              QStringLiteral("The program folder, when --program-folder is not given.")},
             {QStringLiteral("RERUDAD_SERIAL_PORTS"),
              QStringLiteral("Colon-separated serial port paths tried after the /dev/ttyACM* ports.")},
             {QStringLiteral("RERUDAD_DISCOVERY_INTERFACE"),
              QStringLiteral("The network interface on which devices are heard (the first one that is up "
                             "otherwise).")},
             {QStringLiteral("QT_LOGGING_RULES"),
              QStringLiteral("rerudad.link.debug=true traces every exchange with the device on stderr.")}}};
}

ManPage::Section SerialSection()
{
    return {QStringLiteral("SERIAL PORTS"),
            {QStringLiteral("A device on USB is a /dev/ttyACM* port, which only members of the dialout group "
                            "may open: sudo usermod -aG dialout $USER, then log in again. ModemManager "
                            "probes new ttyACM ports with AT commands and can hold the port for seconds after "
                            "it appears; a udev rule that sets ID_MM_DEVICE_IGNORE for the device's USB "
                            "vendor and product ids, or stopping ModemManager, keeps it off.")},
            {}};
}

} // namespace

ToolProgramFolder ReadToolCommandLine(const QCoreApplication &application)
{
    DocumentedCommandLineParser parser;
    parser.setManSummary(QStringLiteral("configuration tool for HDMI encoder-modulators"));
    parser.setApplicationDescription(
        QStringLiteral("Links an HDMI encoder-modulator over USB or the local network, shows its "
                       "configuration on five settings pages and writes it back, upgrades its firmware, "
                       "saves and loads configuration files, downloads its logs and carries out its "
                       "service actions. The side files of the program folder adjust the "
                       "tool; started from a terminal the program folder is the current directory."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folderOption(
        QStringLiteral("program-folder"),
        QStringLiteral("The folder of the side files: pref.txt, firmware/, config/channel.csv, logos/ "
                       "(default: $RERUDAD_PROGRAM_FOLDER, else the current directory)."),
        QStringLiteral("DIR"));
    const QCommandLineOption userFolderOption(
        QStringLiteral("user-program-folder"),
        QStringLiteral("Use the per-user program folder, rerudad in the user's data folder "
                       "(~/.local/share/rerudad), created with firmware/, config/, logos/ and a README.txt "
                       "on first start; the menu entry starts the tool this way."));
    parser.addOptions({folderOption, userFolderOption});
    parser.addManSection(FilesSection());
    parser.addManSection(EnvironmentSection());
    parser.addManSection(SerialSection());
    parser.addManSection({QStringLiteral("SEE ALSO"), {QStringLiteral("rerudad-cli(1), rerudad-devsim(1)")}, {}});
    parser.process(application);

    ToolProgramFolder chosen;
    QString named = parser.value(folderOption);
    if (parser.isSet(userFolderOption)) {
        if (parser.isSet(folderOption)) {
            chosen.error = QStringLiteral("--program-folder and --user-program-folder exclude each other");
            return chosen;
        }
        named = UserProgramFolder();
        if (!PrepareProgramFolder(named, &chosen.error))
            return chosen;
    }
    if (named.isEmpty())
        named = qEnvironmentVariable(ProgramFolderVariable);
    if (!named.isEmpty() && !NameProgramFolder(named, &chosen.error))
        return chosen;
    chosen.folder = CurrentProgramFolder();
    return chosen;
}
