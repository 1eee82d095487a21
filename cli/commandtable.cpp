#include "clicommand.h"

#include <algorithm>

// The commands of rerudad-cli. A new command is one row here and one source
// file with its handler.

int CliIdentify(CliContext &context);
int CliConfigGet(CliContext &context);
int CliConfigSet(CliContext &context);
int CliStatus(CliContext &context);
int CliDecode(CliContext &context);
int CliEncode(CliContext &context);
int CliDiscover(CliContext &context);
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
        {S("--folder"), S("DIR"), S("the folder of the firmware files (default: firmware/ in the current directory)")},
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
        {{S("status")}, {}, {}, true, S("poll the device's status once and print it as status JSON"), CliStatus},
        {{S("decode")}, {S("FILE")}, {{S("--code"), true}, {S("--version")}}, false,
         S("decode a record file as a device of that hardware would and print the model JSON"), CliDecode},
        {{S("encode")}, {S("FILE.json"), S("OUT")}, {{S("--code"), true}, {S("--version")}}, false,
         S("build the record of that hardware from a model JSON and write it to OUT"), CliEncode},
        {{S("discover")}, {}, {{S("--seconds")}}, false,
         S("list the devices heard on the network, one \"ID ADDRESS\" line each"), CliDiscover},
        {{S("firmware"), S("upgrade")}, {}, {{S("--folder")}, {S("--force")}}, true,
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
    static const QStringList names = {S("--device"), S("--listen")};
    return names;
}
