/* ==========================================================================
 * Result and parameter records: plain fields, read and written directly.
 * ========================================================================== */

%{
#include <script/Records.h>
%}

namespace script {

/* --- CTMResults: a component's thermal results ------------------------- */
/* Made with every field zero: the wrapper value-initialises it. */
/// A component's thermal results: its board, case and junction temperatures and the heat through its sides.
struct CTMResults {
    /// Results with every field zero.
    CTMResults();
    ~CTMResults();
    double boardTemp;         ///< The temperature of the board under the component.
    double boardSideHeatFlux; ///< The heat flux through the board side.
    double caseTemp;          ///< The temperature of the component's case.
    double caseSideHeatFlux;  ///< The heat flux through the case side.
    double junctionTemp;      ///< The temperature of the component's junction.
};

/* --- TECResults: a thermo-electric cooler's results -------------------- */
/// A thermo-electric cooler's results: its sides' temperatures and heat, its current, power and merit.
struct TECResults {
    /// Results with every field zero.
    TECResults();
    ~TECResults();
    int numCouples;          ///< The number of thermo-electric couples.
    double coldSideTemp;     ///< The temperature of the cold side.
    double hotSideTemp;      ///< The temperature of the hot side.
    double coldSideHeatFlux; ///< The heat flux through the cold side.
    double hotSideHeatFlux;  ///< The heat flux through the hot side.
    double current;          ///< The electric current through the cooler.
    double electricPower;    ///< The electric power that the cooler takes.
    double COP;              ///< The coefficient of performance: heat moved per unit of power.
    double FOM;              ///< The figure of merit.
};

/* --- ThermalComfortParams: a copy of a scenario's comfort settings ----- */
/// A copy of a scenario's thermal comfort settings; changing it changes the copy only.
struct ThermalComfortParams {
    /// A copy of the comfort settings of the scenario.
    ThermalComfortParams(script::Scenario &scenario);
    ~ThermalComfortParams();
    double MetRate;  ///< The occupants' metabolic rate.
    double Humidity; ///< The relative humidity of the air.
    double Clothing; ///< The occupants' clothing insulation.
};

/* --- SmokeParams: a copy of a scenario's smoke visibility settings ----- */
/// A copy of a scenario's smoke visibility settings; changing it changes the copy only.
struct SmokeParams {
    /// A copy of the smoke visibility settings of the scenario.
    SmokeParams(script::Scenario &scenario);
    ~SmokeParams();
    double ExtinctionCoef; ///< The mass extinction coefficient of the smoke.
    double SignConstant;   ///< The visibility constant of a sign seen through the smoke.
    double ParticleYield;  ///< The mass of smoke particles that a unit of burnt fuel yields.
};

}  // namespace script

%setup_delete_directly(script::CTMResults)
%setup_delete_directly(script::TECResults)
