#include "clicommand.h"

#include <algorithm>

// The commands of rerudad-cli. A new command is one row here and one source
// file with its handler.

int CliIdentify(CliContext &context);
int CliConfigGet(CliContext &context);
int CliConfigSet(CliContext &context);
int CliConfigSave(CliContext &context);
int CliConfigLoad(CliContext &context);
int CliFactoryDefault(CliContext &context);
int CliClockSet(CliContext &context);
int CliReboot(CliContext &context);
int CliEdidRepair(CliContext &context);
int CliSnapshot(CliContext &context);
int CliStatus(CliContext &context);
int CliMedia(CliContext &context);
int CliDecode(CliContext &context);
int CliEncode(CliContext &context);
int CliDiscover(CliContext &context);
int CliLogs(CliContext &context);
int CliFirmwareUpgrade(CliContext &context);

namespace {

QString S(const char *text)
{
    return QString::fromLatin1(text);
}

} // namespace

const QList<CliOption> &CliOptions()
{
    static const QList<CliOption> options = {
        {S("--device"), S("tcp:HOST[:PORT]|serial:PATH|auto"),
         S("the device: over TCP (port 6666 unless given), on a serial port, or the first one found (the default)")},
        {S("--listen"), S("SECONDS"), S("with --device auto: how long to listen for network devices first (default 3)")},
        {S("--raw"), S("FILE"), S("also write the record exactly as the device sent it")},
        {S("--code"), S("N"), S("the hardware code of the device the record is for")},
        {S("--version"), S("V"), S("its firmware version byte (default 0)")},
        {S("--seconds"), S("N"), S("how long to listen (default 3)")},
        {S("--verbose"), {}, S("trace the link on stderr: every frame sent and received, attempts, time-outs")},
        {S("--quiet"), {}, S("no progress on stderr, only failures")},
        {S("--json"), {}, S("print one JSON array of {\"Id\", \"Address\"} objects instead")},
        {S("--folder"), S("DIR"), S("the folder of the firmware files (default: firmware/ in the program folder)")},
        {S("--program-folder"), S("DIR"),
         S("the program folder, whose logos/ and firmware/ are used (default: $RERUDAD_PROGRAM_FOLDER, else the "
           "current directory)")},
        {S("--force"), {}, S("write the newest firmware file even when the device runs that version")},
        {S("--help"), {}, S("describe the tool, or the command it follows")},
    };
    return options;
}

const QList<CliCommand> &CliCommands()
{
    static const QList<CliCommand> commands = {
        {{S("identify")}, {}, {}, true,
         S("identify the device: hardware code, firmware version and labels, as JSON"), CliIdentify},
        {{S("config"), S("get")}, {}, {{S("--raw")}}, true,
         S("read the device's configuration and print it as model JSON"), CliConfigGet},
        {{S("config"), S("set")}, {S("FILE.json")}, {}, true,
         S("overlay the members of a model JSON on the device's configuration, write it, print it read back"),
         CliConfigSet},
        {{S("config"), S("save")}, {S("FILE")}, {}, true,
         S("write the device's configuration to a configuration file, as the SAVE button does"), CliConfigSave},
        {{S("config"), S("load")}, {S("FILE")}, {{S("--program-folder")}}, true,
         S("write a configuration file to the device and store it as its factory default, as the LOAD button "
           "does"),
         CliConfigLoad},
        {{S("factory-default")}, {}, {{S("--program-folder")}}, true,
         S("write the device's configuration back and store it as its factory default, with the logo of logos/"),
         CliFactoryDefault},
        {{S("clock"), S("set")}, {S("now|YYYY-MM-DDTHH:MM[:SS]")}, {}, true,
         S("set the device's clock to this computer's local time or to the time given"), CliClockSet},
        {{S("reboot")}, {}, {}, true, S("reboot the device"), CliReboot},
        {{S("edid-repair")}, {}, {}, true,
         S("have the device repair the EDID table of its HDMI input (it may take up to 25 s)"), CliEdidRepair},
        {{S("snapshot")}, {S("FILE")}, {}, true,
         S("save the device's display as a 128 x 64 bitmap (\".bmp\" appended unless FILE ends in it)"),
         CliSnapshot},
        {{S("status")}, {}, {}, true, S("poll the device's status once and print it as status JSON"), CliStatus},
        {{S("media")}, {S("play|record|stop")}, {}, true, S("start playing, start recording or stop the device's USB player"),
         CliMedia},
        {{S("decode")}, {S("FILE")}, {{S("--code"), true}, {S("--version")}}, false,
         S("decode a record file as a device of that hardware would and print the model JSON"), CliDecode},
        {{S("encode")}, {S("FILE.json"), S("OUT")}, {{S("--code"), true}, {S("--version")}}, false,
         S("build the record of that hardware from a model JSON and write it to OUT"), CliEncode},
        {{S("discover")}, {}, {{S("--seconds")}, {S("--json")}}, false,
         S("list the devices heard on the network, one \"ID ADDRESS\" line each"), CliDiscover},
        {{S("logs")}, {S("FILE")}, {{S("--quiet")}}, true,
         S("download the device's two logs, the older one first, and append them to FILE"), CliLogs},
        {{S("firmware"), S("upgrade")}, {}, {{S("--folder")}, {S("--force")}, {S("--quiet")}, {S("--program-folder")}},
         true,
         S("install newer firmware files (family image, then main image) and reboot the device"),
         CliFirmwareUpgrade},
    };
    return commands;
}

const CliOption *FindCliOption(const QString &name)
{
    const QList<CliOption> &options = CliOptions();
    const auto found = std::find_if(options.begin(), options.end(),
                                    [&name](const CliOption &option) { return option.name == name; });
    return found == options.end() ? nullptr : &*found;
}

const QStringList &DeviceOptionNames()
{
    static const QStringList names = {S("--device"), S("--listen"), S("--verbose")};
    return names;
}
