#pragma once

#include "link/linkframe.h"

#include <QByteArray>

#include <functional>

// Cuts the bytes a link receives into request frames and hands each one
// over: complete frames with a good check go to onRequest, the rest to
// onBadFrame.
class RequestStream
{
public:
    // Requests carry at most a 2052-byte firmware block; anything announced
    // beyond the two-byte length form is read to its end and dropped.
    static constexpr int Capacity = 65535;

    std::function<void(quint8 requestClass, const QByteArray &payload)> onRequest;
    std::function<void(quint8 requestClass)> onBadFrame;

    void feed(const QByteArray &bytes);

private:
    FrameDecoder m_decoder{FrameDecoder::Accept::Requests, Capacity};
};
