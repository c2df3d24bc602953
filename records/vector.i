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

    /* Vectors are values: equal when their components are. */
    %pythoncode %{
    def __eq__(self, other):
        if not isinstance(other, Vector):
            return NotImplemented
        return (self.x, self.y, self.z) == (other.x, other.y, other.z)

    __hash__ = None
    %}
};

}  // namespace Clt
