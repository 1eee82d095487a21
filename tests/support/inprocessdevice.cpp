#include "inprocessdevice.h"

#include "inprocesstransport.h"
#include "requestlog.h"

#include "link/cxmit.h"

#include <gtest/gtest.h>

namespace {

int DevicesMade = 0;

SimIdentity IdentityOf(const InProcessDevice::Options &options)
{
    return SimIdentity{quint8(options.code), quint8(options.versionByte), quint8(options.minor)};
}

FaultPlan FaultsOf(const InProcessDevice::Options &options)
{
    FaultPlan faults;
    for (const QString &rule : options.faults) {
        QString error;
        EXPECT_TRUE(faults.addRule(rule, &error)) << error.toStdString();
    }
    return faults;
}

} // namespace

InProcessDevice::InProcessDevice() : InProcessDevice(Options{}) {}

InProcessDevice::InProcessDevice(const Options &options)
    : m_device(IdentityOf(options), FaultsOf(options)),
      m_portPath(QStringLiteral("inprocess:%1").arg(++DevicesMade))
{
    m_device.openRequestLog(m_folder.filePath(QStringLiteral("requests.log")));
    m_device.setFirmwareFaults(options.firmwareFaults);
}

void InProcessDevice::plugInto(CXmit &xmit)
{
    xmit.TimeoutScale = TimeScale;
    xmit.SerialPortOpener = [this, opener = xmit.SerialPortOpener](const QString &path) -> std::unique_ptr<Transport> {
        if (path != m_portPath)
            return opener(path);
        if (!m_plugged)
            return nullptr;
        return std::make_unique<InProcessTransport>(m_device, InProcessTransport::Kind::Serial, TimeScale);
    };
}

QStringList InProcessDevice::requestLog() const
{
    return ReadRequestLog(m_folder.filePath(QStringLiteral("requests.log")));
}

QStringList InProcessDevice::commandsLogged() const
{
    return CommandsOf(requestLog());
}
