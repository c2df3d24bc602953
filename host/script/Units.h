// Physical quantities and systems of units, for converting values between systems.
#pragma once

namespace script {

class Units {
public:
    enum Measurement : int {
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
    enum UnitSystem : int { MCU_UNKNOWN = -1, MCU_MKS = 0, MCU_CGS, MCU_MGS, MCU_FLS, MCU_ILS, MCU_IWC };

    // The value of the quantity in the first system, in the second; a system
    // of -1 is MKS.
    static double Convert(double value, Measurement quantity, UnitSystem from, UnitSystem to = MCU_UNKNOWN);
    // The value of the quantity in that system, in MKS.
    static double ConvertFromSystemUnits(double value, Measurement quantity, UnitSystem system);
    // Writes the scale and offset with which a value in the second system is
    // one in the first times the scale plus the offset; 1 when the quantity
    // and systems are known, else 0 with scale 1 and offset 0.
    static int GetConversionFactors(Measurement quantity, double &scale, double &offset, UnitSystem from,
                                    UnitSystem to = MCU_UNKNOWN);
};

}  // namespace script
