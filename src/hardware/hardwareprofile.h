#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

// What a hardware code (and the firmware version byte the device reports
// with it) implies for the tool: the model's labels, its configuration
// record, its outputs, services and limits, what it can do, where its flash
// areas lie and how its firmware is sent, how its status reply is laid out,
// and which settings the pages offer for it. Every model is one row of the
// table in hardwareprofile.cpp; nothing else in the tool tests a hardware
// code.
//
// Version rules compare the raw FirmwareVersionByte, also on the codes whose
// byte holds major x 10 + minor.

// The four forms of the configuration record. Layout 2 opens with a header
// that names its hardware; the other three are bare field sequences.
enum class RecordLayout { Layout0, Layout1, Layout2, Layout3 };

// The values a typed setting is accepted in, and the value that replaces one
// outside them.
struct ValueRange
{
    quint32 Min = 0;
    quint32 Max = 0;
    quint32 Default = 0;

    bool operator==(const ValueRange &) const = default;
};

// How the device lays out its answer to the status poll.
struct StatusReplyFormat
{
    int ServiceCount = 1;     // one 8-byte input group per service opens the reply
    int MuxCount = 1;         // one pair of bitrates per multiplex closes it
    bool HasAutoMode = true;  // the automatic player mode byte follows the inputs
    bool HasLogoList = false; // the logo file names follow the clock

    bool operator==(const StatusReplyFormat &) const = default;
};

struct HardwareModel;

class HardwareProfile
{
public:
    // The profile of a device that identified with these bytes. A code
    // outside the table gives an undefined profile: empty labels, no
    // optional features, and the common model's record and limits.
    static HardwareProfile Of(int hardwareCode, int firmwareVersionByte = 0, int firmwareMinor = 0);
    // The codes the identification probe accepts: those of the table.
    static bool IsAccepted(int hardwareCode);
    // Every accepted code, in table order.
    static QList<int> AcceptedCodes();

    int HardwareCode() const { return m_code; }
    // The code is one of the table's.
    bool IsDefined() const;

    // --- Labels and version
    // The model label names the model in texts and its firmware files; empty
    // when undefined (the tool tells the user where it asks for one).
    QString ModelLabel() const;
    // The family label names the family firmware files.
    QString FamilyLabel() const;
    // The version byte holds major x 10 + minor, and the reply's minor byte
    // means nothing; on every other code the byte is the major version.
    bool VersionByteHoldsMinor() const;
    // The firmware version as the title and the upgrade texts show it.
    int FirmwareMajor() const;
    int FirmwareMinorShown() const;

    // --- Outputs, services and limits
    // Multiplexes (RF or IP outputs) and encoded services of the hardware.
    int MuxCount() const;
    int ServiceCount() const;
    // The RF modulations the output offers.
    bool HasDvbT() const;
    bool HasDvbC() const;
    bool HasDvbS() const;
    // DVB-S is the only RF modulation: whatever a record says, the output
    // mode is DVB-S.
    bool OutputsOnlyDvbS() const;
    // Output frequency in kHz and symbol rate in kilosymbols per second.
    ValueRange FrequencyKHz() const;
    ValueRange SymbolRate() const;
    // A service's video bitrate in kbit/s.
    ValueRange VideoBitrateKbps() const;
    // The highest output level attenuation the level slider offers, in dB.
    int LevelAttMaxDb() const;
    // The lowest audio delay a service accepts, in ms (the highest is 999).
    int AudioDelayMinMs() const;

    // --- What the hardware can do
    // USB playback and recording with their schedule.
    bool HasPlayRec() const;
    // Per-service delay settings (on some models only from a firmware on).
    bool HasServiceDelay() const;
    // The capabilities a record starts from before its own bytes are read:
    // USB play/record, an infrared receiver, 4K.
    bool CapabilityUsbAtReset() const;
    bool CapabilityIrAtReset() const;
    bool Capability4KAtReset() const;
    // The firmware stores the infrared and 4K capabilities in the record, and
    // the MANUFACTURER page lets them be switched.
    bool CapabilityIrSwitchable() const;
    bool Capability4KSwitchable() const;
    // The MANUFACTURER page lets the USB play/record capability be switched.
    bool CapabilityUsbSwitchable() const;
    // The MANUFACTURER page lets HDCP on the HDMI input be switched.
    bool HdcpSwitchable() const;
    // A logo overlay on the picture, placed on the USB page from the logo
    // files the status reply lists.
    bool HasLogoOverlay() const;
    // A boot logo the factory default stores with the configuration, chosen
    // from the logo files beside the tool.
    bool HasBootLogo() const;
    // The device reports the available and used bitrate of its multiplexes;
    // the MULTIPLEX page shows them.
    bool ReportsMuxBitrates() const;
    // The device's display can be saved as a picture.
    bool HasSnapshot() const;
    // The HDMI input's EDID table can be repaired from the MISC. page.
    bool HasEdidRepair() const;

    // --- Configuration record and files
    RecordLayout Layout() const;
    // Layout 1 goes on after the capability byte with the schedule, the
    // infrared, country, video share, delay, application, 4K, HDCP and
    // modulation fields.
    bool RecordHasExtendedFields() const;
    // Layout 1 holds a service application table group after each delay, and
    // the 4K and HDCP bytes before the modulation fields; without them the
    // HDCP byte follows the modulation fields.
    bool RecordHasApplicationTables() const;
    // Layout 1 stores the LCN country index minus this, modulo 256.
    int LcnCountryShift() const;
    // The extension of configuration files saved for this hardware.
    QString ConfigFileExtension() const;

    // --- Status
    StatusReplyFormat StatusReply() const;

    // --- Factory default
    // The configuration and the boot logo are files on the device: the
    // factory default is stored by shell commands and a logo upload, and the
    // device is rebooted once more afterwards. Otherwise CMD_SAVE_DEFAULT
    // stores it and the logo goes into LogoFlashBlock.
    bool StoresDefaultByShell() const;
    // The flash area of the boot logo; none where the logo is a file or the
    // hardware keeps no boot logo.
    std::optional<quint16> LogoFlashBlock() const;

    // --- Firmware upgrade
    // The flash area the main image is written to; none where the image goes
    // by CMD_FW_BEGIN, data blocks at byte offsets and CMD_FW_END.
    std::optional<quint16> FirmwareFlashBlock() const;
    // Bytes of image per data request.
    int FirmwareChunkSize() const;
    // An 8-byte image header (magic and image size) precedes the image.
    bool FirmwareNeedsImageHeader() const;
    // A 4-byte sum of the image bytes follows the image.
    bool FirmwareSendsChecksum() const;
    // A firmware version of this model that is never installed from a file,
    // and that a device is upgraded away from even to an older version.
    bool IsWithdrawnFirmwareVersion(int version) const;
    // The device's version byte is that withdrawn version.
    bool RunsWithdrawnFirmware() const;
    // A family firmware is looked for (its version is the minor byte of the
    // identification).
    bool ChecksFamilyFirmware() const;
    quint16 FamilyFlashBlock() const;
    // Leading bytes of a family image file that are not sent.
    int FamilyImageOffset() const;
    // The flash area that receives the family version after a family
    // upgrade; none where the device keeps no such record.
    std::optional<quint16> FamilyVersionRecordBlock() const;
    // Family versions are shown as version / 10 "." version mod 10; else as
    // one number.
    bool FamilyVersionHoldsMinor() const;

    // --- Settings pages
    // CMD_PANEL_3 is sent when the settings panel is activated.
    bool SendsPanelCommand() const;
    // The IP stream runs beside the RF output: IP is not one of the output
    // kinds (a label takes the radio button's place), the IP protocol stays
    // editable whatever the output, and the protocols are RTP, UDP, RTSP and
    // HLS rather than UDP and RTP.
    bool StreamsIpBesideRf() const;
    // Services carry a logical channel number and the network an LCN type.
    bool HasLcn() const;
    // The LCN country is chosen; a country hides the network identifiers.
    bool HasLcnCountry() const;
    // DHCP and the device's address are edited on the MULTIPLEX page.
    bool DhcpEditable() const;
    // The FULL / LITE hardware type is edited on the MANUFACTURER page.
    bool HardwareTypeEditable() const;
    // The MAC address is edited on the MANUFACTURER page.
    bool MacEditable() const;
    // H.264 profile, VBR, strict CBR and PCM volume on the MISC. page.
    bool HasEncoderTuning() const;
    // An HD logical channel number and the EIT event texts.
    bool HasHdLcnAndEit() const;
    // Video codecs beside H.264: H.265; MPEG-2 (SD and HD).
    bool HasH265() const;
    bool HasMpeg2Video() const;
    // MPEG-1 layer II audio beside AAC-LC.
    bool HasMpegAudio() const;
    // A service's share of the video, in percent.
    bool HasVideoPercent() const;
    // The first service's HbbTV application table is edited.
    bool HasApplicationTableSwitch() const;

private:
    HardwareProfile(const HardwareModel &model, int code, int firmwareVersionByte, int firmwareMinor);

    bool From(int firstVersion) const;

    const HardwareModel *m_model;
    int m_code;
    int m_versionByte;
    int m_minor;
};
