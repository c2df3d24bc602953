/* ==========================================================================
 * Vector: three doubles, copied across the boundary.
 * ========================================================================== */

%{
#include <Clt/Vector.h>
%}

namespace Clt {

/// A point or a direction in space, in the study's length unit; a value, copied across the boundary.
class Vector {
public:
    /// The origin, (0, 0, 0).
    Vector();
    /// The vector (x, y, z).
    Vector(double x, double y, double z);
    /// A copy of another vector.
    Vector(const Vector &other);
    ~Vector();

    double x; ///< The first component.
    double y; ///< The second component.
    double z; ///< The third component.

    /* Vectors are values: equal when their components are. */
    %pythoncode %{
    def __eq__(self, other):
        """Whether other is a Vector with the same components."""
        if not isinstance(other, Vector):
            return NotImplemented
        return (self.x, self.y, self.z) == (other.x, other.y, other.z)

    __hash__ = None
    %}
};

}  // namespace Clt

%setup_delete_directly(Clt::Vector)
