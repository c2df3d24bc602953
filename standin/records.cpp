#include <script/Object.h>
#include <script/Records.h>

#include "journal.h"
#include "scenario.h"

namespace script {

// The scenario's settings as they are now. A new scenario starts with a
// person at rest, lightly dressed, in half-saturated air, and smoke of a
// flaming fire seen against a lit sign (standin/scenario.h).
ThermalComfortParams::ThermalComfortParams(Analysis &scenario)
    : MetRate(standin::setupOf(&scenario).comfort[0]), Humidity(standin::setupOf(&scenario).comfort[1]),
      Clothing(standin::setupOf(&scenario).comfort[2]) {
    standin::Call("ThermalComfortParams", "ThermalComfortParams", standin::Reads).arg(&scenario);
}

SmokeParams::SmokeParams(Analysis &scenario)
    : ExtinctionCoef(standin::setupOf(&scenario).smoke[0]), SignConstant(standin::setupOf(&scenario).smoke[1]),
      ParticleYield(standin::setupOf(&scenario).smoke[2]) {
    standin::Call("SmokeParams", "SmokeParams", standin::Reads).arg(&scenario);
}

}  // namespace script
