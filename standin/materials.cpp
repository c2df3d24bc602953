// Materials of the stand-in (docs/standin-materials.md): a scenario's
// database materials and the ones scripts make. Each operation journals
// itself, a refusal changes nothing and says why, and entities and parts are
// found through the scenario's hashed lookups. What a material keeps names
// entities by their part's id and their own id, never by a script's object.
#include <script/Object.h>

#include "control.h"
#include "journal.h"
#include "materials.h"
#include "model.h"
#include "properties.h"
#include "scenario.h"

#include <QtCore/QJsonArray>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace standin {
namespace {

// The materials that scripts made with the constructor, each with the
// scenario it was made for (null for none). Scenarios are model objects,
// kept until the process ends, so the pointer never dangles.
std::unordered_map<const script::Object *, const script::Object *> &scriptMaterials() {
    static auto *made = new std::unordered_map<const script::Object *, const script::Object *>();
    return *made;
}

bool isScriptMaterial(const script::Object *material) { return scriptMaterials().count(material) != 0; }

const MaterialSetup &noSetup() {
    static const MaterialSetup *none = new MaterialSetup();
    return *none;
}

// A change is made to a copy that then replaces the settings whole, so that
// settings shared by copies of a scenario's set-up never change under them.
template <class Change>
void changeSetup(const script::Object *material, Change change) {
    Node &held = node(material);
    if (!held.settings) held.settings = std::make_shared<Settings>();
    const std::shared_ptr<const MaterialSetup> &was = held.settings->material;
    auto next = was ? std::make_shared<MaterialSetup>(*was) : std::make_shared<MaterialSetup>();
    change(*next);
    held.settings->material = std::move(next);
}

QString text(const QString &value) { return value.isNull() ? QStringLiteral("") : value; }

const QString kNotFinite = QStringLiteral("a value must be a finite number");

// The scenario whose database holds the material; null for any other.
const script::Object *databaseOf(const script::Object *material) { return node(material).parent; }

// The scenario the material belongs to: its database's, else the one a
// script made it for; null for none.
const script::Object *scenarioOfMaterial(const script::Object *material) {
    if (const script::Object *scenario = databaseOf(material)) return scenario;
    auto found = scriptMaterials().find(material);
    return found == scriptMaterials().end() ? nullptr : found->second;
}

// The database material whose assignments a material reports: itself, or
// for a script's own material the copy of it in the scenario it was made for.
const script::Object *appliedAs(const script::Object *material) {
    if (databaseOf(material)) return material;
    const script::Object *scenario = scenarioOfMaterial(material);
    return scenario ? scenarioMaterial(scenario, material->objectName()) : nullptr;
}

QString noEntity(int id) { return QStringLiteral("the scenario has no entity %1").arg(id); }

// Why the entities of these ids cannot be named in the scenario (none when
// there is no scenario to hold them to), or nothing.
QString entitiesRefusal(const script::Object *scenario, const std::vector<int> &ids) {
    if (!scenario) return QString();
    for (int id : ids)
        if (!scenarioEntity(scenario, id)) return noEntity(id);
    return QString();
}

QString entityRefusal(const script::Object *scenario, const script::Entity *entity) {
    if (!entity) return QStringLiteral("no entity was given");
    const Node &held = node(entity);
    if (held.entities.empty()) return QStringLiteral("the entity belongs to no part");
    return entitiesRefusal(scenario, {held.entities.front().id});
}

void setQuantity(script::Material *material, const char *operation, double value, const QString &units,
                 Quantity MaterialSetup::*field) {
    Call call("Material", operation, Changes);
    call.arg(value).arg(units);
    if (!std::isfinite(value)) {
        call.failed(kNotFinite);
        return;
    }
    changeSetup(material, [&](MaterialSetup &setup) { setup.*field = Quantity{true, value, text(units)}; });
}

void setFaces(script::Material *material, const char *operation, const std::vector<int> &ids,
              std::vector<int> MaterialSetup::*field) {
    Call call("Material", operation, Changes);
    call.arg(ids);
    const QString why = entitiesRefusal(scenarioOfMaterial(material), ids);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    changeSetup(material, [&](MaterialSetup &setup) { setup.*field = distinct(ids); });
}

void setVector(script::Material *material, const char *operation, double x, double y, double z,
               Direction MaterialSetup::*field) {
    Call call("Material", operation, Changes);
    call.arg(x).arg(y).arg(z);
    QString why;
    if (!standin::finite({x, y, z}))
        why = kNotFinite;
    else if (x == 0.0 && y == 0.0 && z == 0.0)
        why = QStringLiteral("a direction must not be the zero vector");
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    // A direction given anew replaces the one it had, reversed or not.
    changeSetup(material, [&](MaterialSetup &setup) {
        Direction &direction = setup.*field;
        direction = Direction();
        direction.hasVector = true;
        direction.vector[0] = x, direction.vector[1] = y, direction.vector[2] = z;
    });
}

void setNormalTo(script::Material *material, const char *operation, const script::Entity *entity,
                 Direction MaterialSetup::*field) {
    Call call("Material", operation, Changes);
    call.arg(entity);
    const QString why = entityRefusal(scenarioOfMaterial(material), entity);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    const Node &held = node(entity);
    const EntityRef ref{true, held.id, held.entities.front().id};
    changeSetup(material, [&](MaterialSetup &setup) {
        Direction &direction = setup.*field;
        direction = Direction();
        direction.normalTo = ref;
    });
}

/* --- Steering ----------------------------------------------------------------------- */

struct SteeredParts {
    const script::Object *scenario;
    int partId;
    QString material;
};
struct SteeredEntities {
    script::Object *scenario;
    script::Object *material;
    std::vector<int> ids;
};
std::vector<SteeredParts> &steeredParts() {
    static auto *given = new std::vector<SteeredParts>();
    return *given;
}
std::vector<SteeredEntities> &steeredEntities() {
    static auto *given = new std::vector<SteeredEntities>();
    return *given;
}

QString noDatabase() { return QStringLiteral("the material is in no scenario's database"); }

/* --- Study files ------------------------------------------------------------------- */

struct BadEntry {
    QString why;
};
[[noreturn]] void refuse(const QString &where, const QString &what) { throw BadEntry{where + QStringLiteral(": ") + what}; }
QString at(const QString &where, const char *key) { return where + QLatin1Char('.') + QLatin1String(key); }

QJsonObject quantityToJson(const Quantity &quantity) {
    return QJsonObject{{"value", quantity.value}, {"units", quantity.units}};
}
QJsonArray pointToJson(const double *xyz) { return QJsonArray{xyz[0], xyz[1], xyz[2]}; }
QJsonArray idsToJson(const std::vector<int> &ids) {
    QJsonArray out;
    for (int id : ids) out.append(id);
    return out;
}
bool hasDirection(const Direction &direction) { return direction.hasVector || direction.normalTo.set; }
QJsonObject directionToJson(const Direction &direction) {
    QJsonObject out;
    if (direction.hasVector)
        out.insert("vector", pointToJson(direction.vector));
    else
        out.insert("normalTo", QJsonObject{{"part", direction.normalTo.partId}, {"entity", direction.normalTo.id}});
    if (direction.reversed) out.insert("reversed", true);
    return out;
}

QJsonObject objectAt(const QJsonObject &source, const QString &where, const char *key) {
    const QJsonValue value = source.value(QLatin1String(key));
    if (!value.isObject()) refuse(at(where, key), QStringLiteral("must be an object"));
    return value.toObject();
}
double numberAt(const QJsonObject &source, const QString &where, const char *key) {
    const QJsonValue value = source.value(QLatin1String(key));
    if (!value.isDouble()) refuse(at(where, key), QStringLiteral("must be a number"));
    return value.toDouble();
}
QString textAt(const QJsonObject &source, const QString &where, const char *key) {
    const QJsonValue value = source.value(QLatin1String(key));
    if (value.isUndefined()) return QStringLiteral("");
    if (!value.isString()) refuse(at(where, key), QStringLiteral("must be a text"));
    return value.toString();
}
int wholeAt(const QJsonValue &value, const QString &where) {
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::floor(number) || number < -2147483648.0 || number > 2147483647.0)
        refuse(where, QStringLiteral("must be a whole number"));
    return int(number);
}
void pointAt(const QJsonObject &source, const QString &where, const char *key, double *xyz) {
    const QJsonValue value = source.value(QLatin1String(key));
    const QJsonArray items = value.toArray();
    if (!value.isArray() || items.size() != 3) refuse(at(where, key), QStringLiteral("must be three numbers"));
    for (int axis = 0; axis < 3; ++axis) {
        if (!items.at(axis).isDouble()) refuse(at(where, key), QStringLiteral("must be three numbers"));
        xyz[axis] = items.at(axis).toDouble();
    }
}
Quantity quantityAt(const QJsonObject &source, const QString &where, const char *key) {
    const QJsonObject entry = objectAt(source, where, key);
    return Quantity{true, numberAt(entry, at(where, key), "value"), textAt(entry, at(where, key), "units")};
}
std::vector<int> idsAt(const QJsonObject &source, const QString &where, const char *key) {
    const QJsonValue value = source.value(QLatin1String(key));
    if (!value.isArray()) refuse(at(where, key), QStringLiteral("must be a list"));
    std::vector<int> ids;
    const QJsonArray items = value.toArray();
    for (qsizetype i = 0; i < items.size(); ++i)
        ids.push_back(wholeAt(items.at(i), at(where, key) + QStringLiteral("[%1]").arg(i)));
    return distinct(ids);
}
Direction directionAt(const QJsonObject &source, const QString &where, const char *key) {
    const QString here = at(where, key);
    const QJsonObject entry = objectAt(source, where, key);
    Direction direction;
    if (entry.contains(QLatin1String("vector"))) {
        pointAt(entry, here, "vector", direction.vector);
        if (direction.vector[0] == 0.0 && direction.vector[1] == 0.0 && direction.vector[2] == 0.0)
            refuse(at(here, "vector"), QStringLiteral("must not be the zero vector"));
        direction.hasVector = true;
    } else {
        const QJsonObject normal = objectAt(entry, here, "normalTo");
        direction.normalTo = EntityRef{true, wholeAt(normal.value(QLatin1String("part")), at(at(here, "normalTo"), "part")),
                                       wholeAt(normal.value(QLatin1String("entity")), at(at(here, "normalTo"), "entity"))};
    }
    const QJsonValue reversed = entry.value(QLatin1String("reversed"));
    if (!reversed.isUndefined() && !reversed.isBool()) refuse(at(here, "reversed"), QStringLiteral("must be true or false"));
    direction.reversed = reversed.toBool();
    return direction;
}

const struct {
    const char *key;
    Quantity MaterialSetup::*field;
} kQuantities[] = {{"shellThickness", &MaterialSetup::shellThickness},
                   {"referenceGasConstant", &MaterialSetup::referenceGasConstant},
                   {"referencePressure", &MaterialSetup::referencePressure},
                   {"referenceTemperature", &MaterialSetup::referenceTemperature},
                   {"thermostatTriggerTemperature", &MaterialSetup::thermostatTriggerTemperature}};

}  // namespace

const MaterialSetup &materialSetupOf(const script::Object *material) {
    const Node &held = node(material);
    return held.settings && held.settings->material ? *held.settings->material : noSetup();
}

QString materialRefusal(const script::Object *scenario, const script::Material *material) {
    if (databaseOf(material) == scenario) return QString();
    const QString name = material->objectName();
    if (isScriptMaterial(material)) {
        const script::Object *madeFor = scenarioOfMaterial(material);
        if (name.trimmed().isEmpty()) return QStringLiteral("a material needs a name");
        if (madeFor && madeFor != scenario)
            return QStringLiteral("the material \"%1\" was made for another scenario").arg(name);
        // One made for no scenario names entities that this one must have.
        const MaterialSetup &setup = materialSetupOf(material);
        QString why = entitiesRefusal(scenario, setup.inletFaces);
        if (why.isEmpty()) why = entitiesRefusal(scenario, setup.outletFaces);
        for (const Direction *direction : {&setup.direction, &setup.normalDirection})
            if (why.isEmpty() && direction->normalTo.set) why = entitiesRefusal(scenario, {direction->normalTo.id});
        return why;
    }
    if (!scenarioMaterial(scenario, name))
        return QStringLiteral("the material \"%1\" is not in the scenario's database").arg(name);
    return QString();
}

script::Object *databaseMaterialFor(script::Object *scenario, script::Material *material) {
    if (databaseOf(material) == scenario) return material;
    const QString name = material->objectName();
    script::Object *held = scenarioMaterial(scenario, name);
    if (!isScriptMaterial(material)) return held;
    Quiet quiet;
    if (!held) {
        QString why;
        held = addMaterial(static_cast<script::Analysis *>(scenario), name, QString(), QString(), &why);
    }
    // The database's material takes copies of what the script's holds; where
    // it is applied stays the scenario's.
    Node &into = node(held);
    const Node &from = node(material);
    for (const Property &property : from.properties) {
        // A script's material of the application's default type ("") leaves
        // the database material's own type, which lookups by type go by.
        if (property.name == QLatin1String("Type") && property.value.toString().isEmpty()) continue;
        if (Property *same = into.findProperty(property.name))
            same->value = property.value;
        else
            into.properties.push_back(property);
    }
    into.settings = from.settings ? copySettings(*from.settings) : nullptr;
    return held;
}

void materialSetupToJson(const script::Object *material, QJsonObject &entry) {
    const Node &held = node(material);
    if (!held.settings || !held.settings->material) return;
    const MaterialSetup &setup = *held.settings->material;
    QJsonObject out;
    for (const auto &quantity : kQuantities)
        if ((setup.*quantity.field).set) out.insert(QLatin1String(quantity.key), quantityToJson(setup.*quantity.field));
    if (hasDirection(setup.direction)) out.insert("direction", directionToJson(setup.direction));
    if (setup.hasOrigin) out.insert("origin", pointToJson(setup.origin));
    if (setup.hasDirections)
        out.insert("directions", QJsonArray{setup.directions[0], setup.directions[1], setup.directions[2]});
    if (hasDirection(setup.normalDirection)) out.insert("normalDirection", directionToJson(setup.normalDirection));
    if (!setup.inletFaces.empty()) out.insert("inletFaces", idsToJson(setup.inletFaces));
    if (!setup.outletFaces.empty()) out.insert("outletFaces", idsToJson(setup.outletFaces));
    entry.insert("materialSettings", out);
}

bool materialSetupFromJson(script::Object *material, const QJsonObject &entry, const QString &where, QString *why) {
    const QJsonValue value = entry.value(QLatin1String("materialSettings"));
    if (value.isUndefined()) return true;
    try {
        if (!value.isObject()) refuse(where, QStringLiteral("must be an object"));
        const QJsonObject source = value.toObject();
        MaterialSetup read;
        for (const auto &quantity : kQuantities)
            if (source.contains(QLatin1String(quantity.key)))
                read.*quantity.field = quantityAt(source, where, quantity.key);
        if (source.contains(QLatin1String("direction"))) read.direction = directionAt(source, where, "direction");
        if (source.contains(QLatin1String("origin"))) {
            pointAt(source, where, "origin", read.origin);
            read.hasOrigin = true;
        }
        if (source.contains(QLatin1String("directions"))) {
            const QJsonArray texts = source.value(QLatin1String("directions")).toArray();
            if (!source.value(QLatin1String("directions")).isArray() || texts.size() != 3)
                refuse(at(where, "directions"), QStringLiteral("must be three texts"));
            for (int i = 0; i < 3; ++i) {
                if (!texts.at(i).isString() || texts.at(i).toString().trimmed().isEmpty())
                    refuse(at(where, "directions"), QStringLiteral("must be three texts"));
                read.directions[i] = texts.at(i).toString();
            }
            read.hasDirections = true;
        }
        if (source.contains(QLatin1String("normalDirection")))
            read.normalDirection = directionAt(source, where, "normalDirection");
        if (source.contains(QLatin1String("inletFaces"))) read.inletFaces = idsAt(source, where, "inletFaces");
        if (source.contains(QLatin1String("outletFaces"))) read.outletFaces = idsAt(source, where, "outletFaces");
        changeSetup(material, [&](MaterialSetup &setup) { setup = std::move(read); });
        return true;
    } catch (const BadEntry &bad) {
        *why = bad.why;
        return false;
    }
}

bool giveMaterialParts(script::Material *material, const std::vector<int> &partIds, QString *why) {
    const script::Object *scenario = databaseOf(material);
    if (!scenario) *why = noDatabase();
    for (int id : partIds)
        if (why->isEmpty() && !partOfId(scenario, id)) *why = QStringLiteral("the scenario has no part %1").arg(id);
    if (!why->isEmpty()) return false;
    ScenarioSetup &setup = setupToChange(scenario);
    for (int id : partIds) {
        setup.partMaterials[id] = material->objectName();
        steeredParts().push_back({scenario, id, material->objectName()});
    }
    return true;
}

bool giveMaterialEntities(script::Material *material, const std::vector<int> &entityIds, QString *why) {
    script::Object *scenario = node(material).parent;
    *why = scenario ? entitiesRefusal(scenario, entityIds) : noDatabase();
    if (!why->isEmpty()) return false;
    giveMaterialEntityIds(scenario, material, entityIds);
    steeredEntities().push_back({scenario, material, distinct(entityIds)});
    return true;
}

void forgetSteeredMaterials() {
    for (const SteeredParts &given : steeredParts()) {
        const auto &assigned = setupOf(given.scenario).partMaterials;
        auto found = assigned.find(given.partId);
        if (found != assigned.end() && found->second == given.material)
            setupToChange(given.scenario).partMaterials.erase(given.partId);
    }
    steeredParts().clear();
    for (const SteeredEntities &given : steeredEntities()) {
        const std::unordered_set<int> going(given.ids.begin(), given.ids.end());
        std::vector<int> &held = node(given.material).entityIds;
        held.erase(std::remove_if(held.begin(), held.end(), [&going](int id) { return going.count(id) != 0; }),
                   held.end());
        // The scenario's lookups of materials by entity are made again when next asked.
        ++node(given.scenario).revision;
    }
    steeredEntities().clear();
}

}  // namespace standin

namespace script {

using standin::Call;
using standin::Changes;
using standin::Quiet;
using standin::Reads;

Material::Material(const QString &name, Analysis *scenario, const QString &type)
    : Object(standin::unjournaled(nullptr), name) {
    Call("Material", "Material", Changes).arg(name).arg(scenario).arg(type);
    standin::scriptMaterials()[this] = scenario;
    // Its type as a database material carries it, so that the copy a scenario takes is found by type.
    standin::node(this).properties.push_back({QStringLiteral("Type"), QVariant(standin::text(type))});
}

Material::~Material() {
    auto &made = standin::scriptMaterials();
    auto found = made.find(this);
    if (found != made.end()) {
        Call("Material", "~Material", Changes);
        made.erase(found);
    }
    // Its properties and their variations go with it.
    standin::dropSettingsOf(this);
}

Material *Material::Create(Analysis *scenario, const char *type, const char *subtype) {
    Call call("Material", "Create", Changes);
    call.arg(scenario).arg(type).arg(subtype);
    QString why;
    if (!scenario)
        why = QStringLiteral("no scenario was given");
    else if (!type || QString::fromUtf8(type).trimmed().isEmpty())
        why = QStringLiteral("a material type must not be empty");
    if (!why.isEmpty()) {
        call.failed(why);
        return nullptr;
    }
    Quiet quiet;
    const char *sub = subtype ? subtype : "";
    if (Material *found = scenario->materialOfType(type, sub)) return found;
    const QString wanted = QString::fromUtf8(type), wantedSub = QString::fromUtf8(sub);
    // Named after its type and subtype; a name the database has is not taken twice.
    const QString base = wantedSub.isEmpty() ? wanted : QStringLiteral("%1 (%2)").arg(wanted, wantedSub);
    QString name = base;
    for (int n = 2; standin::scenarioMaterial(scenario, name); ++n) name = QStringLiteral("%1 %2").arg(base).arg(n);
    return standin::addMaterial(scenario, name, wanted, wantedSub, &why);
}

void Material::setName(const QString &name) {
    Call call("Material", "setName", Changes);
    call.arg(name);
    Object *scenario = standin::node(this).parent;
    QString why;
    if (name.trimmed().isEmpty())
        why = QStringLiteral("a name must not be empty");
    else if (scenario) {
        const Object *same = standin::scenarioMaterial(scenario, name);
        if (same && same != this) why = QStringLiteral("the scenario has a material named \"%1\"").arg(name);
    }
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    const QString old = objectName();
    standin::setHeldName(this, name);
    if (!scenario || old == name) return;
    // The scenario's assignments name the material: they follow it.
    const standin::ScenarioSetup &setup = standin::setupOf(scenario);
    bool named = false;
    for (const auto &entry : setup.partMaterials) named = named || entry.second == old;
    for (const standin::TecMaterial &tec : setup.tecMaterials) named = named || tec.material == old;
    if (!named) return;
    standin::ScenarioSetup &changed = standin::setupToChange(scenario);
    for (auto &entry : changed.partMaterials)
        if (entry.second == old) entry.second = name;
    for (standin::TecMaterial &tec : changed.tecMaterials)
        if (tec.material == old) tec.material = name;
}

QString Material::name() const {
    Call("Material", "name", Reads);
    return objectName();
}

QObject *Material::property(const QString &name) {
    Call("Material", "property", Reads).arg(name);
    return standin::settingProperty(this, name);
}

void Material::setShellThickness(double thickness, const QString &units) {
    standin::setQuantity(this, "setShellThickness", thickness, units, &standin::MaterialSetup::shellThickness);
}

void Material::setInletFaces(const std::vector<int> &faceIds) {
    standin::setFaces(this, "setInletFaces", faceIds, &standin::MaterialSetup::inletFaces);
}

void Material::setOutletFaces(const std::vector<int> &faceIds) {
    standin::setFaces(this, "setOutletFaces", faceIds, &standin::MaterialSetup::outletFaces);
}

void Material::setReferenceGasConstant(double value, const QString &units) {
    standin::setQuantity(this, "setReferenceGasConstant", value, units, &standin::MaterialSetup::referenceGasConstant);
}

void Material::setReferencePressure(double value, const QString &units) {
    standin::setQuantity(this, "setReferencePressure", value, units, &standin::MaterialSetup::referencePressure);
}

void Material::setReferenceTemperature(double value, const QString &units) {
    standin::setQuantity(this, "setReferenceTemperature", value, units, &standin::MaterialSetup::referenceTemperature);
}

void Material::setThermostatTriggerTemperature(double value, const QString &units) {
    standin::setQuantity(this, "setThermostatTriggerTemperature", value, units,
                         &standin::MaterialSetup::thermostatTriggerTemperature);
}

void Material::setDirectionNormalTo(Entity *entity) {
    standin::setNormalTo(this, "setDirectionNormalTo", entity, &standin::MaterialSetup::direction);
}

void Material::reverseDirection() {
    Call call("Material", "reverseDirection", Changes);
    if (!standin::hasDirection(standin::materialSetupOf(this).direction)) {
        call.failed(QStringLiteral("the material has no direction to reverse"));
        return;
    }
    standin::changeSetup(this, [](standin::MaterialSetup &setup) { setup.direction.reversed = !setup.direction.reversed; });
}

void Material::setDirection(double x, double y, double z) {
    standin::setVector(this, "setDirection", x, y, z, &standin::MaterialSetup::direction);
}

void Material::setOrigin(double x, double y, double z) {
    Call call("Material", "setOrigin", Changes);
    call.arg(x).arg(y).arg(z);
    if (!standin::finite({x, y, z})) {
        call.failed(standin::kNotFinite);
        return;
    }
    standin::changeSetup(this, [&](standin::MaterialSetup &setup) {
        setup.hasOrigin = true;
        setup.origin[0] = x, setup.origin[1] = y, setup.origin[2] = z;
    });
}

void Material::setDirections(const QString &first, const QString &second, const QString &third) {
    Call call("Material", "setDirections", Changes);
    call.arg(first).arg(second).arg(third);
    if (first.trimmed().isEmpty() || second.trimmed().isEmpty() || third.trimmed().isEmpty()) {
        call.failed(QStringLiteral("each of the three directions must be named"));
        return;
    }
    standin::changeSetup(this, [&](standin::MaterialSetup &setup) {
        setup.hasDirections = true;
        setup.directions[0] = first, setup.directions[1] = second, setup.directions[2] = third;
    });
}

void Material::setNormalDirectionNormalTo(Entity *entity) {
    standin::setNormalTo(this, "setNormalDirectionNormalTo", entity, &standin::MaterialSetup::normalDirection);
}

void Material::setNormalDirection(double x, double y, double z) {
    standin::setVector(this, "setNormalDirection", x, y, z, &standin::MaterialSetup::normalDirection);
}

void Material::parts(std::vector<Part *> &parts) {
    Call("Material", "parts", Reads).arg(int(parts.size()));
    Quiet quiet;
    parts.clear();
    const Object *applied = standin::appliedAs(this);
    if (!applied) return;
    const Object *scenario = standin::node(applied).parent;
    std::vector<int> ids;
    for (const auto &entry : standin::setupOf(scenario).partMaterials)
        if (entry.second == applied->objectName()) ids.push_back(entry.first);
    std::sort(ids.begin(), ids.end());
    for (int id : ids)
        if (Object *part = standin::partOfId(scenario, id)) parts.push_back(static_cast<Part *>(part));
}

void Material::entities(std::vector<Entity> &entities) {
    Call("Material", "entities", Reads).arg(int(entities.size()));
    Quiet quiet;
    entities.clear();
    const Object *applied = standin::appliedAs(this);
    if (!applied) return;
    const Object *scenario = standin::node(applied).parent;
    const std::vector<int> &ids = standin::node(applied).entityIds;
    entities.reserve(ids.size());
    for (int id : ids) {
        Object *part = nullptr;
        const standin::EntityRecord *record = standin::scenarioEntity(scenario, id, &part);
        if (!record) continue;
        // A copy of the entity, reading from its own copy of the record, as a listing's entities do.
        entities.emplace_back();
        Entity &entity = entities.back();
        standin::Node &held = standin::node(&entity);
        held.entities.assign(1, *record);
        held.id = standin::node(part).id;
        standin::setHeldName(&entity, record->name);
    }
}

void Material::properties(std::vector<Property *> &properties) {
    Call("Material", "properties", Reads).arg(int(properties.size()));
    properties = standin::settingProperties(this);
}

MaterialEnv Material::materialEnv() const {
    Call("Material", "materialEnv", Reads);
    Quiet quiet;
    // The environment of the material's scenario; one of no scenario is set in none.
    if (const auto *scenario = dynamic_cast<const Analysis *>(standin::scenarioOfMaterial(this)))
        return scenario->materialEnv();
    return MaterialEnv();
}

}  // namespace script
