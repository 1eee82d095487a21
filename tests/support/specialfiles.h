#pragma once

#include <QString>

// Files and conditions only some systems offer, for tests of how the tool
// meets them. Where the system has no such thing (Windows, for both), the
// calls report it and the test skips.

// A named pipe (FIFO) at path; false when none can be made.
bool MakeNamedPipe(const QString &path);

// While it lives, every write that would take a file past the given size
// fails, as on a full disk (Linux: the file size limit, with its signal
// ignored).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // False when the limit could not be set.
    bool active() const { return m_active; }

private:
    bool m_active = false;
    long long m_previous = 0;
    void (*m_previousHandler)(int) = nullptr;
};
