#pragma once
#include <QByteArray>

namespace sim {

// How the meter's reports travel to the program. Normally each frame is one write; the
// other ways, which combine, are what a buffering dongle and a noisy line make of them.
struct FrameDelivery {
    static constexpr int kDefaultSplitGapMs = 5;

    // Every other report is held back and goes out with the next one, in one write.
    bool paired = false;
    // When above 0: the first splitAt bytes of a write (stray bytes included), the rest
    // splitGapMs later. Writes no longer than splitAt go whole. Keep the gap shorter than the
    // report interval, or the next write overtakes the rest.
    int splitAt = 0;
    int splitGapMs = kDefaultSplitGapMs;
    // Written just ahead of the frames, in the same write.
    QByteArray strayBefore{};

    bool operator==(const FrameDelivery&) const = default;
};

// The bytes that carry one write's frames: what goes at once, and the rest (empty when
// nothing is held back) after restDelayMs.
struct DeliveryWrites {
    QByteArray first{};
    QByteArray rest{};
    int restDelayMs = 0;
};

DeliveryWrites deliveryWrites(const FrameDelivery& delivery, const QByteArray& frames);

} // namespace sim
