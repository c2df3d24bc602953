/* ==========================================================================
 * The properties of setting objects (materials, motions) and their
 * variations. Both belong to the object that carries them: their proxies
 * never own them, and no script makes or deletes one. Included by classes.i
 * where the class tree names these classes.
 * ========================================================================== */

%{
#include <script/Object.h>
%}

namespace script {

/* --- Variation --------------------------------------------------------------- */
/// A variation of a property: a value with units, named values, points, velocity entries and a control value; never owned by a script.
class Variation : public Object {
public:
    /// The variation's type, as the application names it.
    std::wstring type_w() const;
    /// The type that the variation's type is a kind of.
    std::wstring core_type() const;
    /// The variation's own value.
    double value() const;
    /// The value of this name (the variation's own for "" or None; 0.0 for a name it does not have); ok, a bool pointer object, is set to whether it has one.
    double value(const QString &name, bool *ok = 0) const;
    /// The units of the variation's own value ("" until set).
    QString units() const;
    /// The units of the value of this name ("" for a name it does not have); ok, a bool pointer object, is set to whether it has one.
    QString units(const QString &name, bool *ok = 0) const;
    /// Sets the variation's own value, and its units unless None.
    void setValue(double value, const char *units = 0);
    /// Sets the value of this name, and its units unless None.
    void setValue(const char *name, double value, const char *units = 0);
    /// Sets the value of this name from a text: a number, optionally followed by its units ("205 W/m-K").
    void setValue(const char *name, const char *value);
    /// Adds a point (x, y) to the variation's curve.
    void addPoint(double x, double y);
    /// Sets the units of the points' x values.
    void setXUnits(const QString &units);
    /// The units of the points' x values ("" until set).
    QString xUnits() const;
    /// Sets the units of the points' y values.
    void setYUnits(const QString &units);
    /// The units of the points' y values ("" until set).
    QString yUnits() const;
    /// Adds a velocity entry of four numbers; those left out are 0.0.
    void addVelocity(double a, double b, double c = 0.0, double d = 0.0);
    /// Sets the control value and its units.
    void setControlValue(double value, const QString &units);
    /// Forgets the variation's points, velocity entries and named values.
    void clear();
};

/* --- Property ---------------------------------------------------------------- */
/// A property of a material or a motion, with its variations, one of which may be applied; never owned by a script.
class Property : public Object {
public:
    /// The property's type.
    QString type() const;
    /// The property's type.
    std::wstring type_w() const;
    /// Sets the property's type (refused for an empty one).
    void setType(const QString &type);
    /// The variation of this name, or with none the applied one (else the first); None if there is none.
    script::Variation *variation(const QString &name = QString());
    /// Fills the list with the property's variations, in order (its contents are replaced).
    void variations(script::VariationList &variations);
    /// Applies a variation of this property to it (refused for None or another property's variation).
    void apply(script::Variation *variation);
};

}  // namespace script
