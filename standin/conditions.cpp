// Boundary and initial conditions, with their fan and time curves, as the
// application's scripting interface gives them (docs/standin-conditions.md).
// Each operation journals itself, and a refusal changes nothing and says why.
// What a condition keeps of a time curve is a copy: the script's curve may
// change or go at any time without touching it.
#include <script/Object.h>

#include "conditions.h"
#include "journal.h"
#include "model.h"
#include "scenario.h"

#include <QtCore/QJsonArray>

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace standin {
namespace {

/* --- Values with units ----------------------------------------------------------- */

// The kinds of value a condition holds one of each.
enum ValueKind { Heat, Flow, Temperature, Pressure };

// A units text, the property that keeps its quantity in SI (C for a
// temperature, as the estimate reads it) and how to get there:
// SI = value * scale + offset.
struct Quantity {
    const char *units;
    ValueKind kind;
    const char *property;
    double scale;
    double offset;
};
const Quantity kQuantities[] = {
    {"W", Heat, "Power", 1.0, 0.0},
    {"mW", Heat, "Power", 1e-3, 0.0},
    {"kW", Heat, "Power", 1e3, 0.0},
    {"W/m^2", Heat, "Heat flux", 1.0, 0.0},
    {"W/cm^2", Heat, "Heat flux", 1e4, 0.0},
    {"m^3/s", Flow, "Volume flow", 1.0, 0.0},
    {"l/s", Flow, "Volume flow", 1e-3, 0.0},
    {"m^3/h", Flow, "Volume flow", 1.0 / 3600.0, 0.0},
    {"cfm", Flow, "Volume flow", 0.00047194745, 0.0},
    {"m/s", Flow, "Velocity", 1.0, 0.0},
    {"ft/min", Flow, "Velocity", 0.00508, 0.0},
    {"C", Temperature, "Temperature", 1.0, 0.0},
    {"K", Temperature, "Temperature", 1.0, -273.15},
    {"F", Temperature, "Temperature", 5.0 / 9.0, -32.0 * 5.0 / 9.0},
    {"Pa", Pressure, "Pressure", 1.0, 0.0},
    {"kPa", Pressure, "Pressure", 1e3, 0.0},
    {"inH2O", Pressure, "Pressure", 249.08891, 0.0},
};
// The properties of each kind: setting one takes the others of its kind away.
const char *const kKindProperties[][2] = {
    {"Power", "Heat flux"}, {"Volume flow", "Velocity"}, {"Temperature", nullptr}, {"Pressure", nullptr}};

const Quantity *quantityOf(const QString &units) {
    for (const Quantity &quantity : kQuantities)
        if (units == QLatin1String(quantity.units)) return &quantity;
    return nullptr;
}

// An initial condition is the state the run starts from: no heat and no inflow.
bool startsWith(const Quantity &quantity) {
    return quantity.kind == Temperature || quantity.kind == Pressure ||
           QLatin1String(quantity.property) == QLatin1String("Velocity");
}

// Why the value cannot be given, or empty.
QString valueRefusal(double value, const QString &units, bool initial, const Quantity **found) {
    if (!std::isfinite(value)) return QStringLiteral("a condition's value must be a finite number");
    const Quantity *quantity = quantityOf(units);
    if (!quantity)
        return QStringLiteral("the units \"%1\" name no quantity that a condition takes "
                              "(W, W/m^2, C, K, F, m^3/s, l/s, cfm, Pa, m/s, ...)")
            .arg(units.isNull() ? QString() : units);
    if (initial && !startsWith(*quantity))
        return QStringLiteral("an initial condition takes a temperature, a pressure or a velocity, not \"%1\"").arg(units);
    if (quantity->kind == Temperature && !(value * quantity->scale + quantity->offset >= -273.15))
        return QStringLiteral("a temperature below absolute zero");
    *found = quantity;
    return QString();
}

// Keeps the value as given and its quantity in SI as the condition's property.
void keepValue(script::Object *condition, double value, const Quantity &quantity, const QString &units) {
    Node &held = node(condition);
    for (const char *name : kKindProperties[quantity.kind]) {
        if (!name) continue;
        auto &properties = held.properties;
        properties.erase(std::remove_if(properties.begin(), properties.end(),
                                        [name](const Property &p) { return p.name == QLatin1String(name); }),
                         properties.end());
    }
    held.properties.push_back({QLatin1String(quantity.property), QVariant(value * quantity.scale + quantity.offset)});
    ConditionState &state = held.condition.make();
    auto &given = state.given;
    given.erase(std::remove_if(given.begin(), given.end(), [&](const GivenValue &g) { return g.kind == quantity.kind; }),
                given.end());
    given.push_back({int(quantity.kind), value, units});
}

/* --- Conditions alive, for steering's reset ------------------------------------------ */

std::unordered_set<script::Object *> &liveConditions() {
    static auto *all = new std::unordered_set<script::Object *>();
    return *all;
}

const ConditionState &noState() {
    static const ConditionState *none = new ConditionState();
    return *none;
}
const ConditionState &stateOf(const script::Object *object) {
    const ConditionState *state = node(object).condition.get();
    return state ? *state : noState();
}

void setNamedValue(CurveData &curve, const QString &name, double value) {
    auto found = curve.valueIndex.find(name);
    if (found != curve.valueIndex.end()) {
        curve.values[found->second].second = value;
        return;
    }
    curve.valueIndex.emplace(name, curve.values.size());
    curve.values.emplace_back(name, value);
}

script::FanCurve *makeFanCurve(const QString &name, const CurveData *points) {
    Quiet quiet;
    auto *fan = new script::FanCurve(unjournaled(nullptr), name);
    if (points && !points->points.empty()) node(fan).condition.make().own.points = points->points;
    return fan;
}

// Gives the fan curve's points with the flows in order.
std::vector<std::array<double, 2>> fanPoints(const script::FanCurve *fan) {
    std::vector<std::array<double, 2>> points = stateOf(fan).own.points;
    std::stable_sort(points.begin(), points.end(),
                     [](const std::array<double, 2> &a, const std::array<double, 2> &b) { return a[0] < b[0]; });
    return points;
}

// The model's resistance to the flow a fan drives through it: an enclosure's
// vents, 10 Pa at 0.01 m^3/s, rising with the flow squared.
const double kSystemResistance = 1e5;  // Pa / (m^3/s)^2

double fanPressure(const std::vector<std::array<double, 2>> &points, double flow) {
    for (size_t i = 1; i < points.size(); ++i) {
        if (flow > points[i][0]) continue;
        const double span = points[i][0] - points[i - 1][0];
        if (!(span > 0.0)) return points[i][1];
        const double t = (flow - points[i - 1][0]) / span;
        return points[i - 1][1] + t * (points[i][1] - points[i - 1][1]);
    }
    return points.back()[1];
}

/* --- Study files ------------------------------------------------------------------- */

QJsonArray pointsToJson(const std::vector<std::array<double, 2>> &points) {
    QJsonArray out;
    for (const auto &point : points) out.append(QJsonArray{point[0], point[1]});
    return out;
}

QJsonArray tripleToJson(const std::array<double, 3> &xyz) { return QJsonArray{xyz[0], xyz[1], xyz[2]}; }

// Reading: each step gives false with why, naming the place in the file.
struct Reader {
    QString *why;
    bool refuse(const QString &where, const QString &reason) {
        *why = where + QStringLiteral(": ") + reason;
        return false;
    }
    bool number(const QJsonValue &value, const QString &where, double *out) {
        if (!value.isDouble() || !std::isfinite(value.toDouble())) return refuse(where, QStringLiteral("must be a number"));
        *out = value.toDouble();
        return true;
    }
    bool triple(const QJsonValue &value, const QString &where, std::array<double, 3> *out) {
        const QJsonArray items = value.toArray();
        if (!value.isArray() || items.size() != 3) return refuse(where, QStringLiteral("must be three numbers"));
        for (int i = 0; i < 3; ++i)
            if (!number(items.at(i), QStringLiteral("%1[%2]").arg(where).arg(i), &(*out)[size_t(i)])) return false;
        return true;
    }
    bool points(const QJsonValue &value, const QString &where, std::vector<std::array<double, 2>> *out) {
        if (!value.isArray()) return refuse(where, QStringLiteral("must be a list of points"));
        const QJsonArray items = value.toArray();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString here = QStringLiteral("%1[%2]").arg(where).arg(i);
            const QJsonArray pair = items.at(i).toArray();
            if (!items.at(i).isArray() || pair.size() != 2) return refuse(here, QStringLiteral("must be two numbers"));
            std::array<double, 2> point{};
            if (!number(pair.at(0), here + QStringLiteral("[0]"), &point[0]) ||
                !number(pair.at(1), here + QStringLiteral("[1]"), &point[1]))
                return false;
            out->push_back(point);
        }
        return true;
    }
    bool curve(const QJsonValue &value, const QString &where, CurveData *out) {
        if (!value.isObject()) return refuse(where, QStringLiteral("must be an object"));
        const QJsonObject source = value.toObject();
        const QJsonValue name = source.value(QLatin1String("name"));
        if (!name.isString()) return refuse(where + QStringLiteral(".name"), QStringLiteral("must be a text"));
        out->name = name.toString();
        const QJsonValue values = source.value(QLatin1String("values"));
        if (!values.isUndefined()) {
            if (!values.isArray()) return refuse(where + QStringLiteral(".values"), QStringLiteral("must be a list"));
            const QJsonArray items = values.toArray();
            for (qsizetype i = 0; i < items.size(); ++i) {
                const QString here = QStringLiteral("%1.values[%2]").arg(where).arg(i);
                const QJsonObject entry = items.at(i).toObject();
                const QJsonValue entryName = entry.value(QLatin1String("name"));
                double number_ = 0.0;
                if (!entryName.isString() || entryName.toString().isEmpty())
                    return refuse(here + QStringLiteral(".name"), QStringLiteral("must be a text that is not empty"));
                if (!number(entry.value(QLatin1String("value")), here + QStringLiteral(".value"), &number_)) return false;
                setNamedValue(*out, entryName.toString(), number_);
            }
        }
        const QJsonValue points_ = source.value(QLatin1String("points"));
        return points_.isUndefined() || points(points_, where + QStringLiteral(".points"), &out->points);
    }
};

}  // namespace

QJsonObject curveToJson(const CurveData &curve) {
    QJsonArray values;
    for (const auto &value : curve.values) values.append(QJsonObject{{"name", value.first}, {"value", value.second}});
    return QJsonObject{{"name", curve.name}, {"values", values}, {"points", pointsToJson(curve.points)}};
}

// The curve's own values and points are what its operations keep beside it;
// its name is the object's.
CurveData curveData(const script::TimeCurve *curve) {
    CurveData data;
    if (const ConditionState *held = node(curve).condition.get()) data = held->own;
    data.name = heldName(curve);
    return data;
}

/* --- Holding a condition's state ------------------------------------------------------- */

ConditionState::ConditionState(const ConditionState &other)
    : given(other.given), hasPoint(other.hasPoint), point(other.point), hasAxis(other.hasAxis), axis(other.axis),
      hasTimeCurve(other.hasTimeCurve), timeCurve(other.timeCurve),
      fanCurve(other.fanCurve ? makeFanCurve(other.fanCurve->objectName(), &stateOf(other.fanCurve).own) : nullptr),
      info(other.info), steered(other.steered), scenario(other.scenario), own(other.own) {}

ConditionState::~ConditionState() {
    delete fanCurve;
    for (script::FanCurve *curve : retired) delete curve;
}

namespace {
bool holdsFanCurves(const ConditionState *state) { return state && (state->fanCurve || !state->retired.empty()); }

// The state that replaces another of the same condition keeps the fan curves
// of the one it replaces, which a script may still hold.
void inherit(ConditionState *next, ConditionState *going) {
    if (!going || !next) return;
    if (going->fanCurve) next->retired.push_back(going->fanCurve);
    next->retired.insert(next->retired.end(), going->retired.begin(), going->retired.end());
    going->fanCurve = nullptr;
    going->retired.clear();
}

void retire(ConditionState &state) {
    if (state.fanCurve) state.retired.push_back(state.fanCurve);
    state.fanCurve = nullptr;
}
}  // namespace

ConditionHolder::ConditionHolder(const ConditionHolder &other)
    : m_state(other.m_state ? new ConditionState(*other.m_state) : nullptr) {}
ConditionHolder::ConditionHolder(ConditionHolder &&other) noexcept : m_state(other.m_state) { other.m_state = nullptr; }
ConditionHolder &ConditionHolder::operator=(const ConditionHolder &other) {
    if (this != &other) {
        ConditionState *copy = other.m_state ? new ConditionState(*other.m_state) : nullptr;
        if (!copy && holdsFanCurves(m_state)) copy = new ConditionState();
        inherit(copy, m_state);
        delete m_state;
        m_state = copy;
    }
    return *this;
}
ConditionHolder &ConditionHolder::operator=(ConditionHolder &&other) noexcept {
    if (this != &other) {
        ConditionState *next = other.m_state;
        other.m_state = nullptr;
        if (!next && holdsFanCurves(m_state)) next = new ConditionState();
        inherit(next, m_state);
        delete m_state;
        m_state = next;
    }
    return *this;
}
ConditionHolder::~ConditionHolder() { delete m_state; }
ConditionState &ConditionHolder::make() {
    if (!m_state) m_state = new ConditionState();
    return *m_state;
}
void ConditionHolder::reset() {
    // Taken out first: the fan curve's destructor looks nodes up, and must
    // not find this state half gone.
    ConditionState *going = m_state;
    m_state = nullptr;
    delete going;
}

bool hasConditionState(const script::Object *condition) { return node(condition).condition.get() != nullptr; }

void copyConditionState(const script::Object *from, script::Object *to, const script::Object *scenario) {
    Node &held = node(to);
    held.condition = node(from).condition;
    if (held.condition.get()) held.condition.get()->scenario = const_cast<script::Object *>(scenario);
}

void listedFrom(script::Object *condition, const script::Object *scenario) {
    node(condition).condition.make().scenario = const_cast<script::Object *>(scenario);
}

/* --- The run's estimate ------------------------------------------------------------------ */

double timeCurveFactor(const script::Object *condition) {
    const ConditionState &state = stateOf(condition);
    // A steady estimate is the state the run settles into: the factor at the curve's end.
    return state.hasTimeCurve && !state.timeCurve.points.empty() ? state.timeCurve.points.back()[1] : 1.0;
}

bool fanFlow(const script::Object *condition, double *flow) {
    const ConditionState &state = stateOf(condition);
    if (!state.fanCurve) return false;
    const std::vector<std::array<double, 2>> points = fanPoints(state.fanCurve);
    if (points.empty()) return false;
    const double r = kSystemResistance;
    // Below the curve's first flow the fan holds its first pressure.
    const double first = std::sqrt(std::max(points.front()[1], 0.0) / r);
    if (first <= points.front()[0]) {
        *flow = first;
        return true;
    }
    // The operating point: where the fan's pressure falls to the model's
    // resistance, found by halving the segment that crosses it.
    for (size_t i = 1; i < points.size(); ++i) {
        double lo = points[i - 1][0], hi = points[i][0];
        if (points[i][1] - r * hi * hi > 0.0) continue;
        for (int step = 0; step < 60; ++step) {
            const double mid = 0.5 * (lo + hi);
            if (fanPressure(points, mid) - r * mid * mid > 0.0)
                lo = mid;
            else
                hi = mid;
        }
        *flow = 0.5 * (lo + hi);
        return true;
    }
    // The curve ends above the resistance: the fan delivers its last flow.
    *flow = points.back()[0];
    return true;
}

/* --- Steering --------------------------------------------------------------------------- */

bool giveFanCurve(script::Object *condition, bool on, QString *why) {
    if (!dynamic_cast<script::BoundaryCondition *>(condition)) {
        *why = QStringLiteral("only a boundary condition has a fan curve");
        return false;
    }
    ConditionState &state = node(condition).condition.make();
    state.steered = true;
    if (on && !state.fanCurve) state.fanCurve = makeFanCurve(heldName(condition), nullptr);
    if (!on) retire(state);
    return true;
}

bool giveInfoString(script::Object *condition, const QString &text, QString *why) {
    if (!dynamic_cast<script::BoundaryCondition *>(condition) && !dynamic_cast<script::InitialCondition *>(condition)) {
        *why = QStringLiteral("only a boundary or initial condition has an information text");
        return false;
    }
    ConditionState &state = node(condition).condition.make();
    state.steered = true;
    state.info = text.isNull() ? QStringLiteral("") : text;
    return true;
}

void forgetSteeredConditions() {
    for (script::Object *condition : liveConditions()) {
        ConditionState *state = node(condition).condition.get();
        if (!state || !state->steered) continue;
        retire(*state);
        state->info.clear();
        state->steered = false;
    }
}

/* --- Study files ------------------------------------------------------------------------- */

QJsonObject conditionToJson(const script::Object *object) {
    const ConditionState &state = stateOf(object);
    if (dynamic_cast<const script::TimeCurve *>(object)) {
        CurveData curve = state.own;
        curve.name = heldName(object);
        return curveToJson(curve);
    }
    if (dynamic_cast<const script::FanCurve *>(object)) return QJsonObject{{"points", pointsToJson(state.own.points)}};
    QJsonObject out;
    // Written only when set, so that a condition that never had them reads as it was.
    if (!state.given.empty()) {
        QJsonArray values;
        for (const GivenValue &given : state.given) values.append(QJsonObject{{"value", given.value}, {"units", given.units}});
        out.insert("values", values);
    }
    if (state.hasPoint) out.insert("pointOnAxis", tripleToJson(state.point));
    if (state.hasAxis) out.insert("axisDirection", tripleToJson(state.axis));
    if (state.hasTimeCurve) out.insert("timeCurve", curveToJson(state.timeCurve));
    if (state.fanCurve) out.insert("fanCurve", QJsonObject{{"points", pointsToJson(stateOf(state.fanCurve).own.points)}});
    if (!state.info.isEmpty()) out.insert("info", state.info);
    return out;
}

bool conditionFromJson(script::Object *condition, const QJsonValue &value, const QString &where, QString *why) {
    Reader read{why};
    if (!value.isObject()) return read.refuse(where, QStringLiteral("must be an object"));
    const QJsonObject source = value.toObject();
    const bool initial = dynamic_cast<script::InitialCondition *>(condition) != nullptr;
    // Read whole into a state of its own, so that a bad entry leaves the condition as it was.
    ConditionState state;
    std::vector<std::pair<const Quantity *, GivenValue>> values;
    const QJsonValue valueList = source.value(QLatin1String("values"));
    if (!valueList.isUndefined()) {
        if (!valueList.isArray()) return read.refuse(where + QStringLiteral(".values"), QStringLiteral("must be a list"));
        const QJsonArray items = valueList.toArray();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString here = QStringLiteral("%1.values[%2]").arg(where).arg(i);
            const QJsonObject entry = items.at(i).toObject();
            GivenValue given;
            if (!read.number(entry.value(QLatin1String("value")), here + QStringLiteral(".value"), &given.value)) return false;
            const QJsonValue units = entry.value(QLatin1String("units"));
            if (!units.isString()) return read.refuse(here + QStringLiteral(".units"), QStringLiteral("must be a text"));
            given.units = units.toString();
            const Quantity *quantity = nullptr;
            const QString refused = valueRefusal(given.value, given.units, initial, &quantity);
            if (!refused.isEmpty()) return read.refuse(here, refused);
            values.emplace_back(quantity, given);
        }
    }
    if (source.contains(QLatin1String("pointOnAxis"))) {
        if (!read.triple(source.value(QLatin1String("pointOnAxis")), where + QStringLiteral(".pointOnAxis"), &state.point))
            return false;
        state.hasPoint = true;
    }
    if (source.contains(QLatin1String("axisDirection"))) {
        const QString here = where + QStringLiteral(".axisDirection");
        if (!read.triple(source.value(QLatin1String("axisDirection")), here, &state.axis)) return false;
        if (state.axis[0] == 0.0 && state.axis[1] == 0.0 && state.axis[2] == 0.0)
            return read.refuse(here, QStringLiteral("a direction cannot be zero"));
        state.hasAxis = true;
    }
    if (source.contains(QLatin1String("timeCurve"))) {
        if (!read.curve(source.value(QLatin1String("timeCurve")), where + QStringLiteral(".timeCurve"), &state.timeCurve))
            return false;
        state.hasTimeCurve = true;
    }
    std::vector<std::array<double, 2>> fan;
    const bool hasFan = source.contains(QLatin1String("fanCurve"));
    if (hasFan) {
        const QString here = where + QStringLiteral(".fanCurve");
        if (initial) return read.refuse(here, QStringLiteral("only a boundary condition has a fan curve"));
        const QJsonValue fanValue = source.value(QLatin1String("fanCurve"));
        if (!fanValue.isObject()) return read.refuse(here, QStringLiteral("must be an object"));
        if (!read.points(fanValue.toObject().value(QLatin1String("points")), here + QStringLiteral(".points"), &fan))
            return false;
    }
    const QJsonValue info = source.value(QLatin1String("info"));
    if (!info.isUndefined()) {
        if (!info.isString()) return read.refuse(where + QStringLiteral(".info"), QStringLiteral("must be a text"));
        state.info = info.toString();
    }
    if (hasFan) {
        CurveData points;
        points.points = std::move(fan);
        state.fanCurve = makeFanCurve(heldName(condition), &points);
    }
    node(condition).condition = ConditionHolder();
    ConditionState &kept = node(condition).condition.make();
    for (const auto &entry : values) keepValue(condition, entry.second.value, *entry.first, entry.second.units);
    kept.hasPoint = state.hasPoint;
    kept.point = state.point;
    kept.hasAxis = state.hasAxis;
    kept.axis = state.axis;
    kept.hasTimeCurve = state.hasTimeCurve;
    kept.timeCurve = state.timeCurve;
    kept.info = state.info;
    retire(kept);
    kept.fanCurve = state.fanCurve;
    state.fanCurve = nullptr;
    return true;
}

}  // namespace standin

namespace script {

using standin::Call;
using standin::Changes;
using standin::Quiet;
using standin::Reads;

namespace {
QString conditionInfo(const Object *condition) {
    const standin::ConditionState *state = standin::node(condition).condition.get();
    return state ? state->info : QStringLiteral("");
}

// The entities of the scenario that the condition is applied to, as values
// that the list holds; ids the scenario no longer has are left out.
void fillEntities(const Object *condition, std::vector<Entity> &entities) {
    const standin::Node &held = standin::node(condition);
    const Object *scenario = held.parent && standin::node(held.parent).kind == standin::Kind::Scenario ? held.parent : nullptr;
    if (!scenario && held.condition.get()) scenario = qobject_cast<Object *>(held.condition.get()->scenario.data());
    const std::vector<int> ids = held.entityIds;
    Quiet quiet;
    entities.clear();
    if (!scenario) return;
    entities.reserve(ids.size());
    for (int id : ids) {
        Object *part = nullptr;
        const standin::EntityRecord *record = standin::scenarioEntity(scenario, id, &part);
        if (!record || !part) continue;
        Entity entity;
        standin::setHeldName(&entity, record->name);
        standin::Node &made = standin::node(&entity);
        made.entities.assign(1, *record);
        made.id = standin::node(part).id;
        entities.push_back(entity);
    }
}

void setConditionValue(Object *condition, const char *hostClass, double value, const QString &units, bool initial) {
    Call call(hostClass, "setValue", Changes);
    call.arg(value).arg(units);
    const standin::Quantity *quantity = nullptr;
    const QString why = standin::valueRefusal(value, units, initial, &quantity);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::keepValue(condition, value, *quantity, units);
}
}  // namespace

/* --- FanCurve and TimeCurve ------------------------------------------------------------- */

FanCurve::~FanCurve() = default;

void FanCurve::addPoint(double flow, double pressure) {
    Call call("FanCurve", "addPoint", Changes);
    call.arg(flow).arg(pressure);
    if (!standin::finite({flow, pressure})) {
        call.failed(QStringLiteral("a fan curve's point must be two finite numbers"));
        return;
    }
    if (flow < 0.0 || pressure < 0.0) {
        call.failed(QStringLiteral("a fan curve's flow and pressure are not negative"));
        return;
    }
    standin::node(this).condition.make().own.points.push_back({flow, pressure});
}

TimeCurve::TimeCurve(const QString &name) : Object(standin::unjournaled(nullptr), name) {
    Call("TimeCurve", "TimeCurve", Reads).arg(name);
}
TimeCurve::~TimeCurve() = default;

void TimeCurve::setValue(const QString &name, double value) {
    Call call("TimeCurve", "setValue", Changes);
    call.arg(name).arg(value);
    if (name.isEmpty()) {
        call.failed(QStringLiteral("a named value needs a name"));
        return;
    }
    if (!std::isfinite(value)) {
        call.failed(QStringLiteral("a time curve's value must be a finite number"));
        return;
    }
    standin::setNamedValue(standin::node(this).condition.make().own, name, value);
}

void TimeCurve::addPoint(double time, double value) {
    Call call("TimeCurve", "addPoint", Changes);
    call.arg(time).arg(value);
    if (!standin::finite({time, value})) {
        call.failed(QStringLiteral("a time curve's point must be two finite numbers"));
        return;
    }
    auto &points = standin::node(this).condition.make().own.points;
    if (!points.empty() && time < points.back()[0]) {
        call.failed(QStringLiteral("a point's time must not come before the last point's (%1)")
                        .arg(QString::fromStdString(standin::reprDouble(points.back()[0]))));
        return;
    }
    points.push_back({time, value});
}

/* --- BoundaryCondition ---------------------------------------------------------------------- */

BoundaryCondition::BoundaryCondition() : Object(standin::unjournaled(nullptr), QString()) {
    standin::liveConditions().insert(this);
}
BoundaryCondition::BoundaryCondition(const QString &name, Analysis *scenario) : Object(standin::unjournaled(nullptr), name) {
    Call("BoundaryCondition", "BoundaryCondition", Reads).arg(name).arg(scenario);
    standin::liveConditions().insert(this);
}
BoundaryCondition::BoundaryCondition(const BoundaryCondition &other) : Object(other) {
    standin::liveConditions().insert(this);
}
BoundaryCondition::~BoundaryCondition() {
    standin::liveConditions().erase(this);
    // The fan curve goes with its condition, before the condition's node does.
    standin::node(this).condition.reset();
}
BoundaryCondition &BoundaryCondition::operator=(const BoundaryCondition &other) {
    Object::operator=(other);
    return *this;
}

QString BoundaryCondition::infoString() const {
    Call("BoundaryCondition", "infoString", Reads);
    return conditionInfo(this);
}

std::wstring BoundaryCondition::infoString_w() const {
    Call("BoundaryCondition", "infoString_w", Reads);
    return conditionInfo(this).toStdWString();
}

void BoundaryCondition::setValue(double value, const QString &units) {
    setConditionValue(this, "BoundaryCondition", value, units, false);
}

void BoundaryCondition::setPointOnAxis(double x, double y, double z) {
    Call call("BoundaryCondition", "setPointOnAxis", Changes);
    call.arg(x).arg(y).arg(z);
    if (!standin::finite({x, y, z})) {
        call.failed(QStringLiteral("a point must have finite coordinates"));
        return;
    }
    standin::ConditionState &state = standin::node(this).condition.make();
    state.hasPoint = true;
    state.point = {x, y, z};
}

void BoundaryCondition::setAxisDirection(double x, double y, double z) {
    Call call("BoundaryCondition", "setAxisDirection", Changes);
    call.arg(x).arg(y).arg(z);
    QString why;
    if (!standin::finite({x, y, z}))
        why = QStringLiteral("a direction must have finite components");
    else if (x == 0.0 && y == 0.0 && z == 0.0)
        why = QStringLiteral("a direction cannot be zero");
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::ConditionState &state = standin::node(this).condition.make();
    state.hasAxis = true;
    state.axis = {x, y, z};
}

void BoundaryCondition::setTimeCurve(TimeCurve *curve) {
    Call call("BoundaryCondition", "setTimeCurve", Changes);
    call.arg(curve);
    standin::ConditionState &state = standin::node(this).condition.make();
    state.hasTimeCurve = curve != nullptr;
    // A copy, never the curve: the script may change or delete its curve at any time.
    state.timeCurve = curve ? standin::curveData(curve) : standin::CurveData();
}

void BoundaryCondition::entities(std::vector<Entity> &entities) {
    Call("BoundaryCondition", "entities", Reads).arg(int(entities.size()));
    fillEntities(this, entities);
}

FanCurve *BoundaryCondition::fanCurve() const {
    Call("BoundaryCondition", "fanCurve", Reads);
    const standin::ConditionState *state = standin::node(this).condition.get();
    return state ? state->fanCurve : nullptr;
}

/* --- InitialCondition ---------------------------------------------------------------------- */

InitialCondition::InitialCondition() : Object(standin::unjournaled(nullptr), QString()) {
    standin::liveConditions().insert(this);
}
InitialCondition::InitialCondition(const QString &name, Analysis *scenario) : Object(standin::unjournaled(nullptr), name) {
    Call("InitialCondition", "InitialCondition", Reads).arg(name).arg(scenario);
    standin::liveConditions().insert(this);
}
InitialCondition::InitialCondition(const InitialCondition &other) : Object(other) {
    standin::liveConditions().insert(this);
}
InitialCondition::~InitialCondition() {
    standin::liveConditions().erase(this);
    standin::node(this).condition.reset();
}
InitialCondition &InitialCondition::operator=(const InitialCondition &other) {
    Object::operator=(other);
    return *this;
}

QString InitialCondition::infoString() const {
    Call("InitialCondition", "infoString", Reads);
    return conditionInfo(this);
}

std::wstring InitialCondition::infoString_w() const {
    Call("InitialCondition", "infoString_w", Reads);
    return conditionInfo(this).toStdWString();
}

void InitialCondition::setValue(double value, const QString &units) {
    setConditionValue(this, "InitialCondition", value, units, true);
}

void InitialCondition::entities(std::vector<Entity> &entities) {
    Call("InitialCondition", "entities", Reads).arg(int(entities.size()));
    fillEntities(this, entities);
}

}  // namespace script
