// Feeds arbitrary firmware file names (several per input, one a line, read
// as UTF-8) to the name parser and the file choice, and checks what they
// promise: the label is what stands before the first underscore, the version
// fits two characters, and the choice is one of the names, of the wanted
// label, of a version above 0 and never a withdrawn one. The named digest
// is taken of every name too.
#include "app/firmwarefile.h"

#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList paths;
    for (const QString &name : text.split(QLatin1Char('\n'))) {
        const FirmwareFileName parsed = ParseFirmwareFileName(name);
        if (parsed.Version < -9 || parsed.Version > 99)
            std::abort();
        if (!parsed.Label.isEmpty() && !name.startsWith(parsed.Label + QLatin1Char('_')))
            std::abort();
        NamedDigest(name);
        paths << QStringLiteral("/firmware/") + name;
    }
    const QString label = ParseFirmwareFileName(QFileInfo(paths.first()).fileName()).Label;
    const FirmwareCandidate chosen = ChooseFirmwareFile(paths, label, [](int version) { return version == 7; });
    if (chosen.Version != 0) {
        const FirmwareFileName parsed = ParseFirmwareFileName(QFileInfo(chosen.Path).fileName());
        if (!paths.contains(chosen.Path) || parsed.Label != label || parsed.Version != chosen.Version
            || chosen.Version <= 0 || chosen.Version == 7)
            std::abort();
    }
    return 0;
}
