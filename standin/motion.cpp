// Motions of the stand-in (docs/standin-motion.md).
#include <script/Object.h>

namespace script {

Motion::~Motion() = default;

}  // namespace script
