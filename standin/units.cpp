// Conversions between systems of units in the stand-in (docs/standin-solar-units.md).
//
// Every conversion goes through MKS (SI): a value v in a system is
// v * scale + offset in MKS, and scale and offset come from ONE table of
// base units per system and of the exponents of those base units per
// quantity. Convert, ConvertFromSystemUnits and GetConversionFactors all use
// the same factors, so that they agree to the last bit.
//
// Sources of the factors (all exact by definition unless said otherwise):
//   NIST SP 811 (2008), appendix B.8/B.9, and NIST Handbook 44 appendix C:
//   1 in = 0.0254 m; 1 ft = 0.3048 m; 1 lb = 0.45359237 kg;
//   1 lbf = 0.45359237 kg * 9.80665 m/s^2 = 4.4482216152605 N;
//   1 Btu (International Table) = 1055.05585262 J, so 1 Btu/h = 0.29307107017222... W;
//   1 psi = 1 lbf/in^2 = 6894.757293168... Pa; 1 lbf/ft^2 = 47.88025898033584... Pa;
//   1 inch of water at 60 F = 248.84 Pa (NIST SP 811 B.8; rounded by NIST);
//   1 dyn = 1e-5 N; 1 ft^3/min = 0.3048^3 / 60 m^3/s;
//   T(K) = (T(F) + 459.67) * 5/9, T(K) = T(C) + 273.15, a Fahrenheit degree of difference is 5/9 K.
#include <script/Units.h>

#include "journal.h"

#include <cmath>

namespace script {

namespace {

// The base units of a system, each as its value in SI. Time is the second in
// every system, and current, voltage and resistance are A, V and ohm in
// every system, so they have no column.
struct System {
    double length;       // m per unit
    double mass;         // kg per unit
    double difference;   // K per degree of temperature difference
    double zero;         // K at the temperature scale's zero
    double power;        // W per unit
    double energy;       // J per unit
    double force;        // N per unit
    double pressure;     // Pa per unit
    double flow;         // m^3/s per unit of volume flow
    double angle;        // rad per unit
    double rotation;     // rad/s per unit
};

constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kPound = 0.45359237;
constexpr double kPoundForce = 4.4482216152605;
constexpr double kBtu = 1055.05585262;
constexpr double kFahrenheit = 5.0 / 9.0;
constexpr double kFahrenheitZero = 459.67 * 5.0 / 9.0;
constexpr double kCelsiusZero = 273.15;
constexpr double kInchOfWater60F = 248.84;
constexpr double kCubicFootPerMinute = kFoot * kFoot * kFoot / 60.0;
constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr double kRevolutionPerMinute = 2.0 * 3.14159265358979323846 / 60.0;

// By Units::UnitSystem, MKS first.
const System kSystems[] = {
    // MKS: m, kg, s, K, W, J, N, Pa, m^3/s, rad, rad/s.
    {1.0, 1.0, 1.0, 0.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},
    // CGS: cm, g, s, C, W, J, dyn, dyn/cm^2, cm^3/s, rad, rad/s.
    {0.01, 0.001, 1.0, kCelsiusZero, 1.0, 1.0, 1e-5, 0.1, 1e-6, 1.0, 1.0},
    // MGS: mm, g, s, C, W, J, g mm/s^2 (uN), uN/mm^2 (= Pa), mm^3/s, rad, rad/s.
    {0.001, 0.001, 1.0, kCelsiusZero, 1.0, 1.0, 1e-6, 1.0, 1e-9, 1.0, 1.0},
    // FLS: ft, lb, s, F, Btu/h, Btu, lbf, lbf/ft^2, ft^3/min, degree, rpm.
    {kFoot, kPound, kFahrenheit, kFahrenheitZero, kBtu / 3600.0, kBtu, kPoundForce, kPoundForce / (kFoot * kFoot),
     kCubicFootPerMinute, kDegree, kRevolutionPerMinute},
    // ILS: in, lb, s, F, Btu/h, Btu, lbf, psi, ft^3/min, degree, rpm.
    {kInch, kPound, kFahrenheit, kFahrenheitZero, kBtu / 3600.0, kBtu, kPoundForce, kPoundForce / (kInch * kInch),
     kCubicFootPerMinute, kDegree, kRevolutionPerMinute},
    // IWC: ILS with pressure in inches of water at 60 F.
    {kInch, kPound, kFahrenheit, kFahrenheitZero, kBtu / 3600.0, kBtu, kPoundForce, kInchOfWater60F,
     kCubicFootPerMinute, kDegree, kRevolutionPerMinute},
};
constexpr int kSystemCount = int(sizeof kSystems / sizeof kSystems[0]);

// A quantity's unit as a product of powers of the base units; the second's
// powers are left out, since every system has the same second.
struct Dimension {
    signed char length, mass, difference, power, energy, force, pressure, flow, angle, rotation;
    bool temperature;  // a temperature on its scale: converted with the scale's zero
};

// By Units::Measurement, from QZTU_VELOCITY (0). The SI unit of each is in its comment.
const Dimension kQuantities[] = {
    //  L   M  dT   P   E   F   p   Q   A   W
    {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // VELOCITY m/s
    {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, false},    // PRESSURE Pa
    {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, false},    // DTEMP K (a difference: no zero)
    {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, true},     // TEMP K
    {-2, 0, 0, 1, 0, 0, 0, 0, 0, 0, false},   // HEATFLUX W/m^2
    {-2, 0, -1, 1, 0, 0, 0, 0, 0, 0, false},  // FILMCOEF W/(m^2 K)
    {-2, 0, 0, 1, 0, 0, 0, 0, 0, 0, false},   // RADIATION W/m^2
    {-3, 0, 0, 1, 0, 0, 0, 0, 0, 0, false},   // HEATGEN W/m^3
    {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, false},    // TDISS W
    {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, false},    // VOLFLORATE m^3/s
    {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, false},    // MASSFLORATE kg/s
    {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, false},    // FORCE N
    {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, false},   // SPECENERGY J/kg
    {-1, 0, 1, 0, 0, 0, 0, 0, 0, 0, false},   // TEMPGRAD K/m
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // TIME s
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // INVTIME 1/s
    {-3, 1, 0, 0, 0, 0, 0, 0, 0, 0, false},   // DENSITY kg/m^3
    {-1, 1, 0, 0, 0, 0, 0, 0, 0, 0, false},   // VISCOSITY kg/(m s) = Pa s
    {-1, 0, -1, 1, 0, 0, 0, 0, 0, 0, false},  // CONDUCTIVITY W/(m K)
    {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // DIFFUSIVITY m^2/s
    {0, -1, -1, 0, 1, 0, 0, 0, 0, 0, false},  // SPECHEAT J/(kg K)
    {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // AREA m^2
    {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // VOLUME m^3
    {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // LENGTH m
    {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, false},   // SURFTENSION N/m
    {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // ACCEL m/s^2
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, false},    // ROTVEL rad/s
    {0, -1, -1, 0, 1, 0, 0, 0, 0, 0, false},  // RGAS J/(kg K)
    {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, false},    // HEAT J
    {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, false},    // TORQUE N m
    {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, false},    // INERTIA kg m^2
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // CURRENT A
    {-2, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},   // CURRENT_DENS A/m^2
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // VOLTAGE V
    {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // RESISTIVITY ohm m
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false},    // RESISTANCE ohm
    {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, false},    // OHMICLOSS W
    {1, 0, 1, -1, 0, 0, 0, 0, 0, 0, false},   // TRESISTIVITY m K/W
    {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, false},    // ANGLE rad
    {0, 0, 1, -1, 0, 0, 0, 0, 0, 0, false},   // TRESISTANCE K/W
    {0, 0, -1, 0, 0, 0, 0, 0, 0, 0, false},   // SEEBECK V/K
    {2, 0, 1, -1, 0, 0, 0, 0, 0, 0, false},   // TRESISTANCE_AREA m^2 K/W
    {0, 0, -1, 0, 1, 0, 0, 0, 0, 0, false},   // HEAT_CAPACITY J/K
    {-2, 1, 0, 0, 0, 0, 0, 0, 0, 0, false},   // MASSFLUX kg/(m^2 s)
};
constexpr int kQuantityCount = int(sizeof kQuantities / sizeof kQuantities[0]);
static_assert(kQuantityCount == Units::QZTU_MASSFLUX + 1, "one row per quantity");
static_assert(kSystemCount == Units::MCU_IWC + 1, "one row per system");

// base^power by repeated products, so that a factor is the same on every platform.
double raised(double base, int power) {
    double out = 1.0;
    for (int i = 0; i < (power < 0 ? -power : power); ++i) out *= base;
    return power < 0 ? 1.0 / out : out;
}

// A value v of the quantity in the system is v * scale + offset in SI.
struct ToSi {
    double scale;
    double offset;
};

ToSi toSi(const Dimension &d, const System &s) {
    const double scale = raised(s.length, d.length) * raised(s.mass, d.mass) * raised(s.difference, d.difference) *
                         raised(s.power, d.power) * raised(s.energy, d.energy) * raised(s.force, d.force) *
                         raised(s.pressure, d.pressure) * raised(s.flow, d.flow) * raised(s.angle, d.angle) *
                         raised(s.rotation, d.rotation);
    return {scale, d.temperature ? s.zero : 0.0};
}

// Every quantity in every system, worked out once.
struct Table {
    ToSi at[kQuantityCount][kSystemCount];
    Table() {
        for (int q = 0; q < kQuantityCount; ++q)
            for (int s = 0; s < kSystemCount; ++s) at[q][s] = toSi(kQuantities[q], kSystems[s]);
    }
};

const Table &table() {
    static const Table made;
    return made;
}

// -1 stands for MKS; false for a code that is no system.
bool systemIndex(int code, int *index) {
    if (code == Units::MCU_UNKNOWN) code = Units::MCU_MKS;
    if (code < 0 || code >= kSystemCount) return false;
    *index = code;
    return true;
}

// The factors from one system to the other, or why there are none (then 1 and 0).
QString factors(int quantity, int from, int to, double *scale, double *offset) {
    *scale = 1.0;
    *offset = 0.0;
    int a, b;
    if (quantity < Units::QZTU_NONE || quantity >= kQuantityCount)
        return QStringLiteral("no quantity has the code %1").arg(quantity);
    if (!systemIndex(from, &a)) return QStringLiteral("no system of units has the code %1").arg(from);
    if (!systemIndex(to, &b)) return QStringLiteral("no system of units has the code %1").arg(to);
    if (quantity == Units::QZTU_NONE) return QString();  // a pure number: the same in every system
    const ToSi &source = table().at[quantity][a];
    const ToSi &target = table().at[quantity][b];
    // target value = (source value * source.scale + source.offset - target.offset) / target.scale
    *scale = source.scale / target.scale;
    *offset = (source.offset - target.offset) / target.scale;
    return QString();
}

double convert(const char *operation, double value, int quantity, int from, int to, bool withTo) {
    standin::Call call("Units", operation, standin::Reads);
    call.arg(value).arg(quantity).arg(from);
    if (withTo) call.arg(to);
    double scale, offset;
    QString why = factors(quantity, from, to, &scale, &offset);
    if (why.isEmpty() && !std::isfinite(value)) why = QStringLiteral("the value is not a finite number");
    if (!why.isEmpty()) {
        call.failed(why);
        return value;
    }
    return value * scale + offset;
}

}  // namespace

double Units::Convert(double value, Measurement quantity, UnitSystem from, UnitSystem to) {
    return convert("Convert", value, int(quantity), int(from), int(to), true);
}

double Units::ConvertFromSystemUnits(double value, Measurement quantity, UnitSystem system) {
    return convert("ConvertFromSystemUnits", value, int(quantity), int(system), int(MCU_MKS), false);
}

int Units::GetConversionFactors(Measurement quantity, double &scale, double &offset, UnitSystem from, UnitSystem to) {
    standin::Call call("Units", "GetConversionFactors", standin::Reads);
    call.arg(int(quantity)).arg(&scale).arg(&offset).arg(int(from)).arg(int(to));
    const QString why = factors(int(quantity), int(from), int(to), &scale, &offset);
    if (why.isEmpty()) return 1;
    call.failed(why);
    return 0;
}

}  // namespace script
