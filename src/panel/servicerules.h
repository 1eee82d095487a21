#pragma once

#include "config/configmodel.h"
#include "config/devicestatus.h"
#include "hardware/hardwareprofile.h"

#include <QString>
#include <QStringList>

// The rules of the SERVICE page that are not widgets: its lists, its tab
// labels, what its commit stores and which controls it enables.

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
