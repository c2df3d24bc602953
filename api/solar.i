/* ==========================================================================
 * Solar heating: a host object made for a scenario, that switches the sun's
 * heating on and off and says where the model stands under the sky. One made
 * with SolarHeating(scenario) belongs to its proxy and is destroyed through
 * its virtual destructor; the module keeps no link between it and the
 * scenario's proxy. Included by classes.i where the class tree names it.
 * ========================================================================== */

%{
#include <script/Object.h>
%}

namespace script {

/* --- SolarHeating ------------------------------------------------------------ */
/// The sun's heating of a scenario's model, switched on or off, with the model's directions and its place on the earth; owned by the script that makes it.
class SolarHeating : public Object {
public:
    /// Solar heating for this scenario, whose settings it changes (None for none: its operations are then refused).
    SolarHeating(script::Scenario *scenario);
    virtual ~SolarHeating();
    /// Switches the sun's heating on.
    void enable();
    /// Switches the sun's heating off.
    void disable();
    /// Gives the model's direction (x, y, z) that points to this compass point: "North", "East", "South" or "West".
    void setCompassDirection(const QString &name, double x, double y, double z);
    /// Gives the model's direction (x, y, z) that points to this point of the sky: "Zenith" (up) or "Nadir" (down).
    void setCelestialOrientation(const QString &name, double x, double y, double z);
    /// Sets the latitude: whole degrees, minutes and the hemisphere ("N" or "S").
    void setLatitude(int degrees, int minutes, const QString &hemisphere);
    /// Sets the longitude: whole degrees, minutes and the hemisphere ("E" or "W").
    void setLongitude(int degrees, int minutes, const QString &hemisphere);
};

}  // namespace script
