#pragma once
#include "sim/meter_simulator.h"

#include <QObject>

namespace sim {

// Walks the simulated meter through a few typical parts, some frames each, and now and
// then measures one that is well off its nominal value, so a sorting run sees rejects.
class DemoMix : public QObject {
    Q_OBJECT
public:
    explicit DemoMix(MeterSimulator& simulator);

private:
    void prepareNextFrame();

    MeterSimulator& m_simulator;
    int m_frameCount = 0;
};

} // namespace sim
