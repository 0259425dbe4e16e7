#include "sim/frame_delivery.h"

namespace sim {

DeliveryWrites deliveryWrites(const FrameDelivery& delivery, const QByteArray& frames)
{
    const QByteArray bytes = delivery.strayBefore + frames;
    if (delivery.splitAt <= 0 || delivery.splitAt >= bytes.size())
        return {bytes};
    return {bytes.left(delivery.splitAt), bytes.mid(delivery.splitAt), delivery.splitGapMs};
}

} // namespace sim
