#include "simulator_line.h"

#include <QSignalSpy>
#include <cmath>

namespace {

using sim::ComponentKind;

const QByteArray kDefaultsPressed = command(0x01, 0x24, 0x80, 0x21);

TEST_F(SimulatorLine, RlcdFrameLayout)
{
    simulator->meter().setComponent(sim::defaultComponent(ComponentKind::Capacitor));
    simulator->meter().setNextReading(sim::RlcdReading{100, -100});
    simulator->sendFrameNow();
    const QByteArray frame = readFrame();
    ASSERT_EQ(frame.size(), sim::kFrameLength);
    EXPECT_EQ(floatAt(frame, 0), 100.0f);
    EXPECT_EQ(floatAt(frame, 4), -100.0f);
    EXPECT_EQ(byteAt(frame, 8), 0xE4) << "automatic circuit (series), automatic frequency index 4";
    EXPECT_EQ(byteAt(frame, 9), 0xBA) << "automatic D secondary, automatic C primary";
    EXPECT_EQ(byteAt(frame, 10), 0x21) << "interval code 2, level 1";
    EXPECT_EQ(byteAt(frame, 11), 0x01) << "sound on, not negative";
    EXPECT_EQ(byteAt(frame, 15), 0x41) << "RLCD, brightness pressed";
    EXPECT_EQ(frame.right(2), "1\n");
}

TEST_F(SimulatorLine, FramesFollowTheMetersReportInterval)
{
    link();
    simulator->setIntervalOverrideMs(0);
    frameAfter(command(0x01, 0x24, 0x80, 0x31)); // interval code 3: 0.5 s
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(readFrame().size(), sim::kFrameLength);
    EXPECT_NEAR(double(clock.elapsed()), 500, 120);
}

TEST_F(SimulatorLine, SettingsCommandIsReportedByTheNextFrameAndUnknownValuesAreRefused)
{
    QSignalSpy commands(simulator.get(), &sim::MeterSimulator::commandReceived);
    simulator->meter().setComponent(sim::defaultComponent(ComponentKind::Capacitor));
    link();
    // Series, 1 kHz; primary L, secondary D, sound off; interval 0.5 s, level 2.
    const QByteArray chosen = frameAfter(command(0x01, 0x83, 0x33, 0x32));
    EXPECT_EQ(byteAt(chosen, 8), 0x43);
    EXPECT_EQ(byteAt(chosen, 9), 0x33);
    EXPECT_EQ(byteAt(chosen, 10), 0x32);
    EXPECT_EQ(byteAt(chosen, 11), 0x02) << "an L primary on a capacitive reading is negative";
    EXPECT_NEAR(floatAt(chosen, 4), -1 / (2 * M_PI * 1000 * 1e-6), 0.01) << "measured at 1 kHz";

    // Circuit code 3, frequency index 20, primary and secondary 7, level 7, interval 0.
    const QByteArray refused = frameAfter(command(0x01, 0xD4, 0x77, 0x07));
    EXPECT_EQ(refused.mid(8, 3), chosen.mid(8, 3));

    ASSERT_EQ(commands.size(), 2);
    EXPECT_EQ(commands[0][0].value<sim::MeterCommand>().bytes, (std::array<uint8_t, 5>{0x01, 0x83, 0x33, 0x32, 0x0A}));
}

TEST_F(SimulatorLine, AutomaticChoicesReportTheKindThatSuitsTheComponent)
{
    struct Case {
        sim::Component component;
        uint8_t byte8; // circuit and frequency
        uint8_t byte9; // secondary and primary
    };
    const std::vector<Case> cases = {
        {{ComponentKind::Resistor, 4700, 0}, 0xA4, 0xA9},      // parallel, 10 kHz, Q, R
        {{ComponentKind::Capacitor, 1e-6, 0.05}, 0xE4, 0xBA},  // series, 10 kHz, D, C
        {{ComponentKind::Capacitor, 47e-6, 0.05}, 0xE3, 0xBA}, // large: 1 kHz
        {{ComponentKind::Inductor, 100e-6, 0.4}, 0xE4, 0xAB},  // series, 10 kHz, Q, L
    };
    link();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.component.value);
        simulator->meter().setComponent(c.component);
        const QByteArray frame = frameAfter(kDefaultsPressed);
        EXPECT_EQ(byteAt(frame, 8), c.byte8);
        EXPECT_EQ(byteAt(frame, 9), c.byte9);
    }
}

TEST_F(SimulatorLine, BrightnessFollowsTheInvertedCommandBit)
{
    link();
    EXPECT_EQ(byteAt(frameAfter(command(0x41, 0x24, 0x80, 0x21)), 15), 0x01);
    EXPECT_EQ(byteAt(frameAfter(command(0xC2, 1, 1, 1)), 15), 0x02) << "mode commands carry it too";
    EXPECT_EQ(byteAt(frameAfter(command(0x81, 1, 1, 1)), 15), 0x41);
}

TEST_F(SimulatorLine, ModeCommandsSwitchTheFollowingFrames)
{
    link();
    const QByteArray resistor = frameAfter(command(0x82, 1, 1, 1));
    EXPECT_EQ(byteAt(resistor, 15), 0x42);
    EXPECT_EQ(byteAt(resistor, 14), 0x02) << "resistor picture, automatic range, one current";
    EXPECT_FLOAT_EQ(floatAt(resistor, 0), 4700);
    EXPECT_GT(floatAt(resistor, 4), 0);

    for (const auto& [subject, picture] :
         {std::pair{sim::RdSubject::DiodeForward, 0x30}, {sim::RdSubject::DiodeReverse, 0x31}}) {
        simulator->meter().setRdSubject(subject);
        const QByteArray diode = frameAfter(command(0x82, 1, 1, 1));
        EXPECT_EQ(byteAt(diode, 14), picture) << "range 1, second current, picture";
        EXPECT_FLOAT_EQ(floatAt(diode, 0), 650) << "millivolts";
    }

    simulator->meter().setVoltageSource({-1.5, 0.1});
    const QByteArray voltage = frameAfter(command(0x83, 1, 1, 1));
    EXPECT_EQ(byteAt(voltage, 15), 0x43);
    EXPECT_FLOAT_EQ(floatAt(voltage, 8), -1.5f);
    EXPECT_FLOAT_EQ(floatAt(voltage, 4), 0.2f);
    EXPECT_FLOAT_EQ(floatAt(voltage, 0), float(std::sqrt(2.25 + 0.005)));

    EXPECT_EQ(byteAt(frameAfter(command(0x81, 1, 1, 1)), 15), 0x41);
}

TEST_F(SimulatorLine, HoldRepeatsTheLastReadingUntilReleased)
{
    link();
    simulator->meter().setNextReading(sim::RlcdReading{10, 20});
    frameWithRs(10);
    simulator->meter().setNextReading(sim::RlcdReading{30, 40});

    const QByteArray held = frameAfter(command(0x01, 0x24, 0x80, 0xA1));
    EXPECT_EQ(floatAt(held, 0), 10.0f);
    EXPECT_EQ(floatAt(held, 4), 20.0f);
    EXPECT_EQ(byteAt(held, 10) & 0x80, 0x80);
    EXPECT_EQ(readFrame(), held);

    const QByteArray released = frameAfter(kDefaultsPressed);
    EXPECT_EQ(floatAt(released, 0), 30.0f);
    EXPECT_EQ(byteAt(released, 10) & 0x80, 0);
}

TEST_F(SimulatorLine, CommandsBeforeTheLinkAreRecordedButNeverReachTheMeter)
{
    send(command(0x82, 1, 1, 1));
    readFor(50);
    ASSERT_EQ(simulator->receivedCommands().size(), 1);
    EXPECT_EQ(simulator->receivedBytes(), command(0x82, 1, 1, 1));
    link();
    EXPECT_EQ(byteAt(readFrame(), 15), 0x41);
}

TEST(MeterModelNoise, SameSeedGivesTheSameSmallDeviations)
{
    auto frames = [](unsigned seed) {
        sim::MeterModel meter;
        meter.setNoise(0.01, seed);
        return QList<QByteArray>{meter.nextFrame(), meter.nextFrame(), meter.nextFrame()};
    };
    const auto first = frames(5);
    EXPECT_EQ(first, frames(5));
    EXPECT_NE(first, frames(6));
    EXPECT_NE(first[0], first[1]);
    EXPECT_NEAR(floatAt(first[0], 0), 4700, 47);
}

} // namespace
