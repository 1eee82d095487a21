#pragma once

#include "config/configmodel.h"
#include "config/devicestatus.h"
#include "hardware/hardwareprofile.h"

#include <QString>
#include <QStringList>

#include <optional>

// The rules of the MULTIPLEX page that are not widgets: its lists, its
// texts, what its commit stores, and which controls it enables and shows.

// Output kinds, as Mux.Mode holds them and the radio buttons choose them.
enum OutputMode { OutputIp = 0, OutputDvbT = 1, OutputDvbC = 2, OutputDvbS = 3 };

// The fixed lists, index 0 first.
QStringList BandwidthItems();
QStringList DvbTConstellationItems();
QStringList DvbCConstellationItems();
QStringList TxModeItems();
QStringList CodeRateItems();
QStringList GuardIntervalItems();
QStringList LcnIdTypeItems();
QStringList LcnCountryItems();
// The last country item, "---": no country, so the network identifiers apply.
inline constexpr int NoLcnCountry = 27;
// The IP streaming protocols of the hardware; on a device that streams IP
// beside its RF output RTP comes first.
QStringList IpProtocolItems(const HardwareProfile &profile);

// "M1", "M2" ...: the multiplex tab of index mux.
QString MuxTabLabel(int mux);
// The attenuation beside the level slider: "%ddB".
QString LevelAttText(int db);

// The output kind the radio buttons show: IP, else DVB-T, else DVB-C, else DVB-S.
int ModeOfRadios(bool ipChecked, bool dvbTChecked, bool dvbCChecked);

// Which controls the page enables, and shows, for the hardware and the
// model; mux is the multiplex shown.
struct MultiplexEnables
{
    bool Dhcp = false;             // the DHCP switch
    bool DeviceAddress = false;    // the device's address, mask and gateway
    bool DvbT = false;             // the output-kind radio buttons
    bool DvbC = false;
    bool DvbS = false;
    bool Ip = false;
    bool Frequency = false;
    bool Bandwidth = false;        // and the constellation label
    bool TConstellation = false;
    bool CConstellation = false;
    bool SymbolRate = false;
    bool CodeRate = false;
    bool TxModeAndGuard = false;   // the DVB-T carrier mode and guard interval
    bool Level = false;
    bool IpProtocol = false;
    bool IpDestination = false;    // address and port of the IP output
    bool Ttl = false;
    bool LcnCountry = false;
    bool NetworkIdsVisible = false; // network id and original network id
    bool LcnIdTypeVisible = false;
    QString LevelText;
};
MultiplexEnables DecideMultiplexEnables(const HardwareProfile &profile, const ConfigModel &model, int mux,
                                        bool advancedOrManufacturer);

// The controls the page does not simply show or hide with itself.
struct MultiplexVisibility
{
    bool IpRadio = false;        // the IP output kind
    bool IpLabel = false;        // "IP :" in its place
    bool TConstellation = false; // the two constellation lists share one place
    bool CConstellation = false;
    bool Bitrate = false;        // the bitrate text and bar
};
MultiplexVisibility DecideMultiplexVisibility(const HardwareProfile &profile, int mode, bool shown);

// What the bitrate display shows after a status poll, on hardware that
// reports its multiplex bitrates; nothing on other hardware.
struct BitrateDisplay
{
    QStringList TabLabels; // one per multiplex, "M1 (Init...)" until the device knows its bitrate
    QString Text;          // "used/available Kb/s" of the multiplex shown, or "Init..."
    int Maximum = 100;     // range of the bar: 0..Maximum
    int Position = 0;
};
std::optional<BitrateDisplay> DecideBitrateDisplay(const HardwareProfile &profile, int muxCount,
                                                   const DeviceStatus &status, int mux);
