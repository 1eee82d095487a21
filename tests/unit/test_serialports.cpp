// The Windows list of serial ports, from the values of the registry key that
// maps kernel device names to port names, and the path that opens a port.

#include "link/serialports.h"

#include <gtest/gtest.h>

namespace {

TEST(SerialCommPorts, UsbSerialValuesInEnumerationOrderThenTheNamedPorts)
{
    const QList<SerialCommValue> values{
        {QStringLiteral("\\Device\\Serial0"), QStringLiteral("COM1")},      // the board's own port
        {QStringLiteral("\\Device\\USBSER001"), QStringLiteral("COM12")},
        {QStringLiteral("\\Device\\Serial4"), QStringLiteral("COM5")},      // how Wine lists a mapped port
        {QStringLiteral("\\Device\\usbser002"), QStringLiteral("COM8")},    // not the kernel's spelling
        {QStringLiteral("\\Device\\USBSER000"), QStringLiteral("COM7")},
        {QStringLiteral("\\Device\\USBSE"), QStringLiteral("COM9")},        // shorter than the kernel name
        {QStringLiteral("\\Device\\VCP0"), QStringLiteral("COM3")},         // another maker's USB driver
        {QStringLiteral("\\Device\\USBSER003"), QString()},                 // no port name
    };
    EXPECT_EQ(UsbPortsOfSerialComm(values, QString()), (QStringList{QStringLiteral("COM12"), QStringLiteral("COM7")}));
    EXPECT_EQ(UsbPortsOfSerialComm(values, QStringLiteral("COM5;;COM20")),
              (QStringList{QStringLiteral("COM12"), QStringLiteral("COM7"), QStringLiteral("COM5"), QStringLiteral("COM20")}));
    EXPECT_EQ(UsbPortsOfSerialComm({}, QString()), QStringList());
}

TEST(SerialCommPorts, APortIsOpenedThroughTheDeviceNamespace)
{
    EXPECT_EQ(Win32DevicePath(QStringLiteral("COM7")), QStringLiteral("\\\\.\\COM7"));
    EXPECT_EQ(Win32DevicePath(QStringLiteral("COM12")), QStringLiteral("\\\\.\\COM12"));
    EXPECT_EQ(Win32DevicePath(QStringLiteral("\\\\.\\COM5")), QStringLiteral("\\\\.\\COM5"));
}

} // namespace
