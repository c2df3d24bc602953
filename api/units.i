/* ==========================================================================
 * Units: static conversions of a physical quantity's value between systems
 * of units. The quantity and system codes are module constants, installed in
 * the order declared here (after the variant and entity kinds); scripts pass
 * them, or any other int that fits 32 bits, as plain integers. A Units object
 * holds nothing: one made with Units() belongs to its proxy and releasing it
 * runs no host code. The two factors of GetConversionFactors are double
 * pointer objects that the host writes through; this module makes none.
 * Included last by classes.i, so that these constants come last.
 * ========================================================================== */

%{
#include <script/Units.h>
%}

namespace script {

/* --- Units ------------------------------------------------------------------- */
/// Conversions of a quantity's value between systems of units; the quantities and systems are the Units_QZTU_ and Units_MCU_ constants.
class Units {
public:
    enum Measurement {
        QZTU_NONE = -1,
        QZTU_VELOCITY = 0,
        QZTU_PRESSURE,
        QZTU_DTEMP,
        QZTU_TEMP,
        QZTU_HEATFLUX,
        QZTU_FILMCOEF,
        QZTU_RADIATION,
        QZTU_HEATGEN,
        QZTU_TDISS,
        QZTU_VOLFLORATE,
        QZTU_MASSFLORATE,
        QZTU_FORCE,
        QZTU_SPECENERGY,
        QZTU_TEMPGRAD,
        QZTU_TIME,
        QZTU_INVTIME,
        QZTU_DENSITY,
        QZTU_VISCOSITY,
        QZTU_CONDUCTIVITY,
        QZTU_DIFFUSIVITY,
        QZTU_SPECHEAT,
        QZTU_AREA,
        QZTU_VOLUME,
        QZTU_LENGTH,
        QZTU_SURFTENSION,
        QZTU_ACCEL,
        QZTU_ROTVEL,
        QZTU_RGAS,
        QZTU_HEAT,
        QZTU_TORQUE,
        QZTU_INERTIA,
        QZTU_CURRENT,
        QZTU_CURRENT_DENS,
        QZTU_VOLTAGE,
        QZTU_RESISTIVITY,
        QZTU_RESISTANCE,
        QZTU_OHMICLOSS,
        QZTU_TRESISTIVITY,
        QZTU_ANGLE,
        QZTU_TRESISTANCE,
        QZTU_SEEBECK,
        QZTU_TRESISTANCE_AREA,
        QZTU_HEAT_CAPACITY,
        QZTU_MASSFLUX
    };
    enum UnitSystem { MCU_UNKNOWN = -1, MCU_MKS = 0, MCU_CGS, MCU_MGS, MCU_FLS, MCU_ILS, MCU_IWC };

    /// The value of the quantity given in the first system, in the second (MKS when left out or -1; a first system of -1 is MKS too).
    static double Convert(double value, Measurement quantity, UnitSystem from, UnitSystem to = MCU_UNKNOWN);
    /// The value of the quantity given in that system, in MKS.
    static double ConvertFromSystemUnits(double value, Measurement quantity, UnitSystem system);
    /// Writes through the two double pointer objects the scale and offset that take a value in the first system to the second (MKS when left out or -1): second = first * scale + offset; 1 for a known quantity and systems, else 0 with scale 1.0 and offset 0.0.
    static int GetConversionFactors(Measurement quantity, double &scale, double &offset, UnitSystem from,
                                    UnitSystem to = MCU_UNKNOWN);
    /// An empty Units object, owned by the script; the conversions need none.
    Units();
    ~Units();
};

}  // namespace script
