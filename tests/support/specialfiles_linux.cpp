#include "specialfiles.h"

#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <sys/resource.h>
#include <sys/stat.h>

bool MakeNamedPipe(const QString &path)
{
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

FedNamedPipe::FedNamedPipe(const QString &path, const QByteArray &data) : m_path(path), m_made(MakeNamedPipe(path))
{
    if (!m_made)
        return;
    m_writer = std::thread([name = QFile::encodeName(path), data] {
        const int end = ::open(name.constData(), O_WRONLY);
        if (end >= 0) {
            // A reader that went away takes nothing more: the result does not matter.
            [[maybe_unused]] const auto sent = ::write(end, data.constData(), size_t(data.size()));
            ::close(end);
        }
    });
}

FedNamedPipe::~FedNamedPipe()
{
    if (!m_made)
        return;
    // A reader that opens and closes the pipe lets a writer that is still
    // waiting for one go on and end.
    const int reader = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK);
    m_writer.join();
    if (reader >= 0)
        ::close(reader);
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previous = static_cast<long long>(limit.rlim_cur);
    // A write past the limit raises SIGXFSZ, which would end the test.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = rlim_t(bytes);
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (m_active) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(m_previous);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (m_previousHandler)
        std::signal(SIGXFSZ, m_previousHandler);
}
