#pragma once

#include "qtprinting.h"

#include "simdevice.h"

#include <QStringList>
#include <QTemporaryDir>

class CXmit;

// A simulated device in the test's own process: the link reaches it through
// an in-process transport instead of a pseudo-terminal, and the link's
// time-outs shrink so that silence costs milliseconds, not seconds.
class InProcessDevice
{
public:
    struct Options
    {
        int code = 132;
        int versionByte = 14;
        int minor = 0;
        QStringList faults; // rules as --fault takes them, "CMD_GET_STATUS:silence"
        SimFirmwareFaults firmwareFaults;
    };

    // Time-outs and device delays are multiplied by this: 2.5 s become 25 ms.
    static constexpr double TimeScale = 0.01;

    InProcessDevice();
    explicit InProcessDevice(const Options &options);

    // The serial port path under which CXmit finds this device once plugged.
    QString portPath() const { return m_portPath; }
    // Makes xmit open this device at portPath() and shrinks its time-outs.
    void plugInto(CXmit &xmit);
    // Unplugged, the device answers nothing more and its port cannot be
    // opened any more, as after a USB unplug.
    void unplug()
    {
        m_plugged = false;
        m_device.setPowered(false);
    }
    bool plugged() const { return m_plugged; }

    SimDevice &device() { return m_device; }
    QStringList requestLog() const;
    QStringList commandsLogged() const;

private:
    QTemporaryDir m_folder;
    SimDevice m_device;
    QString m_portPath;
    bool m_plugged = true;
};
