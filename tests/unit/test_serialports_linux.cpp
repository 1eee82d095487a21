// The Linux list of serial ports: the ttyACM* nodes of the device folder by
// name, then the paths of RERUDAD_SERIAL_PORTS.

#include "link/serialports.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SerialPorts, AcmNodesByNameThenTheNamedPaths)
{
    QTemporaryDir devices;
    for (const char *name : {"ttyACM1", "ttyACM10", "ttyS0", "ttyACM0", "ttyUSB0"}) {
        QFile node(devices.filePath(QLatin1String(name)));
        ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    }
    const QDir folder(devices.path());
    EXPECT_EQ(ListUsbSerialPorts(devices.path(), QStringLiteral("/tmp/ttyDEVSIM::/dev/pts/7")),
              (QStringList{folder.filePath(QStringLiteral("ttyACM0")), folder.filePath(QStringLiteral("ttyACM1")),
                           folder.filePath(QStringLiteral("ttyACM10")), QStringLiteral("/tmp/ttyDEVSIM"),
                           QStringLiteral("/dev/pts/7")}));
    EXPECT_EQ(ListUsbSerialPorts(devices.filePath(QStringLiteral("missing")), QString()), QStringList());
}

} // namespace
