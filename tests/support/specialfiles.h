#pragma once

#include <QByteArray>
#include <QString>

#include <thread>

// Files and conditions only some systems offer, for tests of how the tool
// meets them. Where the system has no such thing (Windows, for both), the
// calls report it and the test skips.

// A named pipe (FIFO) at path; false when none can be made.
bool MakeNamedPipe(const QString &path);

// A named pipe whose writer sends data, once a reader opens the pipe, and
// ends. When the pipe goes, a writer still waiting for a reader is let go.
class FedNamedPipe
{
public:
    FedNamedPipe(const QString &path, const QByteArray &data);
    ~FedNamedPipe();
    FedNamedPipe(const FedNamedPipe &) = delete;
    FedNamedPipe &operator=(const FedNamedPipe &) = delete;

    // False when no pipe could be made.
    bool made() const { return m_made; }

private:
    QString m_path;
    bool m_made = false;
    std::thread m_writer;
};

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
