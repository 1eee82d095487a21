#include "link/linktrace.h"

Q_LOGGING_CATEGORY(LinkTrace, "rerudad.link", QtInfoMsg)

void EnableLinkTrace()
{
    QLoggingCategory::setFilterRules(QStringLiteral("rerudad.link.debug=true"));
}

QByteArray TraceHex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper();
}
