// The Windows list read from the registry itself. The test adds values to
// HARDWARE\DEVICEMAP\SERIALCOMM, which needs an administrator and changes
// what the machine lists while it runs: it runs only where
// RERUDAD_TEST_WRITES_SERIALCOMM is set (the Wine prefix of
// scripts/windows.sh, which is the test's own).

#include "link/serialports.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

const wchar_t *const SerialCommKey = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

class SerialCommValues
{
public:
    SerialCommValues()
    {
        m_open = RegCreateKeyExW(HKEY_LOCAL_MACHINE, SerialCommKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &m_key, nullptr) == ERROR_SUCCESS;
    }
    ~SerialCommValues()
    {
        for (const std::wstring &name : m_written)
            RegDeleteValueW(m_key, name.c_str());
        if (m_open)
            RegCloseKey(m_key);
    }

    bool open() const { return m_open; }

    bool write(const wchar_t *name, const wchar_t *port)
    {
        const DWORD bytes = DWORD((wcslen(port) + 1) * sizeof(wchar_t));
        if (RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(port), bytes) != ERROR_SUCCESS)
            return false;
        m_written.emplace_back(name);
        return true;
    }

private:
    HKEY m_key = nullptr;
    bool m_open = false;
    std::vector<std::wstring> m_written;
};

TEST(SerialCommRegistry, UsbSerialPortsAreReadFromTheRegistryInItsOrder)
{
    if (qEnvironmentVariableIsEmpty("RERUDAD_TEST_WRITES_SERIALCOMM"))
        GTEST_SKIP() << "set RERUDAD_TEST_WRITES_SERIALCOMM to let the test change the machine's port list";
    SerialCommValues values;
    ASSERT_TRUE(values.open());
    // Names that sort as they were written: Wine enumerates in name order,
    // Windows in the order of writing.
    ASSERT_TRUE(values.write(L"\\Device\\USBSER090", L"COM19"));
    ASSERT_TRUE(values.write(L"\\Device\\USBSER091", L"COM17"));
    ASSERT_TRUE(values.write(L"\\Device\\usbser092", L"COM18"));
    ASSERT_TRUE(values.write(L"\\Device\\VCP90", L"COM16"));

    qputenv("RERUDAD_SERIAL_PORTS", "COM5");
    const QStringList ports = UsbSerialPorts();
    qunsetenv("RERUDAD_SERIAL_PORTS");
    const qsizetype first = ports.indexOf(QStringLiteral("COM19"));
    ASSERT_GE(first, 0) << ports.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(ports.mid(first), (QStringList{QStringLiteral("COM19"), QStringLiteral("COM17"), QStringLiteral("COM5")}));
}

} // namespace
