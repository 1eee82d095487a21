#include "specialfiles.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

bool MakeNamedPipe(const QString &path)
{
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
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
