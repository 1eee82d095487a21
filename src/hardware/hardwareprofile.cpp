#include "hardware/hardwareprofile.h"

namespace {

// Version bytes run from 0 to 255: a feature from this version on is never there.
constexpr int Never = 256;

constexpr ValueRange VhfUhfFrequencyKHz{47000, 862000, 474000};
constexpr ValueRange CableSymbolRate{2000, 6960, 6875};
// The satellite model puts out an L-band signal at DVB-S symbol rates.
constexpr ValueRange LBandFrequencyKHz{950000, 1150000, 960000};
constexpr ValueRange SatelliteSymbolRate{2500, 22000, 22000};

} // namespace

// One model of the family. Each field answers the HardwareProfile operation
// of the same name (see the header for what it means for the device). The
// defaults are the common model: one DVB-T multiplex carrying one service in
// record layout 1, its firmware and boot logo in flash areas; a row names only
// where its model differs. A field ending in From is the first
// FirmwareVersionByte with the feature: 0 for every firmware, Never for none.
struct HardwareModel
{
    int Code = 0;
    const char *ModelLabel = "";
    const char *FamilyLabel = "";
    bool VersionByteHoldsMinor = false;

    int MuxCount = 1;
    int ServiceCount = 1;
    bool DvbT = true;
    bool DvbC = false;
    bool DvbS = false;
    ValueRange FrequencyKHz = VhfUhfFrequencyKHz;
    ValueRange SymbolRate = CableSymbolRate;
    ValueRange VideoBitrateKbps{500, 15000, 9000};
    int LevelAttMaxDb = 15;
    int AudioDelayMinMs = -999;

    bool PlayRec = false;
    int ServiceDelayFrom = 0;
    int CapabilityUsbAtResetFrom = Never;
    bool CapabilityIrAtReset = false;
    bool Capability4KAtReset = false;
    int CapabilityIrSwitchFrom = Never;
    int Capability4KSwitchFrom = Never;
    bool CapabilityUsbSwitchable = true;
    int HdcpSwitchFrom = 30;
    int LogoOverlayFrom = Never;
    bool ReportsMuxBitrates = false;
    bool Snapshot = false;
    bool EdidRepair = true;

    RecordLayout Layout = RecordLayout::Layout1;
    bool RecordHasExtendedFields = true;
    bool RecordHasApplicationTables = true;
    int LcnCountryShift = 0;
    const char *ConfigFileExtension = ".itc";

    bool StatusHasAutoMode = true;

    bool StoresDefaultByShell = false;
    std::optional<quint16> LogoFlashBlock = 750;

    std::optional<quint16> FirmwareFlashBlock = 752;
    int FirmwareChunkSize = 512;
    bool FirmwareNeedsImageHeader = true;
    bool FirmwareSendsChecksum = true;
    std::optional<int> WithdrawnFirmwareVersion = std::nullopt;
    bool ChecksFamilyFirmware = true;
    quint16 FamilyFlashBlock = 0;
    int FamilyImageOffset = 16;
    std::optional<quint16> FamilyVersionRecordBlock = 751;
    bool FamilyVersionHoldsMinor = true;

    bool SendsPanelCommand = false;
    bool StreamsIpBesideRf = false;
    bool Lcn = true;
    bool LcnCountry = false;
    bool DhcpEditable = false;
    bool HardwareTypeEditable = false;
    bool MacEditable = false;
    bool EncoderTuning = false;
    bool HdLcnAndEit = false;
    bool H265 = false;
    bool Mpeg2Video = false;
    bool MpegAudio = true;
    bool VideoPercent = false;
    bool ApplicationTableSwitch = true;
};

namespace {

// The models the tool serves, one row each.
constexpr HardwareModel Models[] = {
    {.Code = 121, .ModelLabel = "LENADU", .FamilyLabel = "VUBUKA", .VersionByteHoldsMinor = true,
     .DvbC = true, .LevelAttMaxDb = 29,
     .ServiceDelayFrom = Never, .CapabilityUsbSwitchable = false, .HdcpSwitchFrom = Never,
     .EdidRepair = false,
     .Layout = RecordLayout::Layout0, .ConfigFileExtension = ".tmc",
     .StatusHasAutoMode = false,
     .StoresDefaultByShell = true, .LogoFlashBlock = std::nullopt,
     .FirmwareFlashBlock = std::nullopt, .FirmwareChunkSize = 2048, .FirmwareNeedsImageHeader = false,
     .FirmwareSendsChecksum = false, .ChecksFamilyFirmware = false,
     .DhcpEditable = true, .HardwareTypeEditable = true, .MacEditable = true, .EncoderTuning = true,
     .HdLcnAndEit = true, .Mpeg2Video = true, .ApplicationTableSwitch = false},
    {.Code = 128, .ModelLabel = "DISARE", .FamilyLabel = "NETILU",
     .ServiceDelayFrom = Never, .HdcpSwitchFrom = Never, .EdidRepair = false,
     .RecordHasExtendedFields = false,
     .StatusHasAutoMode = false,
     .LogoFlashBlock = 989,
     .FirmwareFlashBlock = 991, .FirmwareNeedsImageHeader = false, .FirmwareSendsChecksum = false,
     .FamilyVersionRecordBlock = 990,
     .ApplicationTableSwitch = false},
    {.Code = 131, .ModelLabel = "BANODE", .FamilyLabel = "LODAPO",
     .PlayRec = true, .ServiceDelayFrom = Never, .CapabilityIrAtReset = true, .HdcpSwitchFrom = Never,
     .EdidRepair = false,
     .LogoFlashBlock = 926,
     .FirmwareFlashBlock = 928, .FamilyVersionRecordBlock = 927,
     .ApplicationTableSwitch = false},
    {.Code = 132, .ModelLabel = "DUNASA", .FamilyLabel = "VUBUKA", .VersionByteHoldsMinor = true},
    {.Code = 133, .ModelLabel = "GUBUSO", .FamilyLabel = "VUBUKA"},
    {.Code = 134, .ModelLabel = "BEBUFI", .FamilyLabel = "VUBUKA", .PlayRec = true, .CapabilityIrAtReset = true},
    {.Code = 135, .ModelLabel = "NERASI", .FamilyLabel = "VUBUKA", .PlayRec = true},
    {.Code = 136, .ModelLabel = "REDUSE", .FamilyLabel = "VUBUKA"},
    {.Code = 137, .ModelLabel = "LARASA", .FamilyLabel = "VUBUKA"},
    {.Code = 138, .ModelLabel = "SEPUNI", .FamilyLabel = "VUBUKA", .PlayRec = true, .CapabilityIrAtReset = true},
    {.Code = 139, .ModelLabel = "PUPIKE", .FamilyLabel = "VUBUKA"},
    {.Code = 140, .ModelLabel = "ZEVEDU", .FamilyLabel = "VUBUKA", .PlayRec = true},
    {.Code = 141, .ModelLabel = "KUPIVO", .FamilyLabel = "VUBUKA"},
    {.Code = 142, .ModelLabel = "KUDARO", .FamilyLabel = "POKAFA", .ServiceCount = 2,
     .PlayRec = true, .ServiceDelayFrom = 7,
     .RecordHasApplicationTables = false,
     .WithdrawnFirmwareVersion = 7, .FamilyFlashBlock = 620, .FamilyImageOffset = 0,
     .FamilyVersionRecordBlock = std::nullopt, .FamilyVersionHoldsMinor = false,
     .VideoPercent = true, .ApplicationTableSwitch = false},
    {.Code = 143, .ModelLabel = "FIFONA", .FamilyLabel = "VUBUKA", .CapabilityIrAtReset = true},
    {.Code = 144, .ModelLabel = "TAZUSI", .FamilyLabel = "VUBUKA",
     .PlayRec = true, .CapabilityIrAtReset = true, .Capability4KAtReset = true},
    {.Code = 145, .ModelLabel = "LISOSO", .FamilyLabel = "VUBUKA"},
    {.Code = 146, .ModelLabel = "DAKOVA", .FamilyLabel = "VUBUKA", .Capability4KAtReset = true},
    {.Code = 147, .ModelLabel = "BITUTO", .FamilyLabel = "VUBUKA", .DvbC = true},
    {.Code = 148, .ModelLabel = "KOTIBO", .FamilyLabel = "VUBUKA", .DvbC = true,
     .PlayRec = true, .CapabilityIrAtReset = true},
    {.Code = 149, .ModelLabel = "LESAPA", .FamilyLabel = "VUBUKA", .DvbC = true, .PlayRec = true},
    {.Code = 150, .ModelLabel = "GIFENO", .FamilyLabel = "VUBUKA", .DvbC = true},
    {.Code = 151, .ModelLabel = "PAFONU", .FamilyLabel = "VUBUKA", .DvbC = true},
    {.Code = 152, .ModelLabel = "KENUKO", .FamilyLabel = "VUBUKA", .DvbC = true, .Capability4KAtReset = true},
    {.Code = 153, .ModelLabel = "LOGEDE", .FamilyLabel = "VUBUKA", .DvbC = true},
    {.Code = 154, .ModelLabel = "FETEBO", .FamilyLabel = "POKAFA", .ServiceCount = 2, .DvbC = true,
     .PlayRec = true,
     .RecordHasApplicationTables = false,
     .FamilyFlashBlock = 620, .FamilyImageOffset = 0, .FamilyVersionRecordBlock = std::nullopt,
     .FamilyVersionHoldsMinor = false,
     .VideoPercent = true, .ApplicationTableSwitch = false},
    {.Code = 155, .ModelLabel = "SEKIBE", .FamilyLabel = "VUBUKA", .DvbC = true, .CapabilityIrAtReset = true},
    {.Code = 156, .ModelLabel = "NULUSI", .FamilyLabel = "VIVIPE",
     .DvbT = false, .DvbS = true, .FrequencyKHz = LBandFrequencyKHz, .SymbolRate = SatelliteSymbolRate,
     .FamilyFlashBlock = 256, .FamilyImageOffset = 0, .FamilyVersionHoldsMinor = false,
     .Lcn = false},
    {.Code = 157, .ModelLabel = "FUSAPU", .FamilyLabel = "RAGULE", .ServiceCount = 2, .DvbC = true,
     .PlayRec = true, .HdcpSwitchFrom = 10,
     .RecordHasApplicationTables = false,
     .FamilyFlashBlock = 492, .FamilyImageOffset = 0, .FamilyVersionRecordBlock = std::nullopt,
     .FamilyVersionHoldsMinor = false,
     .VideoPercent = true, .ApplicationTableSwitch = false},
    {.Code = 158, .ModelLabel = "NONODO", .FamilyLabel = "VUBUKA", .DvbC = true,
     .PlayRec = true, .ServiceDelayFrom = Never, .CapabilityIrAtReset = true,
     .CapabilityIrSwitchFrom = 14, .Capability4KSwitchFrom = 15, .HdcpSwitchFrom = 0, .EdidRepair = false,
     .LcnCountryShift = 27,
     .LogoFlashBlock = 1021,
     .FirmwareFlashBlock = 128, .FirmwareNeedsImageHeader = false, .FamilyImageOffset = 0,
     .FamilyVersionRecordBlock = std::nullopt,
     .LcnCountry = true},
    {.Code = 159, .ModelLabel = "TOBEDE", .FamilyLabel = "VUBUKA", .DvbC = true,
     .PlayRec = true, .ServiceDelayFrom = Never, .CapabilityIrAtReset = true,
     .CapabilityIrSwitchFrom = 14, .Capability4KSwitchFrom = 15, .HdcpSwitchFrom = 0, .Snapshot = true,
     .EdidRepair = false,
     .LcnCountryShift = 27,
     .LogoFlashBlock = 1021,
     .FirmwareFlashBlock = 128, .FirmwareNeedsImageHeader = false, .FamilyImageOffset = 0,
     .FamilyVersionRecordBlock = std::nullopt,
     .SendsPanelCommand = true, .LcnCountry = true},
    {.Code = 176, .ModelLabel = "PEDISA", .FamilyLabel = "VUBUKA", .MuxCount = 2, .ServiceCount = 4,
     .DvbC = true,
     .PlayRec = true, .ServiceDelayFrom = Never, .HdcpSwitchFrom = 0, .ReportsMuxBitrates = true,
     .Snapshot = true, .EdidRepair = false,
     .Layout = RecordLayout::Layout2,
     .LogoFlashBlock = 1021,
     .FirmwareFlashBlock = 128, .FirmwareNeedsImageHeader = false, .FamilyImageOffset = 0,
     .FamilyVersionRecordBlock = std::nullopt,
     .SendsPanelCommand = true, .LcnCountry = true, .ApplicationTableSwitch = false},
    {.Code = 178, .ModelLabel = "DASERA", .FamilyLabel = "VUBUKA", .ServiceCount = 2, .DvbC = true,
     .PlayRec = true, .ServiceDelayFrom = Never, .HdcpSwitchFrom = 0, .ReportsMuxBitrates = true,
     .Snapshot = true, .EdidRepair = false,
     .Layout = RecordLayout::Layout2,
     .LogoFlashBlock = 1021,
     .FirmwareFlashBlock = 128, .FirmwareNeedsImageHeader = false, .FamilyImageOffset = 0,
     .FamilyVersionRecordBlock = std::nullopt, .FamilyVersionHoldsMinor = false,
     .SendsPanelCommand = true, .LcnCountry = true, .ApplicationTableSwitch = false},
    {.Code = 192, .ModelLabel = "LUBAGU", .FamilyLabel = "VUBUKA", .DvbC = true, .AudioDelayMinMs = 0,
     .PlayRec = true, .CapabilityUsbAtResetFrom = 15, .Capability4KAtReset = true,
     .CapabilityUsbSwitchable = false, .LogoOverlayFrom = 15, .Snapshot = true, .EdidRepair = false,
     .Layout = RecordLayout::Layout3,
     .LogoFlashBlock = std::nullopt,
     .FirmwareNeedsImageHeader = false, .FamilyImageOffset = 0, .FamilyVersionRecordBlock = std::nullopt,
     .SendsPanelCommand = true, .StreamsIpBesideRf = true, .LcnCountry = true, .MacEditable = true,
     .H265 = true, .MpegAudio = false, .ApplicationTableSwitch = false},
};

// What a code outside the table is taken for: the common model without any
// optional feature.
constexpr HardwareModel Undefined{.ServiceDelayFrom = Never};

const HardwareModel *Find(int code)
{
    for (const HardwareModel &model : Models) {
        if (model.Code == code)
            return &model;
    }
    return nullptr;
}

} // namespace

HardwareProfile::HardwareProfile(const HardwareModel &model, int code, int firmwareVersionByte,
                                 int firmwareMinor)
    : m_model(&model), m_code(code), m_versionByte(firmwareVersionByte), m_minor(firmwareMinor)
{
}

HardwareProfile HardwareProfile::Of(int hardwareCode, int firmwareVersionByte, int firmwareMinor)
{
    const HardwareModel *model = Find(hardwareCode);
    return HardwareProfile(model ? *model : Undefined, hardwareCode, firmwareVersionByte, firmwareMinor);
}

bool HardwareProfile::IsAccepted(int hardwareCode)
{
    return Find(hardwareCode) != nullptr;
}

QList<int> HardwareProfile::AcceptedCodes()
{
    QList<int> codes;
    for (const HardwareModel &model : Models)
        codes.append(model.Code);
    return codes;
}

bool HardwareProfile::IsDefined() const
{
    return m_model != &Undefined;
}

bool HardwareProfile::From(int firstVersion) const
{
    return m_versionByte >= firstVersion;
}

QString HardwareProfile::ModelLabel() const { return QString::fromLatin1(m_model->ModelLabel); }
QString HardwareProfile::FamilyLabel() const { return QString::fromLatin1(m_model->FamilyLabel); }
bool HardwareProfile::VersionByteHoldsMinor() const { return m_model->VersionByteHoldsMinor; }

int HardwareProfile::FirmwareMajor() const
{
    return VersionByteHoldsMinor() ? m_versionByte / 10 : m_versionByte;
}

int HardwareProfile::FirmwareMinorShown() const
{
    return VersionByteHoldsMinor() ? m_versionByte % 10 : m_minor;
}

int HardwareProfile::MuxCount() const { return m_model->MuxCount; }
int HardwareProfile::ServiceCount() const { return m_model->ServiceCount; }
bool HardwareProfile::HasDvbT() const { return m_model->DvbT; }
bool HardwareProfile::HasDvbC() const { return m_model->DvbC; }
bool HardwareProfile::HasDvbS() const { return m_model->DvbS; }
bool HardwareProfile::OutputsOnlyDvbS() const { return HasDvbS() && !HasDvbT() && !HasDvbC(); }
ValueRange HardwareProfile::FrequencyKHz() const { return m_model->FrequencyKHz; }
ValueRange HardwareProfile::SymbolRate() const { return m_model->SymbolRate; }
ValueRange HardwareProfile::VideoBitrateKbps() const { return m_model->VideoBitrateKbps; }
int HardwareProfile::LevelAttMaxDb() const { return m_model->LevelAttMaxDb; }
int HardwareProfile::AudioDelayMinMs() const { return m_model->AudioDelayMinMs; }

bool HardwareProfile::HasPlayRec() const { return m_model->PlayRec; }
bool HardwareProfile::HasServiceDelay() const { return From(m_model->ServiceDelayFrom); }
bool HardwareProfile::CapabilityUsbAtReset() const { return From(m_model->CapabilityUsbAtResetFrom); }
bool HardwareProfile::CapabilityIrAtReset() const { return m_model->CapabilityIrAtReset; }
bool HardwareProfile::Capability4KAtReset() const { return m_model->Capability4KAtReset; }
bool HardwareProfile::CapabilityIrSwitchable() const { return From(m_model->CapabilityIrSwitchFrom); }
bool HardwareProfile::Capability4KSwitchable() const { return From(m_model->Capability4KSwitchFrom); }
bool HardwareProfile::CapabilityUsbSwitchable() const { return m_model->CapabilityUsbSwitchable; }
bool HardwareProfile::HdcpSwitchable() const { return From(m_model->HdcpSwitchFrom); }
bool HardwareProfile::HasLogoOverlay() const { return From(m_model->LogoOverlayFrom); }
bool HardwareProfile::ReportsMuxBitrates() const { return m_model->ReportsMuxBitrates; }
bool HardwareProfile::HasSnapshot() const { return m_model->Snapshot; }
bool HardwareProfile::HasEdidRepair() const { return m_model->EdidRepair; }

bool HardwareProfile::HasBootLogo() const
{
    return StoresDefaultByShell() || LogoFlashBlock().has_value();
}

RecordLayout HardwareProfile::Layout() const { return m_model->Layout; }
bool HardwareProfile::RecordHasExtendedFields() const { return m_model->RecordHasExtendedFields; }
bool HardwareProfile::RecordHasApplicationTables() const { return m_model->RecordHasApplicationTables; }
int HardwareProfile::LcnCountryShift() const { return m_model->LcnCountryShift; }
QString HardwareProfile::ConfigFileExtension() const { return QString::fromLatin1(m_model->ConfigFileExtension); }

StatusReplyFormat HardwareProfile::StatusReply() const
{
    return {ServiceCount(), MuxCount(), m_model->StatusHasAutoMode, HasLogoOverlay()};
}

bool HardwareProfile::StoresDefaultByShell() const { return m_model->StoresDefaultByShell; }
std::optional<quint16> HardwareProfile::LogoFlashBlock() const { return m_model->LogoFlashBlock; }

std::optional<quint16> HardwareProfile::FirmwareFlashBlock() const { return m_model->FirmwareFlashBlock; }
int HardwareProfile::FirmwareChunkSize() const { return m_model->FirmwareChunkSize; }
bool HardwareProfile::FirmwareNeedsImageHeader() const { return m_model->FirmwareNeedsImageHeader; }
bool HardwareProfile::FirmwareSendsChecksum() const { return m_model->FirmwareSendsChecksum; }

bool HardwareProfile::IsWithdrawnFirmwareVersion(int version) const
{
    return m_model->WithdrawnFirmwareVersion == version;
}

bool HardwareProfile::RunsWithdrawnFirmware() const { return IsWithdrawnFirmwareVersion(m_versionByte); }
bool HardwareProfile::ChecksFamilyFirmware() const { return m_model->ChecksFamilyFirmware; }
quint16 HardwareProfile::FamilyFlashBlock() const { return m_model->FamilyFlashBlock; }
int HardwareProfile::FamilyImageOffset() const { return m_model->FamilyImageOffset; }
std::optional<quint16> HardwareProfile::FamilyVersionRecordBlock() const { return m_model->FamilyVersionRecordBlock; }
bool HardwareProfile::FamilyVersionHoldsMinor() const { return m_model->FamilyVersionHoldsMinor; }

bool HardwareProfile::SendsPanelCommand() const { return m_model->SendsPanelCommand; }
bool HardwareProfile::StreamsIpBesideRf() const { return m_model->StreamsIpBesideRf; }
bool HardwareProfile::HasLcn() const { return m_model->Lcn; }
bool HardwareProfile::HasLcnCountry() const { return m_model->LcnCountry; }
bool HardwareProfile::DhcpEditable() const { return m_model->DhcpEditable; }
bool HardwareProfile::HardwareTypeEditable() const { return m_model->HardwareTypeEditable; }
bool HardwareProfile::MacEditable() const { return m_model->MacEditable; }
bool HardwareProfile::HasEncoderTuning() const { return m_model->EncoderTuning; }
bool HardwareProfile::HasHdLcnAndEit() const { return m_model->HdLcnAndEit; }
bool HardwareProfile::HasH265() const { return m_model->H265; }
bool HardwareProfile::HasMpeg2Video() const { return m_model->Mpeg2Video; }
bool HardwareProfile::HasMpegAudio() const { return m_model->MpegAudio; }
bool HardwareProfile::HasVideoPercent() const { return m_model->VideoPercent; }
bool HardwareProfile::HasApplicationTableSwitch() const { return m_model->ApplicationTableSwitch; }
