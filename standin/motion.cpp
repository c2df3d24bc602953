// Motions of the stand-in (docs/standin-motion.md). Each operation journals
// itself, and a refusal changes nothing and says why. A motion keeps its
// settings beside it, keyed by the motion; its components are motions that
// belong to it and go with it. Nothing here points at an object a script can
// delete: entities are held by ids, time curves by a copy of their data.
#include <script/Object.h>

#include "control.h"
#include "journal.h"
#include "model.h"
#include "motion.h"
#include "properties.h"
#include "scenario.h"

#include <Clt/Vector.h>

#include <QtCore/QJsonArray>

#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace standin {
namespace {

using Triple = double[3];

struct MotionState {
    MotionSettings settings;
    std::vector<script::Motion *> components;
    std::unordered_map<QString, size_t> componentIndex;
};

std::unordered_map<const script::Motion *, MotionState> &states() {
    static auto *held = new std::unordered_map<const script::Motion *, MotionState>();
    return *held;
}

const MotionState &stateOf(const script::Motion *motion) {
    static const MotionState *none = new MotionState();
    auto found = states().find(motion);
    return found == states().end() ? *none : found->second;
}

MotionState &stateToChange(const script::Motion *motion) { return states()[motion]; }

// Components that steering gave, with the motion they belong to.
std::unordered_map<script::Motion *, script::Motion *> &steeredComponents() {
    static auto *held = new std::unordered_map<script::Motion *, script::Motion *>();
    return *held;
}

// Components taken back by a reset: no motion holds them, yet a script's
// proxy may still reach them, so they stay until the process ends.
std::vector<script::Motion *> &formerComponents() {
    static auto *held = new std::vector<script::Motion *>();
    return *held;
}

const QString kNotFinite = QStringLiteral("a coordinate must be a finite number");

// Why a vector is no axis or direction, or nothing.
QString axisRefusal(double x, double y, double z, const char *what) {
    if (!finite({x, y, z})) return kNotFinite;
    if (x == 0.0 && y == 0.0 && z == 0.0) return QStringLiteral("%1 must not be zero").arg(QLatin1String(what));
    return QString();
}

// The entity's part id and id, or why it gives no setting.
QString entityRefusal(const script::Entity *entity, bool needsNormal, int *partId, int *entityId) {
    if (!entity) return QStringLiteral("no entity was given");
    const Node &held = node(entity);
    if (held.entities.empty()) return QStringLiteral("the entity belongs to no part");
    const EntityRecord &record = held.entities.front();
    if (needsNormal && record.kind != script::Entity::Surface) return QStringLiteral("the entity is no surface: it has no normal");
    *partId = held.id;
    *entityId = record.id;
    return QString();
}

// A setter of three numbers: journaled, checked, kept.
void setVector(script::Motion *motion, const char *operation, MotionVector MotionSettings::*field, double x,
               double y, double z, const char *axisName) {
    Call call("Motion", operation, Changes);
    call.arg(x).arg(y).arg(z);
    const QString why = axisName ? axisRefusal(x, y, z, axisName) : finite({x, y, z}) ? QString() : kNotFinite;
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    MotionVector &kept = stateToChange(motion).settings.*field;
    kept = MotionVector();
    kept.value[0] = x, kept.value[1] = y, kept.value[2] = z;
}

void setFromEntity(script::Motion *motion, const char *operation, MotionVector MotionSettings::*field,
                   const script::Entity *entity, MotionVector::From from) {
    Call call("Motion", operation, Changes);
    call.arg(entity);
    int partId = 0, entityId = 0;
    const QString why = entityRefusal(entity, from == MotionVector::From::NormalTo, &partId, &entityId);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    MotionVector &kept = stateToChange(motion).settings.*field;
    kept = MotionVector();
    kept.from = from;
    kept.partId = partId;
    kept.entityId = entityId;
}

void reverse(script::Motion *motion, const char *operation, MotionVector MotionSettings::*field) {
    Call call("Motion", operation, Changes);
    MotionVector &kept = stateToChange(motion).settings.*field;
    kept.reversed = !kept.reversed;
}

void setTriple(script::Motion *motion, const char *operation, Triple MotionSettings::*field, double x, double y,
               double z, const char *axisName) {
    Call call("Motion", operation, Changes);
    call.arg(x).arg(y).arg(z);
    const QString why = axisName ? axisRefusal(x, y, z, axisName) : finite({x, y, z}) ? QString() : kNotFinite;
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    double *kept = stateToChange(motion).settings.*field;
    kept[0] = x, kept[1] = y, kept[2] = z;
}

Clt::Vector readTriple(const script::Motion *motion, const char *operation, Triple MotionSettings::*field) {
    Call call("Motion", operation, Reads);
    const double *held = stateOf(motion).settings.*field;
    Quiet quiet;
    return Clt::Vector(held[0], held[1], held[2]);
}

/* --- Resolving entity settings against a scenario's geometry ----------------------- */

// With no surfaces in the model, an entity's normal is that of its part's
// bounding box where the box is thinnest (a plate's normal crosses it), x
// before y before z on a tie, pointing the positive way; its centroid is the
// box's centre. A part the scenario does not hold, or one without geometry,
// gives the z axis and the origin.
void resolve(MotionVector &setting, const script::Object *scenario) {
    if (setting.from == MotionVector::From::Given) return;
    const bool normal = setting.from == MotionVector::From::NormalTo;
    const script::Object *part = scenario ? partOfId(scenario, setting.partId) : nullptr;
    const Box *box = part ? &node(part).box : nullptr;
    double value[3] = {0.0, 0.0, normal ? 1.0 : 0.0};
    if (box && box->valid) {
        if (normal) {
            int thinnest = 0;
            for (int i = 1; i < 3; ++i)
                if (box->max[i] - box->min[i] < box->max[thinnest] - box->min[thinnest]) thinnest = i;
            value[2] = 0.0;
            value[thinnest] = 1.0;
        } else {
            for (int i = 0; i < 3; ++i) value[i] = (box->min[i] + box->max[i]) / 2.0;
        }
    }
    for (int i = 0; i < 3; ++i) setting.value[i] = value[i];
}

MotionVector MotionSettings::*const kVectors[] = {
    &MotionSettings::direction,    &MotionSettings::axisOfRotation, &MotionSettings::centerOfRotation,
    &MotionSettings::orbitAxis,    &MotionSettings::centerOfOrbit,  &MotionSettings::tiltAxis,
    &MotionSettings::axisOfNutation, &MotionSettings::centerOfNutation,
};
const char *const kVectorKeys[] = {"direction", "axisOfRotation", "centerOfRotation", "orbitAxis",
                                   "centerOfOrbit", "tiltAxis", "axisOfNutation", "centerOfNutation"};
// Centres are points: they neither turn around nor refuse zero.
const bool kIsAxis[] = {true, true, false, true, false, true, true, false};

Triple MotionSettings::*const kTriples[] = {&MotionSettings::forceDirection, &MotionSettings::forceLocation,
                                             &MotionSettings::gravity};
const char *const kTripleKeys[] = {"forceDirection", "forceLocation", "gravity"};

/* --- Study files ------------------------------------------------------------------ */

QJsonArray tripleJson(const double *value) { return QJsonArray{value[0], value[1], value[2]}; }

QJsonObject settingsJson(const MotionSettings &settings) {
    QJsonObject out;
    for (size_t i = 0; i < std::size(kVectors); ++i) {
        const MotionVector &setting = settings.*kVectors[i];
        QJsonObject entry{{"value", tripleJson(setting.value)}};
        if (setting.from != MotionVector::From::Given)
            entry.insert(setting.from == MotionVector::From::NormalTo ? "normalTo" : "centroidOf",
                         QJsonObject{{"part", setting.partId}, {"entity", setting.entityId}});
        if (kIsAxis[i]) entry.insert("reversed", setting.reversed);
        out.insert(QLatin1String(kVectorKeys[i]), entry);
    }
    for (size_t i = 0; i < std::size(kTriples); ++i)
        out.insert(QLatin1String(kTripleKeys[i]), tripleJson(settings.*kTriples[i]));
    if (settings.hasTimeCurve) out.insert("timeCurve", curveToJson(settings.timeCurve));
    return out;
}

QJsonArray componentsJson(const std::vector<MotionCopy> &components) {
    QJsonArray out;
    for (const MotionCopy &component : components) {
        QJsonObject entry{{"name", component.name}};
        if (component.properties && !component.properties->properties.empty())
            entry.insert("physicalProperties", settingsToJson(*component.properties));
        motionToJson(component.settings, component.components, entry);
        out.append(entry);
    }
    return out;
}

// Reading: each step gives false after setting why to "where: reason".
class Reader {
public:
    explicit Reader(QString *why) : m_why(why) {}

    bool fail(const QString &where, const QString &reason) {
        *m_why = where + QStringLiteral(": ") + reason;
        return false;
    }

    bool numbers(const QJsonValue &value, const QString &where, int count, double *into) {
        const QJsonArray array = value.toArray();
        if (!value.isArray() || array.size() != count)
            return fail(where, QStringLiteral("must be a list of %1 numbers").arg(count));
        for (int i = 0; i < count; ++i) {
            if (!array[i].isDouble()) return fail(where, QStringLiteral("must be a list of %1 numbers").arg(count));
            into[i] = array[i].toDouble();
        }
        return true;
    }

    bool vector(const QJsonValue &value, const QString &where, bool isAxis, MotionVector *into) {
        if (!value.isObject()) return fail(where, QStringLiteral("must be an object"));
        const QJsonObject entry = value.toObject();
        MotionVector read;
        if (!numbers(entry.value(QLatin1String("value")), where + QStringLiteral(".value"), 3, read.value)) return false;
        for (const char *key : {"normalTo", "centroidOf"}) {
            if (!entry.contains(QLatin1String(key))) continue;
            const QString here = where + QLatin1Char('.') + QLatin1String(key);
            const QJsonObject ref = entry.value(QLatin1String(key)).toObject();
            const QJsonValue part = ref.value(QLatin1String("part")), id = ref.value(QLatin1String("entity"));
            if (!part.isDouble() || !id.isDouble())
                return fail(here, QStringLiteral("must hold a part id and an entity id"));
            read.from = key[0] == 'n' ? MotionVector::From::NormalTo : MotionVector::From::CentroidOf;
            read.partId = part.toInt();
            read.entityId = id.toInt();
        }
        if (isAxis && read.from == MotionVector::From::Given) {
            const QString why = axisRefusal(read.value[0], read.value[1], read.value[2], "an axis");
            if (!why.isEmpty()) return fail(where + QStringLiteral(".value"), why);
        }
        const QJsonValue reversed = entry.value(QLatin1String("reversed"));
        if (!reversed.isUndefined() && !reversed.isBool()) return fail(where + QStringLiteral(".reversed"), QStringLiteral("must be true or false"));
        read.reversed = isAxis && reversed.toBool();
        *into = read;
        return true;
    }

    bool curve(const QJsonValue &value, const QString &where, CurveData *into) {
        const QJsonObject entry = value.toObject();
        if (!value.isObject() || !entry.value(QLatin1String("name")).isString())
            return fail(where, QStringLiteral("must be an object with a name"));
        CurveData read;
        read.name = entry.value(QLatin1String("name")).toString();
        const QJsonArray values = entry.value(QLatin1String("values")).toArray();
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QJsonObject named = values[i].toObject();
            const QString here = where + QStringLiteral(".values[%1]").arg(i);
            if (!named.value(QLatin1String("name")).isString() || !named.value(QLatin1String("value")).isDouble())
                return fail(here, QStringLiteral("must have a name and a value"));
            const QString name = named.value(QLatin1String("name")).toString();
            if (read.valueIndex.count(name)) return fail(here, QStringLiteral("a second value named \"%1\"").arg(name));
            read.valueIndex.emplace(name, read.values.size());
            read.values.emplace_back(name, named.value(QLatin1String("value")).toDouble());
        }
        const QJsonArray points = entry.value(QLatin1String("points")).toArray();
        for (qsizetype i = 0; i < points.size(); ++i) {
            std::array<double, 2> point{};
            if (!numbers(points[i], where + QStringLiteral(".points[%1]").arg(i), 2, point.data())) return false;
            read.points.push_back(point);
        }
        *into = std::move(read);
        return true;
    }

    bool settings(const QJsonValue &value, const QString &where, MotionSettings *into) {
        if (!value.isObject()) return fail(where, QStringLiteral("must be an object"));
        const QJsonObject source = value.toObject();
        MotionSettings read;
        for (size_t i = 0; i < std::size(kVectors); ++i) {
            const QJsonValue entry = source.value(QLatin1String(kVectorKeys[i]));
            if (!entry.isUndefined() &&
                !vector(entry, where + QLatin1Char('.') + QLatin1String(kVectorKeys[i]), kIsAxis[i], &(read.*kVectors[i])))
                return false;
        }
        for (size_t i = 0; i < std::size(kTriples); ++i) {
            const QJsonValue entry = source.value(QLatin1String(kTripleKeys[i]));
            const QString here = where + QLatin1Char('.') + QLatin1String(kTripleKeys[i]);
            double *held = read.*kTriples[i];
            if (!entry.isUndefined() && !numbers(entry, here, 3, held)) return false;
            if (i == 0 && held[0] == 0.0 && held[1] == 0.0 && held[2] == 0.0)
                return fail(here, QStringLiteral("a force direction must not be zero"));
        }
        if (source.contains(QLatin1String("timeCurve"))) {
            if (!curve(source.value(QLatin1String("timeCurve")), where + QStringLiteral(".timeCurve"), &read.timeCurve))
                return false;
            read.hasTimeCurve = true;
        }
        *into = std::move(read);
        return true;
    }

    bool components(const QJsonValue &value, const QString &where, std::vector<MotionCopy> *into) {
        if (!value.isArray()) return fail(where, QStringLiteral("must be a list"));
        const QJsonArray list = value.toArray();
        std::vector<MotionCopy> read;
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString here = where + QStringLiteral("[%1]").arg(i);
            const QJsonObject entry = list[i].toObject();
            if (!list[i].isObject() || entry.value(QLatin1String("name")).toString().trimmed().isEmpty())
                return fail(here + QStringLiteral(".name"), QStringLiteral("a component needs a name"));
            MotionCopy component;
            component.name = entry.value(QLatin1String("name")).toString();
            if (entry.contains(QLatin1String("physicalProperties"))) {
                auto properties = std::make_shared<Settings>();
                if (!settingsFromJson(*properties, nullptr, entry.value(QLatin1String("physicalProperties")),
                                      here + QStringLiteral(".physicalProperties"), m_why))
                    return false;
                if (!properties->properties.empty()) component.properties = std::move(properties);
            }
            if (!motionFromJson(entry, here, &component.settings, &component.components, m_why)) return false;
            read.push_back(std::move(component));
        }
        *into = std::move(read);
        return true;
    }

private:
    QString *m_why;
};

}  // namespace

/* --- What scenarios and study files read ------------------------------------------ */

MotionSettings motionSettingsIn(const script::Motion *motion, const script::Object *scenario) {
    MotionSettings copy = stateOf(motion).settings;
    for (MotionVector MotionSettings::*field : kVectors) resolve(copy.*field, scenario);
    return copy;
}

std::vector<MotionCopy> motionComponentsIn(const script::Motion *motion, const script::Object *scenario) {
    std::vector<MotionCopy> copies;
    for (const script::Motion *component : stateOf(motion).components) {
        MotionCopy copy{heldName(component), motionSettingsIn(component, scenario), nullptr,
                        motionComponentsIn(component, scenario)};
        if (hasSettings(component)) copy.properties = copySettings(*node(component).settings);
        copies.push_back(std::move(copy));
    }
    return copies;
}

void motionToJson(const MotionSettings &settings, const std::vector<MotionCopy> &components, QJsonObject &entry) {
    entry.insert("motion", settingsJson(settings));
    // Written only when there are some, so that a plain motion stays short.
    if (!components.empty()) entry.insert("components", componentsJson(components));
}

bool motionFromJson(const QJsonObject &entry, const QString &where, MotionSettings *settings,
                    std::vector<MotionCopy> *components, QString *why) {
    Reader reader(why);
    MotionSettings readSettings;
    std::vector<MotionCopy> readComponents;
    if (entry.contains(QLatin1String("motion")) &&
        !reader.settings(entry.value(QLatin1String("motion")), where + QStringLiteral(".motion"), &readSettings))
        return false;
    if (entry.contains(QLatin1String("components")) &&
        !reader.components(entry.value(QLatin1String("components")), where + QStringLiteral(".components"),
                           &readComponents))
        return false;
    *settings = std::move(readSettings);
    *components = std::move(readComponents);
    return true;
}

/* --- Steering ------------------------------------------------------------------------ */

script::Motion *addMotionComponent(script::Motion *motion, const QString &name, QString *why) {
    if (name.trimmed().isEmpty())
        *why = QStringLiteral("a component needs a name");
    else if (stateOf(motion).componentIndex.count(name))
        *why = QStringLiteral("%1 already has a component \"%2\"").arg(QString::fromStdString(describe(motion)), name);
    if (!why->isEmpty()) return nullptr;
    script::Motion *component;
    {
        Quiet quiet;
        component = new script::Motion(nullptr, name);
    }
    MotionState &state = stateToChange(motion);
    state.componentIndex.emplace(name, state.components.size());
    state.components.push_back(component);
    steeredComponents().emplace(component, motion);
    return component;
}

void forgetSteeredComponents() {
    for (const auto &given : steeredComponents()) {
        MotionState &state = stateToChange(given.second);
        auto found = state.componentIndex.find(heldName(given.first));
        if (found == state.componentIndex.end() || state.components[found->second] != given.first) continue;
        state.components.erase(state.components.begin() + std::ptrdiff_t(found->second));
        state.componentIndex.clear();
        for (size_t i = 0; i < state.components.size(); ++i)
            state.componentIndex.emplace(heldName(state.components[i]), i);
        formerComponents().push_back(given.first);
    }
    steeredComponents().clear();
}

}  // namespace standin

namespace script {

using standin::Call;
using standin::Changes;
using standin::MotionSettings;
using standin::MotionVector;
using standin::Reads;

Motion::Motion(const QString &name) : Object(standin::unjournaled(nullptr), name) {
    Call("Motion", "Motion", Reads).arg(name);
}

// What belongs to the motion goes with it: its properties, its components
// (and theirs) and its settings. A component that steering gave is no longer
// steering's to take back.
Motion::~Motion() {
    standin::dropSettingsOf(this);
    auto found = standin::states().find(this);
    if (found == standin::states().end()) return;
    std::vector<Motion *> components = std::move(found->second.components);
    standin::states().erase(found);
    for (Motion *component : components) {
        standin::steeredComponents().erase(component);
        delete component;
    }
}

QObject *Motion::property(const QString &name) {
    Call("Motion", "property", Reads).arg(name);
    return standin::settingProperty(this, name);
}

QObject *Motion::motionComponent(const QString &name) {
    Call("Motion", "motionComponent", Reads).arg(name);
    const standin::MotionState &state = standin::stateOf(this);
    auto found = state.componentIndex.find(name);
    return found == state.componentIndex.end() ? nullptr : state.components[found->second];
}

void Motion::setDirection(double x, double y, double z) {
    standin::setVector(this, "setDirection", &MotionSettings::direction, x, y, z, "a direction");
}
void Motion::setDirectionNormalTo(Entity *entity) {
    standin::setFromEntity(this, "setDirectionNormalTo", &MotionSettings::direction, entity, MotionVector::From::NormalTo);
}
void Motion::reverseDirection() { standin::reverse(this, "reverseDirection", &MotionSettings::direction); }

void Motion::setAxisOfRotation(double x, double y, double z) {
    standin::setVector(this, "setAxisOfRotation", &MotionSettings::axisOfRotation, x, y, z, "an axis");
}
void Motion::setAxisOfRotationNormalTo(Entity *entity) {
    standin::setFromEntity(this, "setAxisOfRotationNormalTo", &MotionSettings::axisOfRotation, entity,
                           MotionVector::From::NormalTo);
}
void Motion::reverseAxisOfRotation() { standin::reverse(this, "reverseAxisOfRotation", &MotionSettings::axisOfRotation); }
void Motion::setCenterOfRotation(double x, double y, double z) {
    standin::setVector(this, "setCenterOfRotation", &MotionSettings::centerOfRotation, x, y, z, nullptr);
}
void Motion::setCenterOfRotationToCentroid(Entity *entity) {
    standin::setFromEntity(this, "setCenterOfRotationToCentroid", &MotionSettings::centerOfRotation, entity,
                           MotionVector::From::CentroidOf);
}

void Motion::setOrbitAxis(double x, double y, double z) {
    standin::setVector(this, "setOrbitAxis", &MotionSettings::orbitAxis, x, y, z, "an axis");
}
void Motion::setOrbitAxisNormalTo(Entity *entity) {
    standin::setFromEntity(this, "setOrbitAxisNormalTo", &MotionSettings::orbitAxis, entity, MotionVector::From::NormalTo);
}
void Motion::reverseOrbitAxis() { standin::reverse(this, "reverseOrbitAxis", &MotionSettings::orbitAxis); }
void Motion::setCenterOfOrbit(double x, double y, double z) {
    standin::setVector(this, "setCenterOfOrbit", &MotionSettings::centerOfOrbit, x, y, z, nullptr);
}

void Motion::setTiltAxis(double x, double y, double z) {
    standin::setVector(this, "setTiltAxis", &MotionSettings::tiltAxis, x, y, z, "an axis");
}
void Motion::setTiltAxisNormalTo(Entity *entity) {
    standin::setFromEntity(this, "setTiltAxisNormalTo", &MotionSettings::tiltAxis, entity, MotionVector::From::NormalTo);
}
void Motion::reverseTiltAxis() { standin::reverse(this, "reverseTiltAxis", &MotionSettings::tiltAxis); }

void Motion::setAxisOfNutation(double x, double y, double z) {
    standin::setVector(this, "setAxisOfNutation", &MotionSettings::axisOfNutation, x, y, z, "an axis");
}
void Motion::setAxisOfNutationNormalTo(Entity *entity) {
    standin::setFromEntity(this, "setAxisOfNutationNormalTo", &MotionSettings::axisOfNutation, entity,
                           MotionVector::From::NormalTo);
}
void Motion::reverseAxisOfNutation() { standin::reverse(this, "reverseAxisOfNutation", &MotionSettings::axisOfNutation); }
void Motion::setCenterOfNutation(double x, double y, double z) {
    standin::setVector(this, "setCenterOfNutation", &MotionSettings::centerOfNutation, x, y, z, nullptr);
}
void Motion::setCenterOfNutationToCentroid(Entity *entity) {
    standin::setFromEntity(this, "setCenterOfNutationToCentroid", &MotionSettings::centerOfNutation, entity,
                           MotionVector::From::CentroidOf);
}

void Motion::setForceDirection(double x, double y, double z) {
    standin::setTriple(this, "setForceDirection", &MotionSettings::forceDirection, x, y, z, "a force direction");
}
Clt::Vector Motion::forceDirection() const {
    return standin::readTriple(this, "forceDirection", &MotionSettings::forceDirection);
}
void Motion::setForceLocation(double x, double y, double z) {
    standin::setTriple(this, "setForceLocation", &MotionSettings::forceLocation, x, y, z, nullptr);
}
Clt::Vector Motion::forceLocation() const {
    return standin::readTriple(this, "forceLocation", &MotionSettings::forceLocation);
}
// No gravity at all is a setting of its own: zero is taken.
void Motion::setGravity(double x, double y, double z) {
    standin::setTriple(this, "setGravity", &MotionSettings::gravity, x, y, z, nullptr);
}
Clt::Vector Motion::gravity() const { return standin::readTriple(this, "gravity", &MotionSettings::gravity); }

// A copy of the curve as it is now: the script may change or delete its curve
// afterwards without touching the motion.
void Motion::setTimeCurve(const TimeCurve &curve) {
    Call call("Motion", "setTimeCurve", Changes);
    call.arg(&curve);
    standin::CurveData copy;
    {
        standin::Quiet quiet;
        copy = standin::curveData(&curve);
    }
    MotionSettings &settings = standin::stateToChange(this).settings;
    settings.timeCurve = std::move(copy);
    settings.hasTimeCurve = true;
}

}  // namespace script
