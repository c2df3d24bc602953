// The application's three-component vector: lengths in the study's length unit.
#pragma once

namespace Clt {

class Vector {
public:
    Vector();
    Vector(double x, double y, double z);
    Vector(const Vector &other);
    ~Vector();
    Vector &operator=(const Vector &other) = default;

    double x;
    double y;
    double z;
};

namespace Units {
// Length units of a study.
enum MLENGTHUNITS {
    MLU_UNKNOWN = -1,
    MLU_METER = 0,
    MLU_CENTIMETER,
    MLU_MILLIMETER,
    MLU_MICRON,
    MLU_KILOMETER,
    MLU_INCH,
    MLU_FOOT,
    MLU_YARD,
    MLU_MILE
};
}  // namespace Units

}  // namespace Clt
