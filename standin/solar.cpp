// Solar heating of the stand-in (docs/standin-solar-units.md).
#include <script/Object.h>

namespace script {

SolarHeating::~SolarHeating() = default;

}  // namespace script
