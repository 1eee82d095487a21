#pragma once

#include "config/configmodel.h"
#include "config/devicestatus.h"
#include "hardware/hardwareprofile.h"

#include <QString>
#include <QStringList>

// The rules of the SERVICE page that are not widgets: its lists, its tab
// labels, what its commit stores and which controls it enables.

// Longest texts the model keeps from the page's text fields.
inline constexpr int ServiceNameLength = 32;
inline constexpr int EitNameLength = 40;
inline constexpr int EitTextLength = 100;
inline constexpr int AitTextLength = 60; // AitName, AitRoot, AitPath

// The lists, index 0 first.
QStringList VideoCodecItems(const HardwareProfile &profile);
QStringList AudioCodecItems(const HardwareProfile &profile);
QStringList VideoInputItems();
QStringList AudioInputItems();
QStringList AudioBitrateItems();
// The application control codes 0 to 8: the index is the code.
QStringList AitControlCodeItems();

// The tab of service index service: "M1A", "M1B", "M2A" ... (two services
// per multiplex), followed by the format of the picture the device receives
// on that service's input, " 1080i50 PCM", when it receives one.
QString ServiceTabLabel(int service, const DeviceStatus &status);

// What the page's controls hold when it commits: the field texts as typed,
// the selected item of each list (-1 for none) and the AIT switch.
struct ServicePageInput
{
    QString ServiceName;
    QString EitName;
    QString EitText;
    QString AitName;
    QString AitRoot;
    QString AitPath;
    QString ServiceId;
    QString Lcn;
    QString HdLcn;
    QString PmtPid;
    QString VideoPid;
    QString AudioPid;
    QString AitPid;
    QString VideoPercent;
    QString VideoBitrate;
    QString AudioDelayMs;
    QString AitOrgId;
    int VideoCodec = -1;
    int VideoInput = -1;
    int AudioInput = -1;
    int AudioCodec = -1;
    int AudioBitrate = -1;
    int AitControlCode = -1;
    bool AitEnabled = false;
};

// Reads the page into service record service and the members all services
// share. A value that fails its check is replaced by its substitute (a field
// without digits too); texts are cut to their lengths. PIDs have no upper
// bound.
void CommitServiceInput(const ServicePageInput &input, ConfigModel &model, int service,
                        const HardwareProfile &profile);

// Every edit of the application table gives it a new version.
void AdvanceAitVersion(ConfigModel &model);

// Which controls the page enables for the hardware, the model and the
// service shown.
struct ServiceEnables
{
    bool HdLcnAndEit = false; // HD LCN, and the EIT event name and text
    bool Lcn = false;
    bool Delay = false;
    bool VideoPercent = false;
    bool AitSwitch = false;   // the application table switch (first service only)
    bool AitFields = false;   // the application table's fields
    bool Inputs = false;      // video and audio input lists
};
ServiceEnables DecideServiceEnables(const HardwareProfile &profile, const ConfigModel &model, int service);
