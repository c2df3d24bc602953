#include <script/Object.h>
#include <script/Records.h>

#include "journal.h"

namespace script {

// The settings a new scenario starts with: a person at rest, lightly dressed,
// in half-saturated air; smoke of a flaming fire seen against a lit sign.
ThermalComfortParams::ThermalComfortParams(Analysis &scenario)
    : MetRate(1.0), Humidity(50.0), Clothing(0.5) {
    standin::Call("ThermalComfortParams", "ThermalComfortParams", standin::Reads).arg(&scenario);
}

SmokeParams::SmokeParams(Analysis &scenario)
    : ExtinctionCoef(8700.0), SignConstant(8.0), ParticleYield(0.015) {
    standin::Call("SmokeParams", "SmokeParams", standin::Reads).arg(&scenario);
}

}  // namespace script
