/* ==========================================================================
 * Result and parameter records: plain fields, read and written directly.
 * ========================================================================== */

%{
#include <script/Records.h>
%}

namespace script {

/* --- CTMResults: a component's thermal results ------------------------- */
/* Made with every field zero: the wrapper value-initialises it. */
struct CTMResults {
    CTMResults();
    ~CTMResults();
    double boardTemp;
    double boardSideHeatFlux;
    double caseTemp;
    double caseSideHeatFlux;
    double junctionTemp;
};

/* --- TECResults: a thermo-electric cooler's results -------------------- */
struct TECResults {
    TECResults();
    ~TECResults();
    int numCouples;
    double coldSideTemp;
    double hotSideTemp;
    double coldSideHeatFlux;
    double hotSideHeatFlux;
    double current;
    double electricPower;
    double COP;
    double FOM;
};

/* --- ThermalComfortParams: a copy of a scenario's comfort settings ----- */
struct ThermalComfortParams {
    ThermalComfortParams(script::Scenario &scenario);
    ~ThermalComfortParams();
    double MetRate;
    double Humidity;
    double Clothing;
};

/* --- SmokeParams: a copy of a scenario's smoke visibility settings ----- */
struct SmokeParams {
    SmokeParams(script::Scenario &scenario);
    ~SmokeParams();
    double ExtinctionCoef;
    double SignConstant;
    double ParticleYield;
};

}  // namespace script
