// The link's reply decoder on bytes as they come off the line: the first
// byte seeds how the rest is cut into the pieces the transport hands over,
// and the pieces run through one decoder after another as the exchange does
// for successive replies. Cutting the stream differently must change
// nothing, no payload may outgrow the reply buffer, and a valid reply
// encoded again must decode to itself.
#include "link/cxmit.h"
#include "link/linkframe.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Frame
{
    bool valid;
    quint8 replyClass;
    QByteArray payload;

    bool operator==(const Frame &) const = default;
};

// Decodes the stream fed in pieces of the given sizes (cycled), one frame
// after another; a frame still open at the end is left out.
QList<Frame> Decode(QByteArrayView stream, QByteArrayView pieceSizes)
{
    QList<Frame> frames;
    FrameDecoder decoder(FrameDecoder::Accept::Replies, CXmit::ReplyCapacity);
    qsizetype position = 0;
    qsizetype piece = 0;
    while (position < stream.size()) {
        const qsizetype size = pieceSizes.isEmpty() ? stream.size() : 1 + quint8(pieceSizes[piece++ % pieceSizes.size()]);
        QByteArrayView chunk = stream.sliced(position, std::min(size, stream.size() - position));
        position += chunk.size();
        while (!chunk.isEmpty()) {
            const int consumed = decoder.feed(chunk.data(), int(chunk.size()));
            chunk = chunk.sliced(consumed);
            if (!decoder.isComplete())
                continue;
            if (decoder.payload().size() > CXmit::ReplyCapacity
                || (decoder.isValid() && decoder.payload().size() != decoder.announcedLength()))
                std::abort();
            frames.append({decoder.isValid(), decoder.frameClass(), decoder.payload()});
            decoder.reset();
        }
    }
    return frames;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const qsizetype cuts = std::min<qsizetype>(data[0] % 8, qsizetype(size) - 1);
    const QByteArrayView pieceSizes(data + 1, cuts);
    const QByteArrayView stream(data + 1 + cuts, qsizetype(size) - 1 - cuts);

    const QList<Frame> whole = Decode(stream, {});
    if (Decode(stream, pieceSizes) != whole)
        std::abort();
    for (const Frame &frame : whole) {
        if (!frame.valid)
            continue;
        if (frame.replyClass != REPLY_OK && frame.replyClass != REPLY_REFUSED)
            std::abort();
        const QByteArray line = FrameEncoder::encode(frame.replyClass, frame.payload);
        if (Decode(line, {}) != QList<Frame>{frame})
            std::abort();
    }
    return 0;
}
