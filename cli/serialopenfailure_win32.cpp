#include "serialopenfailure.h"

#include "devicechoice.h"

#include "link/serialports.h"

#include <cerrno>

#include <windows.h>

namespace {

QString SystemMessage(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString message = length ? QString::fromWCharArray(text, length).trimmed()
                                   : QStringLiteral("system error %1").arg(error);
    LocalFree(text);
    return message;
}

} // namespace

QString SerialOpenFailure(const QString &path)
{
    const std::wstring device = Win32DevicePath(path).toStdWString();
    const HANDLE handle = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const DWORD error = GetLastError();
    if (handle != INVALID_HANDLE_VALUE) {
        DCB settings{};
        settings.DCBlength = sizeof settings;
        const bool serial = GetCommState(handle, &settings);
        CloseHandle(handle);
        return serial ? QStringLiteral("cannot open serial port %1 (in use by another program?)").arg(path)
                      : QStringLiteral("cannot open serial port %1: not a serial port").arg(path);
    }
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return SerialOpenError(path, ENOENT);
    // A port is opened without sharing: another program holding it is the
    // usual reason to be refused.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return QStringLiteral("cannot open serial port %1 (in use by another program?)").arg(path);
    default:
        return QStringLiteral("cannot open serial port %1: %2").arg(path, SystemMessage(error));
    }
}
