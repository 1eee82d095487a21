#include "config/configcodec.h"

#include "config/modelmembers.h"
#include "config/recordio.h"
#include "config/recordlayouts.h"

namespace {

constexpr int MediaFileStemLength = 28;
constexpr int LowestApplicationPid = 32;
constexpr int FallbackApplicationPid = 50;

// The first four bytes read as a little-endian uint32 equal the marker.
bool StartsWithMarker(QByteArrayView record)
{
    if (record.size() < LayoutTwoMarkerSize)
        return false;
    quint32 value = 0;
    for (int i = 0; i < LayoutTwoMarkerSize; ++i)
        value |= quint32(quint8(record[i])) << (8 * i);
    return value == LayoutTwoMarker;
}

// Layout 2 devices take only a record with their own header; every other
// device takes anything but such a record.
bool IsAccepted(QByteArrayView record, const HardwareProfile &profile)
{
    if (profile.Layout() != RecordLayout::Layout2)
        return !StartsWithMarker(record);
    return record.size() >= LayoutTwoHeaderSize && StartsWithMarker(record)
        && quint8(record[4]) == profile.HardwareCode();
}

template <class Io>
void VisitLayout(Io &io, ConfigModel &model, const HardwareProfile &profile)
{
    switch (profile.Layout()) {
    case RecordLayout::Layout0:
        VisitLayout0(io, model);
        break;
    case RecordLayout::Layout1:
        VisitLayout1(io, model, profile);
        break;
    case RecordLayout::Layout2:
        VisitLayout2(io, model);
        break;
    case RecordLayout::Layout3:
        VisitLayout3(io, model);
        break;
    }
}

// Values a device may send that the pages cannot show.
void ApplyDecodingCorrections(ConfigModel &model, const HardwareProfile &profile)
{
    MuxSettings &mux = model.Mux[0];
    if (mux.LevelAttDb > 29 || mux.LevelAttDb < 0)
        mux.LevelAttDb = 29;
    if (model.Service[0].AudioBitrate > 3)
        model.Service[0].AudioBitrate = 3;
    if (model.LcnIdType > 3)
        model.LcnIdType = 0;
    // Hardware that only modulates DVB-S does so whatever its record says.
    if (profile.OutputsOnlyDvbS())
        mux.Mode = 3;
}

// A service without an application of its own announces the test
// application, on a PID that cannot clash with the reserved ones.
void ApplyApplicationTableDefaults(ConfigModel &model)
{
    for (int s = 0; s < model.UsedServices(); ++s) {
        ServiceSettings &service = model.Service[s];
        if (service.AitPid < LowestApplicationPid)
            service.AitPid = FallbackApplicationPid + s;
        if (service.AitRoot.isEmpty()) {
            service.AitControlCode = 1; // autostart
            service.AitOrgId = 0x70;
            service.AitRoot = QString::fromLatin1(DefaultApplicationRoot);
            service.AitPath = QStringLiteral("staging/catalogue/index.php");
            service.AitName = QStringLiteral("HbbTV Test");
        }
    }
}

// The first multiplex and service are written with the values their page
// would store: the substitute of a number outside its range.
void KeepWithin(qint32 &value, const MemberRange &range)
{
    if (!range.Contains(value))
        value = range.Substitute;
}

void ApplyRangeCorrections(ConfigModel &model, const HardwareProfile &profile)
{
    KeepWithin(model.Mux[0].FreqKHz, RangeOf(&MuxSettings::FreqKHz, model, profile));
    KeepWithin(model.Service[0].VideoBitrate, RangeOf(&ServiceSettings::VideoBitrate, model, profile));
    KeepWithin(model.Mux[0].SymbolRate, RangeOf(&MuxSettings::SymbolRate, model, profile));
}

// The LITE hardware of code 121 has neither analogue inputs, DHCP nor an IP
// output.
void ApplyLiteRule(ConfigModel &model)
{
    if (model.HardwareType == 0)
        return;
    model.AudioInput = 0;
    model.VideoInput = 0;
    model.Dhcp = 0;
    if (model.Mux[0].Mode == 0)
        model.Mux[0].Mode = 1;
}

} // namespace

bool DecodeConfigBlock(QByteArrayView record, const DeviceIdentity &identity, ConfigModel &model)
{
    const HardwareProfile profile = identity.Profile();
    if (record.isEmpty() || record.size() > ConfigBlockCapacity || !IsAccepted(record, profile))
        return false;

    // Decoded aside, so that a record cut short leaves the model untouched.
    ConfigModel decoded = model;
    decoded.ResetForDecode(profile);
    RecordReader reader(record, profile.Layout() == RecordLayout::Layout2 ? LayoutTwoHeaderSize : 0);
    VisitLayout(reader, decoded, profile);
    if (!reader.ok())
        return false;
    ApplyDecodingCorrections(decoded, profile);
    ApplyApplicationTableDefaults(decoded);

    decoded.Filling = 0;
    decoded.CommitCountdown = 0; // a freshly read configuration has nothing pending
    model = decoded;
    return true;
}

std::optional<QByteArray> EncodeConfigBlock(const DeviceIdentity &identity, ConfigModel &model)
{
    const HardwareProfile profile = identity.Profile();

    // Corrected aside, so that a refused record leaves the model untouched.
    ConfigModel encoded = model;
    if (encoded.StoreAsDefault)
        encoded.LogoName = model.ChosenLogoName.value_or(model.LogoName);
    ApplyRangeCorrections(encoded, profile);
    encoded.MediaFileName = DeviceMediaFileName(model.MediaFileName);
    if (profile.Layout() == RecordLayout::Layout0)
        ApplyLiteRule(encoded);

    RecordWriter writer;
    if (profile.Layout() == RecordLayout::Layout2) {
        writer.uint32(LayoutTwoMarker);
        writer.byte(profile.HardwareCode());
    }
    VisitLayout(writer, encoded, profile);
    if (writer.record().size() > ConfigBlockCapacity)
        return std::nullopt;
    model = encoded;
    return writer.record();
}

QString DeviceMediaFileName(const QString &name)
{
    QString stem = name.section(QLatin1Char('.'), 0, 0);
    stem.truncate(MediaFileStemLength);
    return stem + QStringLiteral(".ts");
}
