// rerudad-cli: the command-line tool. The command table (commandtable.cpp)
// decides what a command line means; each command's handler lives in a file
// of its own.

#include "clicommand.h"
#include "commandline.h"
#include "console.h"

#include "app/programfolder.h"
#include "auxiliary/beep.h"
#include "auxiliary/userprompts.h"

#include <QCoreApplication>
#include <QMutex>

#include <algorithm>

namespace {

CliContext *Speaking = nullptr;

// Qt's messages, the link trace among them, are stderr lines like the
// tool's own: they start with the command and the device.
void SayMessage(QtMsgType type, const QMessageLogContext &origin, const QString &message)
{
    static QMutex mutex; // the discovery listener runs on a thread of its own
    const QMutexLocker lock(&mutex);
    Speaking->say(qFormatLogMessage(type, origin, message));
}

// The questions the shared operations ask a desktop user: here the message
// is a line on stderr like the tool's own, a question is answered Cancel
// (nothing irreversible happens unasked) and no file is chosen.
class CliPrompts final : public UserPrompts
{
public:
    explicit CliPrompts(CliContext &context) : m_context(context) {}

    PromptAnswer ShowMessage(const MessagePrompt &prompt) override
    {
        m_context.say(prompt.Text);
        return prompt.Buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
    QString AskFileName(const FilePrompt &) override { return {}; }

private:
    CliContext &m_context;
};

// The commands that read side files (logos/, firmware/) use the program
// folder of --program-folder or RERUDAD_PROGRAM_FOLDER, which must exist.
int NameProgramFolderOf(CliContext &context, const CliCommand &command)
{
    const QString option = QStringLiteral("--program-folder");
    const QString named = context.option(option, qEnvironmentVariable(ProgramFolderVariable));
    const bool takesFolder = std::any_of(command.options.begin(), command.options.end(),
                                         [&option](const CommandOption &taken) { return taken.name == option; });
    QString error;
    if (!takesFolder || named.isEmpty() || NameProgramFolder(named, &error))
        return ExitSuccess;
    return context.fail(ExitUsage, error);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    PrepareConsoleOutput();
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    CliContext context(out, err);
    Speaking = &context;
    qInstallMessageHandler(SayMessage);
    CliPrompts prompts(context);
    const ScopedPrompts promptsOnStderr(prompts);
    // The beeps that tell a desktop user of a failure stay silent: the exit
    // status and the line on stderr tell it here.
    const ScopedBeepSink quietBeeps({});
    const CommandLine line = ParseCommandLine(app.arguments().mid(1));
    int status = ExitSuccess;
    switch (line.outcome) {
    case CommandLine::Outcome::ToolHelp:
        out << ToolHelp();
        break;
    case CommandLine::Outcome::CommandHelp:
        out << CommandHelp(*line.command);
        break;
    case CommandLine::Outcome::UsageError:
        status = context.usage(line.error);
        break;
    case CommandLine::Outcome::Run:
        context.arguments = line.arguments;
        context.options = line.options;
        context.commandName = line.command->words.join(QLatin1Char(' '));
        status = NameProgramFolderOf(context, *line.command);
        if (status == ExitSuccess)
            status = line.command->run(context);
        break;
    }
    context.endLine();
    qInstallMessageHandler(nullptr);
    Speaking = nullptr;
    out.flush();
    err.flush();
    return status;
}
