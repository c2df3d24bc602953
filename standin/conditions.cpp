// Fan and time curves of the stand-in (docs/standin-conditions.md).
#include <script/Object.h>

namespace script {

FanCurve::~FanCurve() = default;
TimeCurve::~TimeCurve() = default;

}  // namespace script
