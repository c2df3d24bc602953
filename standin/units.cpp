// Conversions between systems of units in the stand-in (docs/standin-solar-units.md).
#include <script/Units.h>
