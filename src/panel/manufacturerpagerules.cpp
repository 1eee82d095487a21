#include "panel/manufacturerpagerules.h"

#include "hardware/hardwareprofile.h"

#include <QDir>

#include <algorithm>

QStringList DefaultCountryItems()
{
    return {QStringLiteral("FRANCAIS"), QStringLiteral("ENGLISH"), QStringLiteral("ITALIAN"),
            QStringLiteral("DEUTSCH"),  QStringLiteral("ESPANOL"), QStringLiteral("POLSKI"),
            QStringLiteral("---")};
}

QStringList HardwareTypeItems()
{
    return {QStringLiteral("FULL"), QStringLiteral("LITE")};
}

QStringList LogoFileNames(const QString &programFolder)
{
    // Name filters ignore case, as the file search of the original platform
    // did; folders named like a logo are no logo.
    QStringList names = QDir(QDir(programFolder).filePath(QStringLiteral("logos")))
                            .entryList({QStringLiteral("*.dg1")}, QDir::Files | QDir::Hidden, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &left, const QString &right) {
        const int caseless = left.compare(right, Qt::CaseInsensitive);
        return caseless != 0 ? caseless < 0 : left < right;
    });
    return names;
}

qint32 MacByteFromText(QStringView text)
{
    quint32 value = 0;
    for (const QChar character : text) {
        const char16_t c = character.unicode();
        quint32 digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        value = value * 16 + digit;
    }
    return qint32(value);
}

QString MacByteText(qint32 value)
{
    return QStringLiteral("%1").arg(quint32(value), 2, 16, QLatin1Char('0'));
}

ManufacturerPageEnables ManufacturerPageEnablesFor(const HardwareProfile &profile, bool advancedMode,
                                                   bool manufacturerMode)
{
    const bool settingsShown = advancedMode || manufacturerMode;
    ManufacturerPageEnables enables;
    enables.Actions = manufacturerMode;
    enables.LogoList = manufacturerMode && profile.HasBootLogo();
    enables.HardwareType = settingsShown && profile.HardwareTypeEditable();
    enables.Mac = settingsShown && profile.MacEditable();
    enables.PlayRecUsb = manufacturerMode && profile.CapabilityUsbSwitchable();
    enables.Hdcp = profile.HdcpSwitchable();
    enables.Infrared = profile.CapabilityIrSwitchable();
    enables.Capability4K = profile.Capability4KSwitchable();
    return enables;
}

bool SnapshotButtonShown(const HardwareProfile &profile, bool pageShown)
{
    return pageShown && profile.HasSnapshot();
}
