#include "specialfiles.h"

// Windows keeps named pipes out of the file system and has no file size
// limit per process.

bool MakeNamedPipe(const QString &)
{
    return false;
}

FedNamedPipe::FedNamedPipe(const QString &path, const QByteArray &) : m_path(path) {}

FedNamedPipe::~FedNamedPipe() = default;

FileSizeLimit::FileSizeLimit(long long) {}

FileSizeLimit::~FileSizeLimit() = default;
