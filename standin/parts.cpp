// The parts, groups and entities of a scenario, as the application's scripting
// interface gives them (docs/standin-parts.md). Like the scenario's own
// operations, each journals itself, a refusal changes nothing and says why,
// and every lookup goes through the scenario's hashed indexes, so that an
// operation costs the same in a study of 20,000 parts as in one of three.
#include <script/Object.h>
#include <script/Records.h>

#include "control.h"
#include "journal.h"
#include "materials.h"
#include "model.h"
#include "scenario.h"

#include <QtCore/QJsonObject>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace standin {
namespace {

const char *const kKindNames[] = {"Point", "Edge", "Surface", "Volume", "Unknown"};

// The scenario that holds a part or group, or null for one that belongs to
// none. Only scenarios adopt parts and groups, steering's own scenarios too,
// which are of no kind in the model.
script::Object *scenarioOf(const script::Object *object) { return node(object).parent; }

QString noScenario(const char *what) { return QStringLiteral("the %1 belongs to no scenario").arg(QLatin1String(what)); }

/* --- Results of the last run, by the part's name ----------------------------------- */

bool resultOf(const script::Object *part, const char *quantity, double *value) {
    const script::Object *scenario = scenarioOf(part);
    if (!scenario) return false;
    const QJsonValue found =
        node(scenario).results.value(QLatin1String(quantity)).toObject().value(part->objectName());
    if (!found.isDouble()) return false;
    *value = found.toDouble();
    return true;
}

// The first of the quantities that the part has a result of; 0.0 and false without one.
double firstResult(const script::Object *part, std::initializer_list<const char *> quantities, bool *ok) {
    double value = 0.0;
    bool found = false;
    for (const char *quantity : quantities)
        if ((found = resultOf(part, quantity, &value))) break;
    if (ok) *ok = found;
    return found ? value : 0.0;
}

// A run gives each part its surface temperature ("Temperature") and its
// hottest point ("Maximum temperature"); a part's coolest point is its
// surface unless the results say otherwise.
double minimumOf(const script::Object *part, bool *ok) {
    return firstResult(part, {"Minimum temperature", "Temperature"}, ok);
}
double averageOf(const script::Object *part, bool *ok) { return firstResult(part, {"Temperature"}, ok); }
double maximumOf(const script::Object *part, bool *ok) {
    return firstResult(part, {"Maximum temperature", "Temperature"}, ok);
}

/* --- Thermoelectric coolers ----------------------------------------------------------- */

bool entityOfPart(const script::Object *scenario, int entityId, const script::Object *part) {
    script::Object *holder = nullptr;
    return scenarioEntity(scenario, entityId, &holder) && holder == part;
}

// How many of the scenario's TEC materials have a side on the part.
int coolersOn(const script::Object *part) {
    const script::Object *scenario = scenarioOf(part);
    if (!scenario) return 0;
    int count = 0;
    for (const TecMaterial &tec : setupOf(scenario).tecMaterials)
        if (entityOfPart(scenario, tec.coldSide, part) || entityOfPart(scenario, tec.hotSide, part)) ++count;
    return count;
}

// Why a part has no results records, or nothing.
QString recordsRefusal(const script::Object *part, const char *what) {
    if (!scenarioOf(part)) return noScenario("part");
    if (!coolersOn(part)) return QStringLiteral("the part is no %1: no TEC material was applied to it").arg(QLatin1String(what));
    bool ok = false;
    averageOf(part, &ok);
    if (!ok) return QStringLiteral("the scenario has no results for the part");
    return QString();
}

/* --- A group's members, as a set beside the list ------------------------------------- */

struct Members {
    std::unordered_set<int> ids;
    size_t size = 0;
    bool built = false;
};

// Made from the list when first asked, and again whenever the list was
// changed by anything but the group's own operations (a study file, a copy).
Members &membersOf(const script::Object *group) {
    static auto *all = new std::unordered_map<const script::Object *, Members>();
    Members &members = (*all)[group];
    const std::vector<int> &held = node(group).entityIds;
    if (!members.built || members.size != held.size() || members.ids.size() != held.size()) {
        members.ids = std::unordered_set<int>(held.begin(), held.end());
        members.size = held.size();
        members.built = true;
    }
    return members;
}

// Adds the entities that the group does not hold yet, keeping the set current.
void addMembers(script::Object *group, const std::vector<int> &ids) {
    Members &members = membersOf(group);
    std::vector<int> &held = node(group).entityIds;
    for (int id : ids)
        if (members.ids.insert(id).second) held.push_back(id);
    members.size = held.size();
}

/* --- Entities: their own copy of their record ---------------------------------------- */

const EntityRecord *recordOf(const script::Object *entity) {
    const Node &held = node(entity);
    return held.entities.empty() ? nullptr : &held.entities.front();
}

}  // namespace

bool givePartResults(script::Analysis *scenario, const QString &partName, double minimum, double average,
                     double maximum, QString *why) {
    if (scenarioPartsNamed(scenario, partName).empty())
        *why = QStringLiteral("the scenario has no part named \"%1\"").arg(partName);
    else if (!std::isfinite(minimum) || !std::isfinite(average) || !std::isfinite(maximum))
        *why = QStringLiteral("a result must be a finite number");
    else if (!(minimum <= average && average <= maximum))
        *why = QStringLiteral("the temperatures must be in order: minimum, average, maximum");
    if (!why->isEmpty()) return false;
    const std::pair<const char *, double> given[] = {
        {"Minimum temperature", minimum}, {"Temperature", average}, {"Maximum temperature", maximum}};
    for (const auto &result : given)
        if (!giveResults(scenario, partName, QLatin1String(result.first), result.second, why)) return false;
    return true;
}

}  // namespace standin

namespace script {

using standin::Call;
using standin::Changes;
using standin::Quiet;
using standin::Reads;

/* --- Part ------------------------------------------------------------------------------- */

QString Part::name() const {
    Call("Part", "name", Reads);
    return objectName();
}

int Part::id() const {
    Call("Part", "id", Reads);
    return standin::node(this).id;
}

QString Part::tag() const {
    Call("Part", "tag", Reads);
    const QString &tag = standin::node(this).tag;
    return tag.isNull() ? QStringLiteral("") : tag;
}

int Part::applyMaterial(Material *material) {
    Call call("Part", "applyMaterial", Changes);
    call.arg(material);
    Object *scenario = standin::scenarioOf(this);
    QString why;
    if (!material)
        why = QStringLiteral("no material was given");
    else if (!scenario)
        why = standin::noScenario("part");
    else
        why = standin::materialRefusal(scenario, material);
    if (!why.isEmpty()) {
        call.failed(why);
        return 0;
    }
    // A script's own material is applied as the database's copy of it (standin/materials.h).
    standin::setupToChange(scenario).partMaterials[standin::node(this).id] =
        standin::databaseMaterialFor(scenario, material)->objectName();
    return 1;
}

double Part::volume(bool *ok) {
    Call("Part", "volume", Reads).arg(ok);
    const standin::Box &box = standin::node(this).box;
    if (ok) *ok = box.valid;
    if (!box.valid) return 0.0;
    return (box.max[0] - box.min[0]) * (box.max[1] - box.min[1]) * (box.max[2] - box.min[2]);
}

double Part::minTemp(bool *ok) {
    Call("Part", "minTemp", Reads).arg(ok);
    return standin::minimumOf(this, ok);
}

double Part::avgTemp(bool *ok) {
    Call("Part", "avgTemp", Reads).arg(ok);
    return standin::averageOf(this, ok);
}

double Part::maxTemp(bool *ok) {
    Call("Part", "maxTemp", Reads).arg(ok);
    return standin::maximumOf(this, ok);
}

// A TEC is a compact thermal model of two sides: a part under a TEC material is both.
bool Part::isCTM() const {
    Call("Part", "isCTM", Reads);
    return standin::coolersOn(this) > 0;
}

bool Part::isTEC() const {
    Call("Part", "isTEC", Reads);
    return standin::coolersOn(this) > 0;
}

int Part::ctmResults(CTMResults &results) const {
    Call call("Part", "ctmResults", Reads);
    const QString why = standin::recordsRefusal(this, "compact thermal model");
    if (!why.isEmpty()) {
        call.failed(why);
        return 0;
    }
    bool ok;
    const double flux = standin::firstResult(this, {"Heat flux"}, &ok);
    results.boardTemp = standin::minimumOf(this, &ok);
    results.caseTemp = standin::averageOf(this, &ok);
    results.junctionTemp = standin::maximumOf(this, &ok);
    // The heat leaves through both sides alike.
    results.boardSideHeatFlux = flux / 2.0;
    results.caseSideHeatFlux = flux / 2.0;
    return 1;
}

int Part::tecResults(TECResults &results) const {
    Call call("Part", "tecResults", Reads);
    const QString why = standin::recordsRefusal(this, "TEC");
    if (!why.isEmpty()) {
        call.failed(why);
        return 0;
    }
    bool ok;
    const double flux = standin::firstResult(this, {"Heat flux"}, &ok);
    results.numCouples = standin::coolersOn(this);
    results.coldSideTemp = standin::minimumOf(this, &ok);
    results.hotSideTemp = standin::maximumOf(this, &ok);
    results.coldSideHeatFlux = flux;
    results.hotSideHeatFlux = flux;
    // The estimate knows no electrics.
    results.current = 0.0;
    results.electricPower = 0.0;
    results.COP = 0.0;
    results.FOM = 0.0;
    return 1;
}

int Part::setColdSideSurface(int entityId) {
    Call call("Part", "setColdSideSurface", Changes);
    call.arg(entityId);
    Object *scenario = standin::scenarioOf(this);
    QString why;
    if (!scenario)
        why = standin::noScenario("part");
    else if (!standin::coolersOn(this))
        why = QStringLiteral("the part is no TEC: no TEC material was applied to it");
    else if (!standin::entityOfPart(scenario, entityId, this))
        why = QStringLiteral("the part has no entity %1").arg(entityId);
    else if (standin::scenarioEntity(scenario, entityId)->kind != Entity::Surface)
        why = QStringLiteral("entity %1 is no surface").arg(entityId);
    if (why.isEmpty())
        for (const standin::TecMaterial &tec : standin::setupOf(scenario).tecMaterials)
            if (tec.hotSide == entityId && standin::entityOfPart(scenario, tec.hotSide, this))
                why = QStringLiteral("entity %1 is the TEC's hot side").arg(entityId);
    if (!why.isEmpty()) {
        call.failed(why);
        return 0;
    }
    for (standin::TecMaterial &tec : standin::setupToChange(scenario).tecMaterials)
        if (standin::entityOfPart(scenario, tec.coldSide, this) || standin::entityOfPart(scenario, tec.hotSide, this))
            tec.coldSide = entityId;
    return 1;
}

BoundingBox Part::boundingBox() const {
    Call("Part", "boundingBox", Reads);
    Quiet quiet;
    const standin::Box &box = standin::node(this).box;
    if (!box.valid) return BoundingBox();
    return BoundingBox(Clt::Vector(box.min[0], box.min[1], box.min[2]), Clt::Vector(box.max[0], box.max[1], box.max[2]));
}

/* --- Group ----------------------------------------------------------------------------- */

void Group::setType(const QString &type) {
    Call("Group", "setType", Changes).arg(type);
    standin::node(this).groupType = type.isNull() ? QStringLiteral("") : type;
}

QString Group::type() const {
    Call("Group", "type", Reads);
    const QString &type = standin::node(this).groupType;
    return type.isNull() ? QStringLiteral("") : type;
}

void Group::setEntityType(const QString &type) {
    Call("Group", "setEntityType", Changes).arg(type);
    standin::node(this).groupEntityType = type.isNull() ? QStringLiteral("") : type;
}

QString Group::entityType() const {
    Call("Group", "entityType", Reads);
    const QString &type = standin::node(this).groupEntityType;
    return type.isNull() ? QStringLiteral("") : type;
}

void Group::setName(const QString &name) {
    Call call("Group", "setName", Changes);
    call.arg(name);
    Object *scenario = standin::scenarioOf(this);
    QString why;
    if (scenario) {
        standin::renameGroup(scenario, this, name, &why);
    } else if (name.trimmed().isEmpty()) {
        why = QStringLiteral("a name must not be empty");
    } else {
        standin::setHeldName(this, name);
    }
    if (!why.isEmpty()) call.failed(why);
}

QString Group::name() const {
    Call("Group", "name", Reads);
    return objectName();
}

void Group::getEntities(std::vector<int> &ids) const {
    Call("Group", "getEntities", Reads).arg(int(ids.size()));
    ids = standin::node(this).entityIds;
}

void Group::add(int entityId) {
    Call call("Group", "add", Changes);
    call.arg(entityId);
    Object *scenario = standin::scenarioOf(this);
    QString why;
    if (!scenario)
        why = standin::noScenario("group");
    else if (!standin::scenarioEntity(scenario, entityId))
        why = QStringLiteral("the scenario has no entity %1").arg(entityId);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::addMembers(this, {entityId});
}

void Group::add(const QString &partName) {
    Call call("Group", "add", Changes);
    call.arg(partName);
    Object *scenario = standin::scenarioOf(this);
    QString why;
    if (!scenario)
        why = standin::noScenario("group");
    else if (standin::scenarioPartsNamed(scenario, partName).empty())
        why = QStringLiteral("the scenario has no part named \"%1\"").arg(partName);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    std::vector<int> ids;
    for (Object *part : standin::scenarioPartsNamed(scenario, partName))
        for (const standin::EntityRecord &entity : standin::node(part).entities) ids.push_back(entity.id);
    standin::addMembers(this, ids);
}

void Group::remove(int entityId) {
    Call call("Group", "remove", Changes);
    call.arg(entityId);
    standin::Members &members = standin::membersOf(this);
    if (!members.ids.count(entityId)) {
        call.failed(QStringLiteral("the group holds no entity %1").arg(entityId));
        return;
    }
    std::vector<int> &held = standin::node(this).entityIds;
    held.erase(std::find(held.begin(), held.end(), entityId));
    members.ids.erase(entityId);
    members.size = held.size();
}

bool Group::contains(int entityId) const {
    Call("Group", "contains", Reads).arg(entityId);
    return standin::membersOf(this).ids.count(entityId) > 0;
}

/* --- Entity ---------------------------------------------------------------------------- */

QString Entity::type() const {
    Call("Entity", "type", Reads);
    const standin::EntityRecord *record = standin::recordOf(this);
    if (!record) return QStringLiteral("");
    return QLatin1String(standin::kKindNames[record->kind >= 0 && record->kind < 5 ? record->kind : 4]);
}

unsigned int Entity::id() const {
    Call("Entity", "id", Reads);
    const standin::EntityRecord *record = standin::recordOf(this);
    return record ? static_cast<unsigned int>(record->id) : 0u;
}

unsigned int Entity::partID() const {
    Call("Entity", "partID", Reads);
    return static_cast<unsigned int>(standin::node(this).id);
}

QString Entity::name() const {
    Call("Entity", "name", Reads);
    return objectName();
}

std::wstring Entity::name_w() const {
    Call("Entity", "name_w", Reads);
    return objectName().toStdWString();
}

QString Entity::tagName() const {
    Call("Entity", "tagName", Reads);
    const standin::EntityRecord *record = standin::recordOf(this);
    return record ? record->tagName : QStringLiteral("");
}

bool Entity::isPlanar() const {
    Call("Entity", "isPlanar", Reads);
    const standin::EntityRecord *record = standin::recordOf(this);
    return record && record->planar;
}

bool Entity::isWall() const {
    Call("Entity", "isWall", Reads);
    const standin::EntityRecord *record = standin::recordOf(this);
    return record && record->wall;
}

}  // namespace script
