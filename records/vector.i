/* ==========================================================================
 * Vector: three doubles, copied across the boundary.
 * ========================================================================== */

%{
#include <Clt/Vector.h>
%}

namespace Clt {

class Vector {
public:
    Vector();
    Vector(double x, double y, double z);
    Vector(const Vector &other);
    ~Vector();

    double x;
    double y;
    double z;
};

}  // namespace Clt
