// Plain records that the application fills in for a part or reads from a scenario.
#pragma once

namespace script {

class Analysis;

struct CTMResults {
    double boardTemp;
    double boardSideHeatFlux;
    double caseTemp;
    double caseSideHeatFlux;
    double junctionTemp;
};

struct TECResults {
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

// Copies of a scenario's comfort and smoke settings at the time they are made.
struct ThermalComfortParams {
    explicit ThermalComfortParams(Analysis &scenario);
    double MetRate;
    double Humidity;
    double Clothing;
};

struct SmokeParams {
    explicit SmokeParams(Analysis &scenario);
    double ExtinctionCoef;
    double SignConstant;
    double ParticleYield;
};

}  // namespace script
