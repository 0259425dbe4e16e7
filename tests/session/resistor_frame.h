#pragma once
#include "meter/meter_frame.h"
#include "sim/frame_encoder.h"

// A meter that reports a resistor of this many ohms measured in series at 1 kHz, resistance
// first and quality second.
inline meter::TMeterFrame resistorFrame(double ohm)
{
    sim::MeterSettings reported;
    reported.PrimAuto = 0;
    reported.PrimKind = sim::kPrimR;
    reported.SecAuto = 0;
    reported.SecKind = sim::kSecQ;
    reported.FreqAuto = 0;
    reported.FreqIndex = 3; // 1 kHz
    reported.SerPerAuto = 0;
    reported.SerPer = 1;
    return *meter::FrameFromBytes(sim::encodeRlcdFrame(sim::RlcdReading{ohm, 10}, reported, true));
}
