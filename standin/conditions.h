// Boundary and initial conditions of the stand-in, with their fan and time
// curves (docs/standin-conditions.md). Internal to the stand-in: the scenario,
// the study file and the host-control module reach them through these.
#pragma once

#include "model.h"

#include <QtCore/QJsonObject>
#include <QtCore/QJsonValue>
#include <QtCore/QPointer>
#include <QtCore/QString>

#include <array>
#include <unordered_map>
#include <vector>

namespace script {
class FanCurve;
class TimeCurve;
}  // namespace script

namespace standin {

// A time curve's named values and points of time and factor. Names keep the
// order they were first set in; one set again keeps its place.
struct CurveData {
    QString name;
    std::vector<std::pair<QString, double>> values;
    std::unordered_map<QString, size_t> valueIndex;
    std::vector<std::array<double, 2>> points;
};

// A condition's value as the script gave it. A condition holds one value of
// each kind (conditions.cpp): a heat, a flow, a temperature and a pressure.
struct GivenValue {
    int kind = 0;
    double value = 0.0;
    QString units;
};

struct ConditionState {
    ConditionState() = default;
    ConditionState(const ConditionState &other);
    ConditionState &operator=(const ConditionState &) = delete;
    ~ConditionState();

    std::vector<GivenValue> given;
    bool hasPoint = false;
    std::array<double, 3> point{};
    bool hasAxis = false;
    std::array<double, 3> axis{};
    // The condition's own copy of the time curve it was given, never the curve itself.
    bool hasTimeCurve = false;
    CurveData timeCurve;
    // The condition's fan curve, which it owns; null for a condition that is no fan.
    script::FanCurve *fanCurve = nullptr;
    // Fan curves taken away or replaced while the condition lives: a script
    // may still hold one, so they go only with the condition.
    std::vector<script::FanCurve *> retired;
    QString info;
    // Steering gave the fan curve or the information text: reset takes them away.
    bool steered = false;
    // The scenario whose condition this is (or was copied from), for its entities.
    QPointer<QObject> scenario;
    // A time curve's own values and points, or a fan curve's points (flow, pressure).
    CurveData own;
};

// A copy of what the time curve holds now: its name, named values and points.
CurveData curveData(const script::TimeCurve *curve);
// A time curve as the study file writes it: {"name", "values", "points"}.
QJsonObject curveToJson(const CurveData &curve);

// Whether a condition holds anything beyond its properties.
bool hasConditionState(const script::Object *condition);
// What a scenario keeps as its copy of a condition: the script's condition's
// properties and state, without a link back to it.
void copyConditionState(const script::Object *from, script::Object *to, const script::Object *scenario);
// A condition of a list of the scenario's conditions: its entities are the scenario's.
void listedFrom(script::Object *condition, const script::Object *scenario);

// The run's estimate (docs/standin-conditions.md): the factor that a
// condition's time curve puts on its heat (1 without a curve of points), and
// the flow (m^3/s) that its fan curve delivers against the model's
// resistance (false for a condition with no fan curve of points).
double timeCurveFactor(const script::Object *condition);
bool fanFlow(const script::Object *condition, double *flow);

// Steering (docs/standin-conditions.md); each gives false, with the reason,
// when the object is no boundary or initial condition as asked.
bool giveFanCurve(script::Object *condition, bool on, QString *why);
bool giveInfoString(script::Object *condition, const QString &text, QString *why);
// What a condition or a curve holds, as the study file writes it.
QJsonObject conditionToJson(const script::Object *object);
// Takes away what steering gave; reset() calls it.
void forgetSteeredConditions();

// Study files: a condition's "condition" object, read into the condition;
// false, with the place in the file and the reason, for a bad one.
bool conditionFromJson(script::Object *condition, const QJsonValue &value, const QString &where, QString *why);

}  // namespace standin
