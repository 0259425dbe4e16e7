#include "sim/demo_mix.h"

#include <array>

namespace sim {
namespace {

constexpr int kFramesPerPart = 8;
constexpr int kOffValueEvery = 7;
constexpr double kOffValueFactor = 1.12;

const std::array<Component, 4> kParts = {{
    {ComponentKind::Resistor, 1000, 0},
    {ComponentKind::Capacitor, 100e-9, 0.2},
    {ComponentKind::Inductor, 1e-3, 1.5},
    {ComponentKind::Resistor, 47000, 0},
}};

} // namespace

DemoMix::DemoMix(MeterSimulator& simulator) : QObject(&simulator), m_simulator(simulator)
{
    connect(&simulator, &MeterSimulator::frameSent, this, &DemoMix::prepareNextFrame);
    m_simulator.meter().setComponent(kParts.front());
}

void DemoMix::prepareNextFrame()
{
    ++m_frameCount;
    Component part = kParts[std::size_t(m_frameCount / kFramesPerPart) % kParts.size()];
    if (m_frameCount % kOffValueEvery == 0)
        part.value *= kOffValueFactor;
    m_simulator.meter().setComponent(part);
}

} // namespace sim
