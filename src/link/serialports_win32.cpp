#include "link/serialports.h"

#include <QVarLengthArray>

#include <windows.h>

namespace {

// The string values of the key, in the order the registry enumerates them.
// QSettings cannot read this key: its value names hold backslashes, which it
// takes for key separators.
QList<SerialCommValue> SerialCommValues()
{
    QList<SerialCommValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[257];
        DWORD nameLength = 257;
        wchar_t data[1025]; // 2048 bytes of data, and room for a terminating zero
        DWORD dataBytes = 2048;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE *>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        // A value too long for the buffers, or no text, names no port.
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        // The data need not end with a zero: its length is what counts.
        qsizetype characters = qsizetype(dataBytes / sizeof(wchar_t));
        while (characters > 0 && data[characters - 1] == L'\0')
            --characters;
        values.append({QString::fromWCharArray(name, qsizetype(nameLength)),
                       QString::fromWCharArray(data, characters)});
    }
    RegCloseKey(key);
    return values;
}

} // namespace

QStringList UsbSerialPorts()
{
    return UsbPortsOfSerialComm(SerialCommValues(), qEnvironmentVariable("RERUDAD_SERIAL_PORTS"));
}
