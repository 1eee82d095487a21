#include "config/configfile.h"

#include "auxiliary/beep.h"
#include "auxiliary/statusstrip.h"
#include "auxiliary/userprompts.h"
#include "config/configcodec.h"
#include "config/factorydefault.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr int StatusDurationMs = 2000;

bool IsFailure(ConfigFileOutcome outcome)
{
    return outcome != ConfigFileOutcome::Saved && outcome != ConfigFileOutcome::Loaded;
}

void Report(const ConfigFileSession &session, ConfigFileOutcome outcome)
{
    if (IsFailure(outcome))
        Beep(440, 250);
    if (session.Strip)
        session.Strip->ShowStatus(ConfigFileStatusText(outcome), false, StatusDurationMs);
}

// The chosen path with the extension rule applied; empty when cancelled.
QString AskConfigFile(const ConfigFileSession &session, FilePrompt::Kind mode)
{
    const QString extension = session.Identity.Profile().ConfigFileExtension();
    FilePrompt prompt;
    prompt.Mode = mode;
    prompt.Title = mode == FilePrompt::Kind::Save ? QStringLiteral("Save Configuration")
                                                  : QStringLiteral("Load Configuration");
    prompt.Folder = QDir(session.ProgramFolder).filePath(QStringLiteral("config")) + QLatin1Char('/');
    prompt.FilterCaption = QStringLiteral("Config.");
    prompt.Pattern = QLatin1Char('*') + extension;
    const QString chosen = Prompts().AskFileName(prompt);
    return chosen.isEmpty() ? QString() : WithConfigFileExtension(chosen, extension);
}

} // namespace

bool WriteWhole(QSaveFile &file, const QByteArray &contents)
{
    // Small writes wait in the file's buffer: a full disk shows only when
    // it is flushed, and commit() would rename the cut file all the same.
    if (file.write(contents) != contents.size() || !file.flush()) {
        file.cancelWriting(); // the temporary file goes with the object
        return false;
    }
    return file.commit();
}

QString WithConfigFileExtension(const QString &path, const QString &extension)
{
    const bool endsWithIt = path.right(3).toUpper() == extension.right(3).toUpper();
    // Only the file name's dots count: a dot in a folder name (a home folder
    // "john.doe", a hidden ".local") would otherwise add the extension to
    // every name, and LOAD could never open the file the user picked there.
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype firstDot = path.indexOf(QLatin1Char('.'), nameStart);
    const bool firstDotBeforeIt = firstDot >= 0 && firstDot == path.size() - 4;
    return endsWithIt && firstDotBeforeIt ? path : path + extension;
}

QString ConfigFileStatusText(ConfigFileOutcome outcome)
{
    switch (outcome) {
    case ConfigFileOutcome::Saved:
        return QStringLiteral("Saved");
    case ConfigFileOutcome::WriteError:
        return QStringLiteral("Config. write Error");
    case ConfigFileOutcome::Loaded:
        return QStringLiteral("Loaded");
    case ConfigFileOutcome::ReadError:
        return QStringLiteral("Config. read error");
    case ConfigFileOutcome::NotCompatible:
        break;
    }
    return QStringLiteral("Config. file not compatible !");
}

ConfigFileOutcome WriteConfigFile(const QString &path, const DeviceIdentity &identity, ConfigModel &model)
{
    // A temporary file beside the target takes the record; only a complete
    // one replaces the file of that name.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return ConfigFileOutcome::WriteError;

    // The file carries the logo of the logo list, the model keeps its own.
    const QString logoName = model.LogoName;
    model.LogoName = model.ChosenLogoName.value_or(logoName);
    const std::optional<QByteArray> record = EncodeConfigBlock(identity, model);
    model.LogoName = logoName;

    if (!record || !WriteWhole(file, *record))
        return ConfigFileOutcome::WriteError;
    return ConfigFileOutcome::Saved;
}

ConfigFileOutcome ReadConfigFile(const QString &path, const DeviceIdentity &identity, ConfigModel &model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ConfigFileOutcome::ReadError;
    // One byte more than a record tells a file that cannot be one.
    QByteArray record(ConfigBlockCapacity + 1, '\0');
    const qint64 length = file.read(record.data(), record.size());
    if (length < 0)
        return ConfigFileOutcome::ReadError;
    record.truncate(length);
    if (length > ConfigBlockCapacity || !DecodeConfigBlock(record, identity, model))
        return ConfigFileOutcome::NotCompatible;
    RequestFactoryDefault(model);
    return ConfigFileOutcome::Loaded;
}

bool SaveConfigFile(const ConfigFileSession &session)
{
    const QString path = AskConfigFile(session, FilePrompt::Kind::Save);
    if (path.isEmpty())
        return false;
    const ConfigFileOutcome outcome = WriteConfigFile(path, session.Identity, session.Model);
    Report(session, outcome);
    return outcome == ConfigFileOutcome::Saved;
}

bool LoadConfigFile(const ConfigFileSession &session)
{
    const QString path = AskConfigFile(session, FilePrompt::Kind::Open);
    if (path.isEmpty())
        return false;
    // Opening or reading a named pipe or a terminal waits for its other end
    // and would freeze the window: only regular files are read here.
    const ConfigFileOutcome outcome = QFileInfo(path).isFile()
        ? ReadConfigFile(path, session.Identity, session.Model)
        : ConfigFileOutcome::ReadError;
    Report(session, outcome);
    return outcome == ConfigFileOutcome::Loaded;
}
