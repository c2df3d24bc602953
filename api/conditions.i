/* ==========================================================================
 * Boundary and initial conditions, and the fan and time curves of a boundary
 * condition. Conditions and time curves that a script makes belong to their
 * proxies and are deleted through their virtual destructors; the conditions
 * are values, which the scenario's lists of conditions copy. A condition is
 * made with its name alone: the scenario it would be made for is always
 * null, since applying it is the scenario's work. A fan curve belongs to its
 * boundary condition: no script makes or deletes one. Included by classes.i
 * where the class tree names these classes.
 * ========================================================================== */

%{
#include <script/Object.h>
%}

namespace script {

/* --- FanCurve ---------------------------------------------------------------- */
/// A fan's curve of flow rate and pressure rise; it belongs to its boundary condition, never to a script.
class FanCurve : public Object {
public:
    /// Adds a point of the curve: a flow rate and the pressure rise at it.
    void addPoint(double flow, double pressure);
};

/* --- TimeCurve --------------------------------------------------------------- */
/// A value that changes with time: named values and points of time and factor; one made with TimeCurve(name) is owned by its proxy.
class TimeCurve : public Object {
public:
    /// A time curve of this name, owned by the script.
    TimeCurve(const QString &name);
    /// Sets the value of this name (the name comes first here).
    void setValue(const QString &name, double value);
    /// Adds a point of the curve: a time and the factor at it.
    void addPoint(double time, double value);
    /// Deletes the time curve when the proxy owns it; a proxy that does not own its curve is only cleared.
    virtual ~TimeCurve();
};

/* --- BoundaryCondition ------------------------------------------------------- */
/// A boundary condition: a named value with units, an axis, a time curve and a fan curve, applied to entities of a scenario; a value, which lists of conditions copy.
class BoundaryCondition : public Object {
public:
    %extend {
        /// A boundary condition of this name, owned by the script; it belongs to no scenario until one applies it.
        BoundaryCondition(const QString &name) { return new script::BoundaryCondition(name, nullptr); }
    }
    /// Deletes the condition when the proxy owns it; a proxy that does not own its condition (an element of a list of conditions) is only cleared.
    virtual ~BoundaryCondition();
    /// The condition's information text ("" for none).
    QString infoString() const;
    /// The condition's information text, as a wide string (always a str, "" for none).
    std::wstring infoString_w() const;
    /// Sets the condition's value and its units ("W", "W/m^2", "C", "m^3/s", ...), which name its quantity.
    void setValue(double value, const QString &units);
    /// Sets a point on the condition's axis.
    void setPointOnAxis(double x, double y, double z);
    /// Sets the direction of the condition's axis (refused for a zero direction).
    void setAxisDirection(double x, double y, double z);
    /// Gives the condition a copy of the time curve; None takes the time curve away.
    void setTimeCurve(script::TimeCurve *curve);
    /// Fills the list with the entities the condition is applied to (its contents are replaced).
    void entities(script::EntityList &entities);
    /// The condition's fan curve, or None for a condition that is no fan; never owned by the script.
    script::FanCurve *fanCurve() const;
};

/* --- InitialCondition -------------------------------------------------------- */
/// An initial condition: a named value with units, applied to a scenario; a value, which lists of conditions copy.
class InitialCondition : public Object {
public:
    %extend {
        /// An initial condition of this name, owned by the script; it belongs to no scenario until one applies it.
        InitialCondition(const QString &name) { return new script::InitialCondition(name, nullptr); }
    }
    /// Deletes the condition when the proxy owns it; a proxy that does not own its condition (an element of a list of conditions) is only cleared.
    virtual ~InitialCondition();
    /// The condition's information text ("" for none).
    QString infoString() const;
    /// The condition's information text, as a wide string (always a str, "" for none).
    std::wstring infoString_w() const;
    /// Sets the condition's value and its units ("C", "K", "F", ...), which name its quantity.
    void setValue(double value, const QString &units);
    /// Fills the list with the entities the condition is applied to (its contents are replaced).
    void entities(script::EntityList &entities);
};

}  // namespace script
