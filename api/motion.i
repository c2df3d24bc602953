/* ==========================================================================
 * Motion: a named setting object of directions, axes and centres, a force,
 * gravity and a time curve, which a scenario applies to its selected parts.
 * A motion made with Motion(name) belongs to its proxy and is deleted
 * through its virtual destructor; its components and properties belong to
 * the motion, so their proxies never own them. Setters take three numbers;
 * getters give a Vector that the proxy owns, a copy that changes nothing of
 * the motion. Included by classes.i where the class tree names its classes.
 * ========================================================================== */

%{
#include <script/Object.h>
%}

/* The time curve's own operations are declared with the conditions; here it
   is only the type that setTimeCurve takes. */
namespace script {
class TimeCurve;
}

namespace script {

/* --- Motion ------------------------------------------------------------------ */
/// A motion of a scenario's parts: its directions, axes, centres, force, gravity and time curve; one made with Motion(name) is owned by its proxy.
class Motion : public Object {
public:
    /// A motion of this name, owned by the script.
    Motion(const QString &name);
    /// Deletes the motion, with its components and properties, when the proxy owns it; a proxy that does not own its motion is only cleared.
    virtual ~Motion();

    /* Named parts of the motion, which belong to it. */
    /// The motion's property of this name, or None; never owned by the script.
    script::Property *property(const QString &name);
    /// The motion's component of this name, itself a motion, or None; never owned by the script.
    script::Motion *motionComponent(const QString &name);

    /* Translation. */
    /// Sets the direction of travel (refused for a zero or non-finite direction).
    void setDirection(double x, double y, double z);
    /// Sets the direction of travel to the normal of this entity of a scenario's part.
    void setDirectionNormalTo(script::Entity *entity);
    /// Turns the direction of travel around.
    void reverseDirection();

    /* Rotation. */
    /// Sets the axis of rotation (refused for a zero or non-finite axis).
    void setAxisOfRotation(double x, double y, double z);
    /// Sets the axis of rotation to the normal of this entity of a scenario's part.
    void setAxisOfRotationNormalTo(script::Entity *entity);
    /// Turns the axis of rotation around.
    void reverseAxisOfRotation();
    /// Sets the centre of rotation (refused for a non-finite point).
    void setCenterOfRotation(double x, double y, double z);
    /// Sets the centre of rotation to the centroid of this entity of a scenario's part.
    void setCenterOfRotationToCentroid(script::Entity *entity);

    /* Orbit and tilt. */
    /// Sets the orbit axis (refused for a zero or non-finite axis).
    void setOrbitAxis(double x, double y, double z);
    /// Sets the orbit axis to the normal of this entity of a scenario's part.
    void setOrbitAxisNormalTo(script::Entity *entity);
    /// Turns the orbit axis around.
    void reverseOrbitAxis();
    /// Sets the centre of the orbit (refused for a non-finite point).
    void setCenterOfOrbit(double x, double y, double z);
    /// Sets the tilt axis (refused for a zero or non-finite axis).
    void setTiltAxis(double x, double y, double z);
    /// Sets the tilt axis to the normal of this entity of a scenario's part.
    void setTiltAxisNormalTo(script::Entity *entity);
    /// Turns the tilt axis around.
    void reverseTiltAxis();

    /* Nutation. */
    /// Sets the axis of nutation (refused for a zero or non-finite axis).
    void setAxisOfNutation(double x, double y, double z);
    /// Sets the axis of nutation to the normal of this entity of a scenario's part.
    void setAxisOfNutationNormalTo(script::Entity *entity);
    /// Turns the axis of nutation around.
    void reverseAxisOfNutation();
    /// Sets the centre of nutation (refused for a non-finite point).
    void setCenterOfNutation(double x, double y, double z);
    /// Sets the centre of nutation to the centroid of this entity of a scenario's part.
    void setCenterOfNutationToCentroid(script::Entity *entity);

    /* Force, gravity and time. */
    /// Sets the direction of the applied force; coordinates left out are 1.0, 0.0, 0.0 (refused for a zero or non-finite direction).
    void setForceDirection(double x = 1.0, double y = 0.0, double z = 0.0);
    /// A copy of the direction of the applied force, owned by the proxy.
    Clt::Vector forceDirection() const;
    /// Sets where the force is applied; coordinates left out are 0.0 (refused for a non-finite point).
    void setForceLocation(double x = 0.0, double y = 0.0, double z = 0.0);
    /// A copy of where the force is applied, owned by the proxy.
    Clt::Vector forceLocation() const;
    /// Sets the motion's gravity; coordinates left out are 0.0, 0.0, -1.0 (refused for a non-finite vector).
    void setGravity(double x = 0.0, double y = 0.0, double z = -1.0);
    /// A copy of the motion's gravity, owned by the proxy.
    Clt::Vector gravity() const;
    /// Takes a copy of the time curve's name, values and points; a later change to the curve needs setTimeCurve again (None is refused).
    void setTimeCurve(const script::TimeCurve &curve);
};

}  // namespace script
