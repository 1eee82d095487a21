#include "requeststream.h"

void RequestStream::feed(const QByteArray &bytes)
{
    int position = 0;
    while (position < bytes.size()) {
        position += m_decoder.feed(bytes.constData() + position, int(bytes.size()) - position);
        if (!m_decoder.isComplete())
            continue;
        const quint8 requestClass = m_decoder.frameClass();
        const QByteArray payload = m_decoder.payload();
        const bool valid = m_decoder.isValid();
        m_decoder.reset();
        if (valid && onRequest)
            onRequest(requestClass, payload);
        else if (!valid && onBadFrame)
            onBadFrame(requestClass);
    }
}
