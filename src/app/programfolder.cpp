#include "app/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>

namespace {

QString NamedFolder; // set once at start by NameProgramFolder

// What the first start leaves in a new program folder.
constexpr char ReadmeText[] =
    "RERUDAD program folder\n"
    "\n"
    "The desktop tool reads these files when it starts:\n"
    "\n"
    "  pref.txt                      the language: EN, FR, IT, DE, PO or ES on the first line\n"
    "  firmware/*.bin                firmware images, LABEL_VV<anything><MD5>.bin; the newest\n"
    "                                one for the linked model is written to it\n"
    "  firmware/advanced.txt         (any content) the log download and the MANUFACTURER settings\n"
    "  firmware/manufacturer.txt     (any content) also the MANUFACTURER actions\n"
    "  firmware/setup_version.txt    the package number shown in the title\n"
    "  config/channel.csv            channel names offered for services, number,something,name\n"
    "  config/                       where SAVE and LOAD of configuration files start\n"
    "  logos/*.dg1                   logo files stored on the device with the factory default\n"
    "\n"
    "A change takes effect at the next start. Another folder can be named with\n"
    "rerudad --program-folder DIR or the environment variable RERUDAD_PROGRAM_FOLDER.\n";

bool Failed(const QFile &file, QString *error)
{
    *error = QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
    return false;
}

} // namespace

QString ChooseProgramFolder(const ProgramFolderSources &sources)
{
    const QString named = !sources.option.isEmpty() ? sources.option : sources.environment;
    const QDir current(sources.currentDirectory);
    return QDir::cleanPath(named.isEmpty() ? current.absolutePath() : current.absoluteFilePath(named));
}

bool NameProgramFolder(const QString &folder, QString *error)
{
    const QString chosen = ChooseProgramFolder({folder, {}, QDir::currentPath()});
    if (!QFileInfo(chosen).isDir()) {
        *error = QStringLiteral("the program folder %1 does not exist").arg(chosen);
        return false;
    }
    NamedFolder = chosen;
    return true;
}

QString CurrentProgramFolder()
{
    if (!NamedFolder.isEmpty())
        return NamedFolder;
    return ChooseProgramFolder({{}, qEnvironmentVariable(ProgramFolderVariable), QDir::currentPath()});
}

QString UserProgramFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/rerudad");
}

bool PrepareProgramFolder(const QString &folder, QString *error)
{
    const QDir root(folder);
    static constexpr std::array<const char *, 3> Subfolders = {"firmware", "config", "logos"};
    for (const char *subfolder : Subfolders) {
        const QString path = root.filePath(QString::fromLatin1(subfolder));
        if (!QDir().mkpath(path)) {
            *error = QStringLiteral("cannot create the folder %1").arg(path);
            return false;
        }
    }
    // NewOnly: a README.txt that is there already, whatever it says, is kept.
    QFile readme(root.filePath(QStringLiteral("README.txt")));
    if (!readme.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return readme.exists() || Failed(readme, error);
    if (readme.write(ReadmeText) != qint64(sizeof ReadmeText - 1) || !readme.flush())
        return Failed(readme, error);
    return true;
}
