#include "simconfigrecord.h"

#include "config/configcodec.h"

namespace {

ConfigModel DefaultModel(const HardwareProfile &profile)
{
    const quint8 hardwareCode = quint8(profile.HardwareCode());
    ConfigModel model;
    model.ApplyHardwareLimits(profile);
    model.Reference = QStringLiteral("SIM-%1").arg(hardwareCode);
    model.DefaultCountry = 1;
    model.CountryCopy = 1;
    model.NitVersion = 1;
    model.NetworkId = 0x3001;
    model.OriginalNetworkId = 0x20FA;
    model.NetworkName = QStringLiteral("SIM NETWORK");
    model.HardwareType = 0;
    model.CapabilityUsb = profile.HasPlayRec() ? 1 : 0;
    // Layout 3 carries no DHCP flag: its devices are read as not using DHCP.
    model.Dhcp = profile.Layout() == RecordLayout::Layout3 ? 0 : 1;
    model.Mac = {0x02, 0x00, 0x5E, 0x10, 0x00, hardwareCode};
    model.MediaFileName = QStringLiteral("clip.ts");

    for (int m = 0; m < model.UsedMuxes(); ++m) {
        MuxSettings &mux = model.Mux[m];
        mux.Mode = profile.OutputsOnlyDvbS() ? 3 : 1;
        mux.TsId = m + 1;
        mux.FreqKHz = qint32(model.FreqDefaultKHz) + m * 8000;
        mux.SymbolRate = qint32(model.SymbolRateDefault);
    }
    for (int s = 0; s < model.UsedServices(); ++s) {
        ServiceSettings &service = model.Service[s];
        service.ServiceId = s + 1;
        service.Lcn = s + 1;
        service.ServiceName = QStringLiteral("SIM SERVICE %1").arg(s + 1);
        service.VideoBitrate = 8000;
        service.AudioBitrate = 1;
        service.VideoPercent = 100;
        service.EitName = QStringLiteral("Live");
        service.EitText = QStringLiteral("HDMI input %1").arg(s + 1);
        service.AitPid = 100 * (s + 1) + 3;
        service.AitControlCode = 1;
        service.AitOrgId = 0x70;
        service.AitRoot = QString::fromLatin1(DefaultApplicationRoot);
        service.AitPath = QStringLiteral("staging/catalogue/index.php");
        service.AitName = QStringLiteral("HbbTV Test");
    }
    return model;
}

} // namespace

QByteArray DefaultConfigRecord(quint8 hardwareCode, quint8 firmwareVersionByte)
{
    DeviceIdentity identity;
    identity.HardwareCode = hardwareCode;
    identity.FirmwareVersionByte = firmwareVersionByte;
    ConfigModel model = DefaultModel(identity.Profile());
    // The default texts are short: the record always fits.
    return EncodeConfigBlock(identity, model).value_or(QByteArray());
}
