// Materials of the stand-in (docs/standin-materials.md).
#include <script/Object.h>

namespace script {

Material::~Material() = default;

}  // namespace script
