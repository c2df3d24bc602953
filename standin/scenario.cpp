// The scenario: one analysis set-up of a design, as the application's
// scripting interface gives it (docs/standin-scenario.md). Refusals change
// nothing and say why in the journal; lookups that find nothing give null
// quietly. What a scenario takes from an object that a script owns, it
// copies: nothing in the model points at an object a script can delete.
#include "scenario.h"

#include <script/Lists.h>
#include <script/Object.h>
#include <script/Records.h>

#include "conditions.h"
#include "control.h"
#include "journal.h"
#include "materials.h"
#include "model.h"
#include "mesh.h"
#include "properties.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QJsonArray>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <type_traits>
#include <unordered_map>
#include <utility>

namespace script {
// Opaque to scripts: what a scenario's last run gave, which the scenario keeps.
class Results {};
}  // namespace script

namespace standin {

/* --- The settings, copied with their node ------------------------------------ */

SetupHolder::SetupHolder() = default;
SetupHolder::SetupHolder(const SetupHolder &other)
    : m_setup(other.m_setup ? new ScenarioSetup(*other.m_setup) : nullptr) {}
SetupHolder::SetupHolder(SetupHolder &&other) noexcept : m_setup(other.m_setup) { other.m_setup = nullptr; }
SetupHolder &SetupHolder::operator=(const SetupHolder &other) {
    if (this != &other) {
        ScenarioSetup *copy = other.m_setup ? new ScenarioSetup(*other.m_setup) : nullptr;
        delete m_setup;
        m_setup = copy;
    }
    return *this;
}
SetupHolder &SetupHolder::operator=(SetupHolder &&other) noexcept {
    if (this != &other) {
        delete m_setup;
        m_setup = other.m_setup;
        other.m_setup = nullptr;
    }
    return *this;
}
SetupHolder::~SetupHolder() { delete m_setup; }
ScenarioSetup &SetupHolder::make() {
    if (!m_setup) m_setup = new ScenarioSetup();
    return *m_setup;
}

const ScenarioSetup &setupOf(const script::Object *scenario) {
    static const ScenarioSetup defaults;
    const ScenarioSetup *held = node(scenario).setup.get();
    return held ? *held : defaults;
}

namespace {
using script::Object;

ScenarioSetup &setupFor(const Object *scenario) { return node(scenario).setup.make(); }

const char *const kKindsNamed[] = {"a point", "an edge", "a surface", "a volume", "of unknown kind"};
const char *const kSaveUnits[] = {"Steps", "Iterations", "Seconds"};
const char *const kExtrusionModes[] = {"Off", "Inlets", "Outlets", "All"};
const char *const kExtrusionDirections[] = {"Normal", "X", "Y", "Z"};
const char *const kEndLayerings[] = {"Uniform", "Growth"};
const char *const kSizings[] = {"Automatic", "Uniform"};
const char *const kTemperatureUnits[] = {"K", "C", "F"};

template <size_t N>
bool oneOf(const QString &text, const char *const (&names)[N]) {
    for (const char *name : names)
        if (text == QLatin1String(name)) return true;
    return false;
}

template <size_t N>
QString choices(const char *const (&names)[N]) {
    QString out;
    for (size_t i = 0; i < N; ++i) {
        if (i) out += i + 1 == N ? QStringLiteral(" or ") : QStringLiteral(", ");
        out += QLatin1Char('"') + QLatin1String(names[i]) + QLatin1Char('"');
    }
    return out;
}

// Why a text is none of the names, or nothing.
template <size_t N>
QString choiceRefusal(const char *what, const QString &text, const char *const (&names)[N]) {
    if (oneOf(text, names)) return QString();
    return QStringLiteral("%1 is %2, not %3")
        .arg(QLatin1String(what), choices(names), text.isNull() ? QStringLiteral("null") : QLatin1Char('"') + text + QLatin1Char('"'));
}

QString positiveRefusal(const char *what, double value) {
    if (std::isfinite(value) && value > 0.0) return QString();
    return QStringLiteral("%1 must be a finite number above 0").arg(QLatin1String(what));
}

QString notNegativeRefusal(const char *what, double value) {
    if (std::isfinite(value) && value >= 0.0) return QString();
    return QStringLiteral("%1 must be a finite number of at least 0").arg(QLatin1String(what));
}

QString growthRefusal(double growth) {
    if (std::isfinite(growth) && growth >= 1.0) return QString();
    return QStringLiteral("a growth factor must be a finite number of at least 1");
}

QString relaxationRefusal(double factor) {
    if (std::isfinite(factor) && factor > 0.0 && factor <= 1.0) return QString();
    return QStringLiteral("a relaxation factor must be above 0 and at most 1");
}

// Kelvin, or NaN for a unit that is none of the three.
double kelvin(double temperature, const QString &unit) {
    if (unit == QLatin1String("K")) return temperature;
    if (unit == QLatin1String("C")) return temperature + 273.15;
    if (unit == QLatin1String("F")) return (temperature - 32.0) * 5.0 / 9.0 + 273.15;
    return std::nan("");
}

QString temperatureRefusal(double temperature, const QString &unit) {
    QString why = choiceRefusal("a temperature unit", unit, kTemperatureUnits);
    if (!why.isEmpty()) return why;
    if (!std::isfinite(temperature) || kelvin(temperature, unit) < -1e-9)
        return QStringLiteral("a temperature must be finite and not below absolute zero");
    return QString();
}

QString smokeRefusal(const double *values) {
    for (int i = 0; i < 3; ++i)
        if (!std::isfinite(values[i]) || values[i] < 0.0)
            return QStringLiteral("smoke parameters must be finite and not negative");
    return QString();
}

QString comfortRefusal(const double *values) {
    if (!std::isfinite(values[0]) || values[0] <= 0.0) return QStringLiteral("a metabolic rate must be finite and above 0");
    if (!std::isfinite(values[1]) || values[1] < 0.0 || values[1] > 100.0)
        return QStringLiteral("a humidity must be between 0 and 100");
    if (!std::isfinite(values[2]) || values[2] < 0.0) return QStringLiteral("a clothing value must be finite and not negative");
    return QString();
}

// The number that a script gave as an entity kind. Scripts may give any
// number; loading one outside the enumeration as the enumeration is
// undefined, so it is read as the integer it is stored as.
int kindNumber(const script::Entity::Type &kind) {
    std::underlying_type_t<script::Entity::Type> number;
    static_assert(sizeof number == sizeof kind, "an entity kind is stored as its underlying type");
    std::memcpy(&number, &kind, sizeof number);
    return int(number);
}

QString emptyNameRefusal(const QString &name) {
    return name.trimmed().isEmpty() ? QStringLiteral("a name must not be empty") : QString();
}

std::vector<int> sorted(const std::unordered_set<int> &ids) {
    std::vector<int> out(ids.begin(), ids.end());
    std::sort(out.begin(), out.end());
    return out;
}

/* --- Hashed lookups over a scenario's children ------------------------------- */

// Where an entity stands: its part and its place among the part's entities.
struct EntityAt {
    Object *part;
    size_t index;
};

// Built from the children when first asked and again whenever they changed
// under it (the node's revision); the scenario's own operations keep it
// current as they go, so that a script's loop over parts costs no rebuilds.
struct Index {
    bool built = false;
    unsigned revision = 0;
    // Parts by id and by name, and groups, materials and conditions by name,
    // are the model's own lookups (childNamed, partOfId), which follow renames.
    std::unordered_map<QString, std::vector<Object *>> partsByTag;
    // Entity ids are the scenario's own; should two parts share one, the
    // first keeps the plain entry and the others are listed beside it.
    std::unordered_map<int, EntityAt> entities;
    std::unordered_multimap<int, EntityAt> sharedEntities;
    // The material of each entity that has one, and the entity's place in its list.
    std::unordered_map<int, std::pair<Object *, size_t>> materialOfEntity;
    // A condition's entities as a set, made when the condition is first extended.
    std::unordered_map<const Object *, std::unordered_set<int>> conditionEntities;
};

std::unordered_map<const Object *, Index> &indexes() {
    static auto *all = new std::unordered_map<const Object *, Index>();
    return *all;
}

void indexEntity(Index &index, Object *part, size_t at) {
    const int id = node(part).entities[at].id;
    if (!index.entities.emplace(id, EntityAt{part, at}).second) index.sharedEntities.emplace(id, EntityAt{part, at});
}

void indexChild(Index &index, Object *child) {
    const Node &held = node(child);
    if (held.kind == Kind::Part) {
        if (!held.tag.isEmpty()) index.partsByTag[held.tag].push_back(child);
        for (size_t i = 0; i < held.entities.size(); ++i) indexEntity(index, child, i);
        return;
    }
    if (held.kind == Kind::Material)
        for (size_t at = 0; at < held.entityIds.size(); ++at)
            index.materialOfEntity.emplace(held.entityIds[at], std::make_pair(child, at));
}

Index &indexOf(const Object *scenario) {
    auto &all = indexes();
    auto entry = all.find(scenario);
    if (entry == all.end()) {
        entry = all.emplace(scenario, Index()).first;
        // The index goes with its scenario, so that a scenario made later at
        // the same address never finds this one's parts.
        QObject::connect(const_cast<Object *>(scenario), &QObject::destroyed, [scenario] { indexes().erase(scenario); });
    }
    Index &index = entry->second;
    const Node &held = node(scenario);
    if (!index.built || index.revision != held.revision) {
        index = Index();
        for (Object *child : held.children) indexChild(index, child);
        index.built = true;
        index.revision = held.revision;
    }
    return index;
}

// Adopts a child into a scenario and keeps the scenario's index current.
void adoptIndexed(Object *scenario, Object *child) {
    Index &index = indexOf(scenario);
    adopt(scenario, child);
    index.revision = node(scenario).revision;
    indexChild(index, child);
}

void detachIndexed(Object *scenario, Object *child) {
    Index &index = indexOf(scenario);
    detach(child);
    index.revision = node(scenario).revision;
    const Node &held = node(child);
    if (held.kind == Kind::Material)
        for (int id : held.entityIds) {
            auto found = index.materialOfEntity.find(id);
            if (found != index.materialOfEntity.end() && found->second.first == child) index.materialOfEntity.erase(found);
        }
    index.conditionEntities.erase(child);
}

Object *partById(const Object *scenario, int id) { return partOfId(scenario, id); }

std::vector<Object *> partsNamed(const Object *scenario, const QString &name) {
    return childrenNamed(scenario, Kind::Part, name);
}

const EntityRecord *entityById(const Object *scenario, int id, Object **part = nullptr) {
    const Index &index = indexOf(scenario);
    auto found = index.entities.find(id);
    if (found == index.entities.end()) return nullptr;
    if (part) *part = found->second.part;
    return &node(found->second.part).entities[found->second.index];
}

// The model's own lookup, which follows renames.
Object *namedChild(const Object *scenario, Kind kind, const QString &name) { return childNamed(scenario, kind, name); }

std::vector<Object *> partsOf(const Object *scenario) { return childrenOf(scenario, Kind::Part); }

// Why these ids cannot be given to an operation on entities of this kind, or nothing.
QString entitiesRefusal(const Object *scenario, const std::vector<int> &ids, int kind) {
    if (kind < 0 || kind > 4)
        return QStringLiteral("%1 is no entity kind (0 point, 1 edge, 2 surface, 3 volume, 4 unknown)").arg(kind);
    if (ids.empty()) return QStringLiteral("no entity ids were given");
    for (int id : ids) {
        const EntityRecord *entity = entityById(scenario, id);
        if (!entity) return QStringLiteral("the scenario has no entity %1").arg(id);
        if (entity->kind != kind)
            return QStringLiteral("entity %1 is %2, not %3")
                .arg(id)
                .arg(QLatin1String(kKindsNamed[entity->kind]), QLatin1String(kKindsNamed[kind]));
    }
    return QString();
}

// Takes an entity from the material that has it. A material's entities are
// a set, kept as a list: the last takes the place of the one taken, so that
// moving entities between materials one at a time costs no shifting.
void takeEntity(Index &index, Object *material, int id, size_t at) {
    std::vector<int> &held = node(material).entityIds;
    if (at >= held.size() || held[at] != id) {
        // The list changed under the index: it is read again when next asked.
        held.erase(std::remove(held.begin(), held.end(), id), held.end());
        index.built = false;
        return;
    }
    held[at] = held.back();
    held.pop_back();
    if (at < held.size()) {
        auto moved = index.materialOfEntity.find(held[at]);
        if (moved != index.materialOfEntity.end() && moved->second.first == material) moved->second.second = at;
    }
}

// Gives the entities to the material, taking them from the materials that had them.
void giveEntities(Object *scenario, Object *material, const std::vector<int> &ids) {
    std::vector<int> &held = node(material).entityIds;
    for (int id : distinct(ids)) {
        Index &index = indexOf(scenario);
        auto found = index.materialOfEntity.find(id);
        if (found != index.materialOfEntity.end()) {
            if (found->second.first == material) continue;
            takeEntity(index, found->second.first, id, found->second.second);
            if (!index.built) {
                // Read again, the list may hold the entity after all.
                if (std::find(held.begin(), held.end(), id) != held.end()) continue;
            }
        }
        held.push_back(id);
        Index &current = indexOf(scenario);
        current.materialOfEntity[id] = {material, held.size() - 1};
    }
}

// Adds the entities that the condition does not hold yet.
void extendEntities(Object *scenario, Object *condition, const std::vector<int> &ids) {
    Index &index = indexOf(scenario);
    std::vector<int> &held = node(condition).entityIds;
    auto set = index.conditionEntities.find(condition);
    if (set == index.conditionEntities.end())
        set = index.conditionEntities.emplace(condition, std::unordered_set<int>(held.begin(), held.end())).first;
    for (int id : ids)
        if (set->second.insert(id).second) held.push_back(id);
}

// A copy of a script's condition or motion: its name and properties, never the object.
Object *copyCondition(Object *scenario, Kind kind, const Object *condition) {
    Object *kept = namedChild(scenario, kind, heldName(condition));
    if (!kept) {
        kept = makeObject(kind, heldName(condition));
        adoptIndexed(scenario, kept);
    }
    node(kept).properties = node(condition).properties;
    copyConditionState(condition, kept, scenario);
    return kept;
}

/* --- Selection ----------------------------------------------------------------- */

void replaceSelection(ScenarioSetup &setup, std::unordered_set<int> next) {
    setup.previousSelection = std::move(setup.selection);
    setup.selection = std::move(next);
    setup.previousIsChange = false;
    setup.previousAdded.clear();
    setup.previousRemoved.clear();
}

// Adds or takes out parts, keeping what changed as the way back.
void changeSelection(ScenarioSetup &setup, const std::vector<int> &ids, bool add) {
    std::vector<int> changed;
    for (int id : ids)
        if (add ? setup.selection.insert(id).second : setup.selection.erase(id) != 0) changed.push_back(id);
    setup.previousIsChange = true;
    setup.previousSelection.clear();
    setup.previousAdded = add ? std::move(changed) : std::vector<int>();
    setup.previousRemoved = add ? std::vector<int>() : std::move(changed);
}

void selectPrevious(ScenarioSetup &setup) {
    if (!setup.previousIsChange) {
        std::swap(setup.selection, setup.previousSelection);
        return;
    }
    for (int id : setup.previousAdded) setup.selection.erase(id);
    for (int id : setup.previousRemoved) setup.selection.insert(id);
    std::swap(setup.previousAdded, setup.previousRemoved);
}

std::unordered_set<int> previousSelection(const ScenarioSetup &setup) {
    if (!setup.previousIsChange) return setup.previousSelection;
    std::unordered_set<int> previous = setup.selection;
    for (int id : setup.previousAdded) previous.erase(id);
    previous.insert(setup.previousRemoved.begin(), setup.previousRemoved.end());
    return previous;
}

std::unordered_set<int> idsOf(const std::vector<Object *> &parts) {
    std::unordered_set<int> ids;
    for (Object *part : parts) ids.insert(node(part).id);
    return ids;
}

/* --- Objects the scenario hands out and keeps ---------------------------------- */

struct PartEntityHash {
    size_t operator()(const std::pair<const Object *, int> &key) const {
        return std::hash<const void *>()(key.first) ^ (std::hash<int>()(key.second) * 0x9e3779b97f4a7c15ull);
    }
};

// Host entities that lookups hand out: one per entity of a part, kept until
// the process ends, as the other model objects are.
script::Entity *entityObject(const Node &constPart, EntityRecord &record) {
    // Every entity handed out stays reachable until the process ends, even
    // once the record that found it again is gone.
    static auto *kept = new std::vector<script::Entity *>();
    Node &part = const_cast<Node &>(constPart);
    const size_t place = size_t(&record - part.entities.data());
    const bool inlined = place < size_t(Node::kInlineEntityIds);
    Node::InlineHanded &beside = part.inlineHanded;
    HandedOutEntity &handed = record.handedOut;
    script::Entity *&entity = inlined ? beside.at[place].entity : handed.entity;
    Node *&held = inlined ? beside.at[place].node : handed.node;
    if (inlined && beside.partId != part.id) {
        // The part's id changed since: every entity handed out for it follows.
        for (const Node::InlineHanded::Handed &made : beside.at)
            if (made.node) made.node->id = part.id;
        beside.partId = part.id;
    }
    if (!entity) {
        Quiet quiet;
        entity = new script::Entity();
        setHeldName(entity, record.name);
        kept->push_back(entity);
        // What the entity answers is read from its own copy of the record,
        // so that it never points into a part's entities. Records are made
        // whole and never changed in place, so the copy stays true; only the
        // part's id can change under it.
        held = &node(entity);
        held->entities.assign(1, record);
        held->id = part.id;
        if (inlined)
            beside.partId = part.id;
        else
            handed.partId = part.id;
    } else if (!inlined && handed.partId != part.id) {
        held->id = handed.partId = part.id;
    }
    // A script reads what it was handed at once: its node is then found without a search.
    noteNode(entity, held);
    return entity;
}

script::Results *resultsObject(const Object *scenario) {
    static auto *kept = new std::unordered_map<const Object *, script::Results *>();
    script::Results *&results = (*kept)[scenario];
    if (!results) results = new script::Results();
    return results;
}

// Results of a run that start() began and wait() has not taken yet.
std::unordered_map<const Object *, QJsonObject> &pendingRuns() {
    static auto *pending = new std::unordered_map<const Object *, QJsonObject>();
    return *pending;
}

/* --- The run's estimate (docs/standin-scenario.md) ---------------------------- */

const double kAirHeatCapacity = 1.2 * 1006.0;  // J/(m^3 K), air near room temperature
const double kFloorCoefficient = 2.0;          // W/(m^2 K), what leaves even without gravity or flow
const double kNaturalCoefficient = 5.0;        // W/(m^2 K), natural convection at 9.81 m/s^2
const double kOpeningArea = 0.01;              // m^2, through which an inflow enters
const double kDefaultArea = 1e-3;              // m^2, of a part without geometry
const double kDefaultLength = 0.05;            // m, of a part without geometry
const double kDefaultAmbient = 20.0;           // C

double metersPerUnit(int unit) {
    static const double kScale[] = {1.0, 0.01, 0.001, 1e-6, 1000.0, 0.0254, 0.3048, 0.9144, 1609.344};
    return unit >= 0 && unit < 9 ? kScale[unit] : 1.0;
}

bool numberProperty(const Node &held, const char *name, double *value) {
    for (const Property &property : held.properties) {
        if (property.name != QLatin1String(name)) continue;
        const int kind = variantKind(property.value);
        if (kind != script::Variant::Double && kind != script::Variant::Int) return false;
        *value = property.value.toDouble();
        return std::isfinite(*value);
    }
    return false;
}

bool firstNumber(const Node &held, std::initializer_list<const char *> names, double *value) {
    for (const char *name : names)
        if (numberProperty(held, name, value)) return true;
    return false;
}

struct Geometry {
    double area = kDefaultArea;
    double length = kDefaultLength;
};

Geometry geometryOf(const Box &box, double scale) {
    Geometry out;
    if (!box.valid) return out;
    const double e[3] = {(box.max[0] - box.min[0]) * scale, (box.max[1] - box.min[1]) * scale,
                         (box.max[2] - box.min[2]) * scale};
    const double area = 2.0 * (e[0] * e[1] + e[1] * e[2] + e[2] * e[0]);
    const double length = std::max({e[0], e[1], e[2]});
    if (area > 0.0 && std::isfinite(area)) out.area = area;
    if (length > 0.0 && std::isfinite(length)) out.length = length;
    return out;
}

double ambientOf(const Object *scenario) {
    double value;
    if (numberProperty(node(scenario), "Ambient temperature", &value)) return value;
    for (Object *condition : childrenOf(scenario, Kind::InitialCondition))
        if (numberProperty(node(condition), "Temperature", &value)) return value;
    return kDefaultAmbient;
}

double gravityOf(const ScenarioSetup &setup) {
    return std::sqrt(setup.gravity[0] * setup.gravity[0] + setup.gravity[1] * setup.gravity[1] +
                     setup.gravity[2] * setup.gravity[2]);
}

// The conductivity of a part's material: the one applied to the part, else that of its first entity that has one.
bool conductivityOf(const Object *scenario, const Object *part, double *k) {
    const ScenarioSetup &setup = setupOf(scenario);
    auto applied = setup.partMaterials.find(node(part).id);
    if (applied != setup.partMaterials.end()) {
        if (Object *material = namedChild(scenario, Kind::Material, applied->second))
            return numberProperty(node(material), "Conductivity", k) && *k > 0.0;
    }
    const Index &index = indexOf(scenario);
    for (const EntityRecord &entity : node(part).entities) {
        auto found = index.materialOfEntity.find(entity.id);
        if (found != index.materialOfEntity.end() && numberProperty(node(found->second.first), "Conductivity", k) &&
            *k > 0.0)
            return true;
    }
    return false;
}

/* Heat spreading: a heated part's heat conducts into the solid parts it
   touches, so that it leaves through their surfaces as well as its own. Which
   parts touch is known only from bounding boxes, so this is an estimate. */

const double kFinEfficiency = 0.5;   // how well a touching part's surface sheds the heat that spreads into it
const double kTouchMargin = 0.02;    // of the heated part's largest extent: boxes closer than this touch
const long kGridCellsPerAxis = 1L << 20;  // keeps cell coordinates within 21 bits each, so a key packs them
const double kMostCellsPerPart = 64.0;    // parts spanning more cells are kept in a short list checked directly

double largestExtent(const Box &box) {
    return std::max({box.max[0] - box.min[0], box.max[1] - box.min[1], box.max[2] - box.min[2]});
}

// Fluid volumes carry the heat away rather than spread it, and openings are no matter at all.
bool conducts(const Node &held) {
    return held.box.valid && held.tag != QLatin1String("fluid") && held.tag != QLatin1String("opening");
}

// The solid parts, in a uniform grid of cells about the size of a typical part,
// so that finding what touches a heated part looks only at the cells around it.
class TouchGrid {
public:
    explicit TouchGrid(const std::vector<Object *> &parts) : m_boxes(parts.size()), m_stamp(parts.size(), 0) {
        Box outer;
        std::vector<double> extents;
        std::vector<int> solid;
        for (size_t i = 0; i < parts.size(); ++i) {
            const Node &held = node(parts[i]);
            if (!conducts(held)) continue;
            solid.push_back(int(i));
            m_boxes[i] = held.box;  // kept here: the many box checks must not look the node up each time
            outer.include(held.box);
            const double extent = largestExtent(held.box);
            if (extent > 0.0 && std::isfinite(extent)) extents.push_back(extent);
        }
        if (!outer.valid) return;
        // The median part spans a cell or two; a far-flung part must not push cell coordinates past the key's bits.
        double cell = 1.0;
        if (!extents.empty()) {
            std::nth_element(extents.begin(), extents.begin() + extents.size() / 2, extents.end());
            cell = extents[extents.size() / 2];
        }
        const double span = largestExtent(outer);
        if (std::isfinite(span)) cell = std::max(cell, span / double(kGridCellsPerAxis - 1));
        if (!(cell > 0.0) || !std::isfinite(cell)) return;
        m_cell = cell;
        for (int axis = 0; axis < 3; ++axis) m_origin[axis] = outer.min[axis];
        for (int i : solid) {
            long lo[3], hi[3];
            const double count = range(m_boxes[i], 0.0, lo, hi);
            if (count > kMostCellsPerPart) {
                m_large.push_back(i);
                continue;
            }
            m_gridded.push_back(i);
            for (long x = lo[0]; x <= hi[0]; ++x)
                for (long y = lo[1]; y <= hi[1]; ++y)
                    for (long z = lo[2]; z <= hi[2]; ++z) m_cells[key(x, y, z)].push_back(i);
        }
    }

    // The solid parts, by index in model order, whose boxes touch or overlap the
    // part's box, leaving out those whose box wholly holds it: a box around the
    // heated part is the room it stands in, not a part it sits on.
    std::vector<int> touching(size_t heated) {
        std::vector<int> found;
        if (!(m_cell > 0.0) || !m_boxes[heated].valid) return found;  // no grid, or a part heat does not spread from
        const Box &box = m_boxes[heated];
        const double margin = kTouchMargin * largestExtent(box);
        ++m_round;
        m_stamp[heated] = m_round;
        auto consider = [&](int other) {
            if (m_stamp[other] == m_round) return;
            m_stamp[other] = m_round;
            const Box &near = m_boxes[other];
            if (touches(box, near, margin) && !holds(near, box)) found.push_back(other);
        };
        long lo[3], hi[3];
        const double count = range(box, margin, lo, hi);
        if (count <= double(m_gridded.size())) {
            for (long x = lo[0]; x <= hi[0]; ++x)
                for (long y = lo[1]; y <= hi[1]; ++y)
                    for (long z = lo[2]; z <= hi[2]; ++z) {
                        auto cell = m_cells.find(key(x, y, z));
                        if (cell != m_cells.end())
                            for (int other : cell->second) consider(other);
                    }
        } else {
            // A heated part spanning more cells than the grid holds parts reaches
            // much of the model anyway: checking those parts is the cheaper walk.
            for (int other : m_gridded) consider(other);
        }
        for (int other : m_large) consider(other);
        // Cells come in hash order; the sums over the found parts must not depend on it.
        std::sort(found.begin(), found.end());
        return found;
    }

private:
    static unsigned long long key(long x, long y, long z) {
        return (static_cast<unsigned long long>(x) << 42) | (static_cast<unsigned long long>(y) << 21) |
               static_cast<unsigned long long>(z);
    }

    static bool touches(const Box &a, const Box &b, double margin) {
        for (int axis = 0; axis < 3; ++axis)
            if (a.min[axis] - margin > b.max[axis] || b.min[axis] > a.max[axis] + margin) return false;
        return true;
    }

    static bool holds(const Box &outer, const Box &inner) {
        for (int axis = 0; axis < 3; ++axis)
            if (outer.min[axis] > inner.min[axis] || outer.max[axis] < inner.max[axis]) return false;
        return true;
    }

    long cellOf(double value, int axis) const {
        const double at = std::floor((value - m_origin[axis]) / m_cell);
        if (!(at > 0.0)) return 0;  // also a NaN
        return at >= double(kGridCellsPerAxis - 1) ? kGridCellsPerAxis - 1 : long(at);
    }

    // The cells that the box, grown by the margin, spans on each axis, and how many they are.
    double range(const Box &box, double margin, long lo[3], long hi[3]) const {
        double count = 1.0;
        for (int axis = 0; axis < 3; ++axis) {
            lo[axis] = cellOf(box.min[axis] - margin, axis);
            hi[axis] = cellOf(box.max[axis] + margin, axis);
            count *= double(hi[axis] - lo[axis] + 1);
        }
        return count;
    }

    std::vector<Box> m_boxes;  // of the solid parts, by index; the others' stay invalid
    double m_origin[3] = {0, 0, 0};
    double m_cell = 0.0;
    std::unordered_map<unsigned long long, std::vector<int>> m_cells;
    std::vector<int> m_gridded;  // the parts in the cells
    std::vector<int> m_large;
    std::vector<unsigned> m_stamp;
    unsigned m_round = 0;
};

// The estimate that a run gives, or why there is none.
bool estimate(const Object *scenario, QJsonObject *results, QString *why) {
    const ScenarioSetup &setup = setupOf(scenario);
    const std::vector<Object *> all = partsOf(scenario);
    std::vector<Object *> parts;
    for (Object *part : all)
        if (!setup.suppressed.count(node(part).id)) parts.push_back(part);
    if (all.empty()) {
        *why = QStringLiteral("the scenario has no parts");
        return false;
    }
    if (parts.empty()) {
        *why = QStringLiteral("every part is suppressed");
        return false;
    }
    const double scale = metersPerUnit(studyState().lengthUnit);
    const double ambient = ambientOf(scenario);
    const Index &index = indexOf(scenario);

    // Heat sources and inflows, from the boundary conditions.
    std::unordered_map<const Object *, double> power;
    double totalPower = 0.0, flow = 0.0, inflowHeat = 0.0;
    for (Object *condition : childrenOf(scenario, Kind::BoundaryCondition)) {
        const Node &held = node(condition);
        double watts = 0.0, rate = 0.0, temperature = ambient, flux = 0.0;
        const bool heats = firstNumber(held, {"Power", "Total heat"}, &watts) && watts != 0.0;
        // A heat flux heats each part that it is on over the part's whole surface.
        const bool fluxes = !heats && numberProperty(held, "Heat flux", &flux) && flux != 0.0;
        // A fan delivers what its curve gives against the model's resistance
        // (standin/conditions.cpp); an inlet velocity enters through the opening.
        bool blows = fanFlow(condition, &rate) ? rate > 0.0
                                               : firstNumber(held, {"Volume flow", "Flow rate"}, &rate) && rate > 0.0;
        if (!blows && numberProperty(held, "Velocity", &rate) && rate > 0.0) {
            rate *= kOpeningArea;
            blows = true;
        }
        if (!heats && !fluxes && !blows) continue;
        std::vector<const Object *> targets;
        std::unordered_set<const Object *> seen;
        for (int id : held.entityIds) {
            auto found = index.entities.find(id);
            if (found == index.entities.end()) continue;
            const Object *part = found->second.part;
            if (!setup.suppressed.count(node(part).id) && seen.insert(part).second) targets.push_back(part);
        }
        if (targets.empty()) continue;
        // A time curve scales the heat by the factor that the run settles at.
        const double factor = timeCurveFactor(condition);
        if (heats) {
            for (const Object *part : targets) power[part] += factor * watts / double(targets.size());
            totalPower += factor * watts;
        }
        if (fluxes) {
            for (const Object *part : targets) {
                const double partWatts = factor * flux * geometryOf(node(part).box, scale).area;
                power[part] += partWatts;
                totalPower += partWatts;
            }
        }
        if (blows) {
            numberProperty(held, "Temperature", &temperature);
            flow += rate;
            inflowHeat += rate * temperature;
        }
    }
    // The sun's heat on the model's outer box (standin/solar.cpp), 0.0 while
    // solar heating is off; the sun alone may heat a model.
    Box sunlit;
    for (Object *part : parts) sunlit.include(node(part).box);
    const double sun = solarHeatGain(setup.solar, sunlit, scale);
    if (!(totalPower > 0.0) && !(sun > 0.0)) {
        *why = QStringLiteral("nothing heats the model: no boundary condition on a part that is not suppressed gives a power");
        return false;
    }

    // The air: heat leaves with the inflow and through the model's outer surface.
    Box outer;
    double partsArea = 0.0;
    for (Object *part : parts) {
        outer.include(node(part).box);
        partsArea += geometryOf(node(part).box, scale).area;
    }
    const Geometry model = outer.valid ? geometryOf(outer, scale) : Geometry{partsArea, 0.1};
    const double g = gravityOf(setup);
    const double natural = kNaturalCoefficient * std::cbrt(g / 9.81);
    const double inletTemperature = flow > 0.0 ? inflowHeat / flow : ambient;
    const double carried = kAirHeatCapacity * flow;
    const double lost = (kFloorCoefficient + natural) * model.area;
    const double reference = (carried * inletTemperature + lost * ambient) / (carried + lost);
    const double air = reference + (totalPower + sun) / (carried + lost);
    const double forcedVelocity = flow / kOpeningArea;
    const double rise = std::max(air - ambient, 0.0);
    const double buoyantVelocity = std::sqrt(g * rise * model.length / (air + 273.15));
    const double velocity = std::hypot(forcedVelocity, buoyantVelocity);

    // Each heated part's heat leaves through the cluster of it and the solid
    // parts it touches: its own surface fully, theirs at the fin efficiency.
    // Rises and fluxes add up over the heated parts, in model order.
    std::vector<Geometry> shapes(parts.size());
    std::vector<double> watts(parts.size(), 0.0), surfaceRise(parts.size(), 0.0), shed(parts.size(), 0.0);
    for (size_t i = 0; i < parts.size(); ++i) {
        shapes[i] = geometryOf(node(parts[i]).box, scale);
        auto found = power.find(parts[i]);
        if (found != power.end()) watts[i] = found->second;
    }
    bool spreads = false;
    for (size_t i = 0; i < parts.size() && !spreads; ++i) spreads = watts[i] != 0.0 && conducts(node(parts[i]));
    const std::vector<Object *> none;
    TouchGrid grid(spreads ? parts : none);  // built only when some heat can spread
    for (size_t i = 0; i < parts.size(); ++i) {
        if (watts[i] == 0.0) continue;
        const std::vector<int> touched = grid.touching(i);
        double area = shapes[i].area;
        for (int other : touched) area += kFinEfficiency * shapes[other].area;
        const double coefficient = kFloorCoefficient + natural + 3.9 * std::sqrt(velocity / shapes[i].length);
        surfaceRise[i] += watts[i] / (coefficient * area);
        shed[i] += watts[i] / area;
        for (int other : touched) {
            surfaceRise[other] += kFinEfficiency * watts[i] / (coefficient * area);
            shed[other] += kFinEfficiency * watts[i] / area;
        }
    }

    QJsonObject temperature, maximum, flux, speed;
    for (size_t i = 0; i < parts.size(); ++i) {
        Object *part = parts[i];
        const double surface = air + surfaceRise[i];
        double k = 0.0;
        const double inner =
            watts[i] != 0.0 && conductivityOf(scenario, part, &k) ? watts[i] * shapes[i].length / (k * shapes[i].area) : 0.0;
        const QString name = part->objectName();
        temperature.insert(name, surface);
        maximum.insert(name, surface + std::max(inner, 0.0));
        flux.insert(name, shed[i]);
        speed.insert(name, velocity);
    }
    *results = QJsonObject{{"Temperature", temperature},
                           {"Maximum temperature", maximum},
                           {"Heat flux", flux},
                           {"Velocity", speed}};
    return true;
}

// Courant number 1 at the finest size the settings give and the flow's speed.
double timeStepOf(const Object *scenario) {
    const ScenarioSetup &setup = setupOf(scenario);
    const double scale = metersPerUnit(studyState().lengthUnit);
    Box outer;
    for (Object *part : partsOf(scenario)) outer.include(node(part).box);
    const double length = outer.valid ? geometryOf(outer, scale).length : 0.1;
    double size = length / 20.0;
    if (setup.maxLengthScale > 0.0) size = setup.maxLengthScale * scale;
    if (setup.modelMeshSize > 0.0) size = std::min(size, setup.modelMeshSize * scale);
    double flow = 0.0;
    for (Object *condition : childrenOf(scenario, Kind::BoundaryCondition)) {
        double rate;
        // A fan's flow replaces the condition's volume flow, as in the estimate.
        if (fanFlow(condition, &rate) ? rate > 0.0 : firstNumber(node(condition), {"Volume flow", "Flow rate"}, &rate) && rate > 0.0)
            flow += rate;
    }
    // Without an inflow, the speed of air rising 10 K above its surroundings.
    const double velocity = flow > 0.0 ? flow / kOpeningArea : std::sqrt(gravityOf(setup) * 10.0 * length / 300.0);
    return size / std::max(velocity, 0.01);
}

/* --- Names ----------------------------------------------------------------------- */

QString scenarioNameRefusal(const Object *scenario, const QString &name) {
    QString why = emptyNameRefusal(name);
    if (!why.isEmpty()) return why;
    const Object *design = node(scenario).parent;
    if (!design) return QString();
    Object *same = childNamed(design, Kind::Scenario, name);
    if (same && same != scenario) return QStringLiteral("the name \"%1\" is taken").arg(name);
    return QString();
}

QString childNameRefusal(const Object *scenario, Kind kind, const QString &name, const char *what) {
    QString why = emptyNameRefusal(name);
    if (!why.isEmpty()) return why;
    if (namedChild(scenario, kind, name))
        return QStringLiteral("the scenario has a %1 named \"%2\"").arg(QLatin1String(what), name);
    return QString();
}

QString noSelection(const ScenarioSetup &setup) {
    return setup.selection.empty() ? QStringLiteral("no part is selected") : QString();
}

Object *materialNamed(const Object *scenario, const QString &name) { return namedChild(scenario, Kind::Material, name); }

QString typeOf(const Object *material, const char *property) {
    const Property *found = node(material).findProperty(QLatin1String(property));
    return found && variantKind(found->value) == script::Variant::String ? found->value.toString() : QString();
}

}  // namespace

// The ids in their first order, each once.
std::vector<int> distinct(const std::vector<int> &ids) {
    std::unordered_set<int> seen;
    std::vector<int> out;
    for (int id : ids)
        if (seen.insert(id).second) out.push_back(id);
    return out;
}

}  // namespace standin

namespace script {

using standin::Call;
using standin::Changes;
using standin::Kind;
using standin::Quiet;
using standin::Reads;

/* --- Identity ------------------------------------------------------------------- */

QObject *Analysis::clone(const QString &name) {
    Call call("Analysis", "clone", Changes);
    call.arg(name);
    if (standin::answer(this, "clone")) return nullptr;
    // A scenario of no design gives a copy of no design.
    Object *design = standin::node(this).parent;
    QString why = standin::emptyNameRefusal(name);
    if (why.isEmpty() && design && standin::childNamed(design, Kind::Scenario, name))
        why = QStringLiteral("the name \"%1\" is taken").arg(name);
    if (!why.isEmpty()) {
        call.failed(why);
        return nullptr;
    }
    Quiet quiet;
    // A scenario that steering made belongs to no design and is of no kind
    // in the model, but its copy must still be made as a scenario.
    Object *copy = standin::makeObject(Kind::Scenario, name);
    standin::Node held = standin::node(this);
    held.kind = Kind::Scenario;
    held.parent = nullptr;
    held.children.clear();
    // A copy of the set-up: the results were the original's run.
    held.results = QJsonObject();
    if (held.setup.get()) held.setup.make().meshed = false;
    standin::node(copy) = std::move(held);
    for (Object *child : standin::node(this).children) standin::adopt(copy, standin::deepCopy(child, child->objectName()));
    if (design) standin::adopt(design, copy);
    return copy;
}

std::string Analysis::getName() const {
    Call("Analysis", "getName", Reads);
    return objectName().toStdString();
}

QString Analysis::name() const {
    Call("Analysis", "name", Reads);
    return objectName();
}

std::wstring Analysis::name_w() const {
    Call("Analysis", "name_w", Reads);
    return objectName().toStdWString();
}

void Analysis::setName(const QString &name) {
    Call call("Analysis", "setName", Changes);
    call.arg(name);
    const QString why = standin::scenarioNameRefusal(this, name);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::setHeldName(this, name);
}

QString Analysis::path() const {
    Call("Analysis", "path", Reads);
    const QString &studyPath = standin::studyState().path;
    const Object *design = standin::node(this).parent;
    if (studyPath.isEmpty() || !design || standin::node(design).kind != Kind::Design ||
        standin::node(design).parent != &standin::study())
        return QStringLiteral("");
    const QFileInfo info(studyPath);
    return info.dir().filePath(info.completeBaseName()) + QLatin1Char('/') + design->objectName() + QLatin1Char('/') +
           objectName();
}

std::wstring Analysis::path_w() const {
    Call("Analysis", "path_w", Reads);
    Quiet quiet;
    return path().toStdWString();
}

void Analysis::activate() {
    Call call("Analysis", "activate", Changes);
    if (standin::ancestor(this, Kind::Study) != &standin::study()) {
        call.failed(QStringLiteral("the scenario belongs to no study"));
        return;
    }
    standin::studyState().active = this;
}

/* --- Contents and lookup -------------------------------------------------------- */

void Analysis::parts(std::vector<Part *> &parts) {
    Call("Analysis", "parts", Reads).arg(int(parts.size()));
    Quiet quiet;
    parts.clear();
    for (Object *part : standin::partsOf(this)) parts.push_back(static_cast<Part *>(part));
}

Part *Analysis::partByNameAndId(const QString &name, int id) {
    Call("Analysis", "partByNameAndId", Reads).arg(name).arg(id);
    if (standin::answer(this, "partByNameAndId")) return nullptr;
    return static_cast<Part *>(standin::partByNameAndId(this, name, id));
}

Results *Analysis::results() {
    Call("Analysis", "results", Reads);
    if (standin::answer(this, "results")) return nullptr;
    return standin::node(this).results.isEmpty() ? nullptr : standin::resultsObject(this);
}

Material *Analysis::materialOfType(const char *type, const char *subtype) {
    Call call("Analysis", "materialOfType", Reads);
    call.arg(type).arg(subtype);
    if (standin::answer(this, "materialOfType")) return nullptr;
    if (!type) {
        call.failed(QStringLiteral("no type was given"));
        return nullptr;
    }
    const QString wanted = QString::fromUtf8(type);
    const QString wantedSub = subtype ? QString::fromUtf8(subtype) : QString();
    for (Object *material : standin::childrenOf(this, Kind::Material)) {
        if (standin::typeOf(material, "Type") != wanted) continue;
        if (wantedSub.isEmpty() || standin::typeOf(material, "Subtype") == wantedSub) return static_cast<Material *>(material);
    }
    return nullptr;
}

Material *Analysis::getMaterial(const QString &name) {
    Call("Analysis", "getMaterial", Reads).arg(name);
    if (standin::answer(this, "getMaterial")) return nullptr;
    return static_cast<Material *>(standin::materialNamed(this, name));
}

void Analysis::materials(std::vector<Material *> &materials) {
    Call("Analysis", "materials", Reads).arg(int(materials.size()));
    Quiet quiet;
    materials.clear();
    for (Object *material : standin::childrenOf(this, Kind::Material)) materials.push_back(static_cast<Material *>(material));
}

void Analysis::bcs(std::vector<BoundaryCondition> &conditions) {
    Call("Analysis", "bcs", Reads).arg(int(conditions.size()));
    Quiet quiet;
    conditions.clear();
    for (Object *condition : standin::childrenOf(this, Kind::BoundaryCondition)) {
        conditions.push_back(*static_cast<BoundaryCondition *>(condition));
        standin::listedFrom(&conditions.back(), this);
    }
}

void Analysis::ics(std::vector<InitialCondition> &conditions) {
    Call("Analysis", "ics", Reads).arg(int(conditions.size()));
    Quiet quiet;
    conditions.clear();
    for (Object *condition : standin::childrenOf(this, Kind::InitialCondition)) {
        conditions.push_back(*static_cast<InitialCondition *>(condition));
        standin::listedFrom(&conditions.back(), this);
    }
}

QObject *Analysis::entity(const QString &partName, int id) {
    Call("Analysis", "entity", Reads).arg(partName).arg(id);
    if (standin::answer(this, "entity")) return nullptr;
    standin::Node *held = nullptr;
    if (Entity *handed = standin::handedEntity(this, partName, id, &held)) {
        standin::noteNode(handed, held);
        return handed;
    }
    Object *partObject = nullptr;
    const standin::Node *part = nullptr;
    standin::EntityRecord *record = standin::entityOf(this, partName, id, &partObject, &part);
    if (!record) return nullptr;
    Entity *entity = standin::entityObject(*part, *record);
    standin::rememberHandedEntity(this, partObject, id, entity, &standin::node(entity));
    return entity;
}

QObject *Analysis::group(const QString &name) {
    Call("Analysis", "group", Reads).arg(name);
    if (standin::answer(this, "group")) return nullptr;
    return standin::namedChild(this, Kind::Group, name);
}

namespace {
Group *groupIn(Call &call, Analysis *scenario, const QString &name, const QString &parent,
                 const std::vector<Object *> *members) {
    QString why = standin::childNameRefusal(scenario, Kind::Group, name, "group");
    if (why.isEmpty() && !parent.isEmpty() && !standin::namedChild(scenario, Kind::Group, parent))
        why = QStringLiteral("the scenario has no group named \"%1\"").arg(parent);
    if (!why.isEmpty()) {
        call.failed(why);
        return nullptr;
    }
    Quiet quiet;
    standin::ScenarioSetup &setup = standin::setupFor(scenario);
    standin::GroupSetup held;
    held.parent = parent;
    held.parts = members ? standin::sorted(standin::idsOf(*members)) : standin::sorted(setup.selection);
    Object *group = standin::makeObject(Kind::Group, name);
    // The group holds its parts' entities, which its own operations then add to and take from.
    std::vector<int> &entities = standin::node(group).entityIds;
    for (int id : held.parts)
        if (Object *part = standin::partById(scenario, id))
            for (const standin::EntityRecord &entity : standin::node(part).entities) entities.push_back(entity.id);
    entities = standin::distinct(entities);
    standin::adoptIndexed(scenario, group);
    setup.groups[name] = std::move(held);
    return static_cast<Group *>(group);
}
}  // namespace

Group *Analysis::createGroup(const std::wstring &name) {
    Call call("Analysis", "createGroup", Changes);
    call.arg(QString::fromStdWString(name));
    if (standin::answer(this, "createGroup")) return nullptr;
    return groupIn(call, this, QString::fromStdWString(name), QString(), nullptr);
}

Group *Analysis::createGroup(const std::wstring &name, const QString &parentName, const QString &attribute) {
    Call call("Analysis", "createGroup", Changes);
    call.arg(QString::fromStdWString(name)).arg(parentName).arg(attribute);
    if (standin::answer(this, "createGroup")) return nullptr;
    if (attribute.isEmpty()) return groupIn(call, this, QString::fromStdWString(name), parentName, nullptr);
    const standin::Index &index = standin::indexOf(this);
    auto tagged = index.partsByTag.find(attribute);
    static const std::vector<Object *> none;
    return groupIn(call, this, QString::fromStdWString(name), parentName,
                     tagged == index.partsByTag.end() ? &none : &tagged->second);
}

void Analysis::deleteGroup(const std::wstring &name) {
    Call call("Analysis", "deleteGroup", Changes);
    const QString groupName = QString::fromStdWString(name);
    call.arg(groupName);
    Object *group = standin::namedChild(this, Kind::Group, groupName);
    if (!group) {
        call.failed(QStringLiteral("the scenario has no group named \"%1\"").arg(groupName));
        return;
    }
    Quiet quiet;
    standin::detachIndexed(this, group);
    standin::ScenarioSetup &setup = standin::setupFor(this);
    // The groups inside it move up to where it stood.
    const QString parent = setup.groups.count(groupName) ? setup.groups[groupName].parent : QString();
    setup.groups.erase(groupName);
    for (auto &entry : setup.groups)
        if (entry.second.parent == groupName) entry.second.parent = parent;
}

MaterialEnv Analysis::materialEnv() const {
    Call("Analysis", "materialEnv", Reads);
    Quiet quiet;
    MaterialEnv env;
    standin::Node &held = standin::node(&env);
    held.properties.push_back({QStringLiteral("Ambient temperature"), QVariant(standin::ambientOf(this))});
    held.properties.push_back({QStringLiteral("Ambient pressure"), QVariant(101325.0)});
    held.properties.push_back({QStringLiteral("Relative humidity"), QVariant(standin::setupOf(this).comfort[1])});
    return env;
}

/* --- Assignments and settings transfer ---------------------------------------- */

void Analysis::applyMaterial(const std::wstring &name, const std::wstring &partName) {
    Call call("Analysis", "applyMaterial", Changes);
    const QString material = QString::fromStdWString(name), part = QString::fromStdWString(partName);
    call.arg(material).arg(part);
    QString why;
    std::unordered_set<int> targets;
    if (!standin::materialNamed(this, material)) {
        why = QStringLiteral("the scenario's database has no material named \"%1\"").arg(material);
    } else if (part.isEmpty()) {
        why = standin::noSelection(standin::setupOf(this));
        targets = standin::setupOf(this).selection;
    } else {
        targets = standin::idsOf(standin::partsNamed(this, part));
        if (targets.empty()) why = QStringLiteral("the scenario has no part named \"%1\"").arg(part);
    }
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::ScenarioSetup &setup = standin::setupFor(this);
    for (int id : targets) setup.partMaterials[id] = material;
}

void Analysis::applyMaterial(Material *material, std::vector<int> &entityIds, const Entity::Type &kind) {
    Call call("Analysis", "applyMaterial", Changes);
    call.arg(material).arg(entityIds).arg(standin::kindNumber(kind));
    QString why;
    if (!material)
        why = QStringLiteral("no material was given");
    else
        why = standin::materialRefusal(this, material);
    if (why.isEmpty()) why = standin::entitiesRefusal(this, entityIds, standin::kindNumber(kind));
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    // A script's own material is applied as the database's copy of it (standin/materials.h).
    standin::giveEntities(this, standin::databaseMaterialFor(this, material), entityIds);
}

void Analysis::applyMaterial(const QString &name, std::vector<int> &entityIds, const Entity::Type &kind,
                             const QString &type) {
    Call call("Analysis", "applyMaterial", Changes);
    call.arg(name).arg(entityIds).arg(standin::kindNumber(kind)).arg(type);
    Object *held = standin::materialNamed(this, name);
    if (held && !type.isEmpty() && standin::typeOf(held, "Type") != type) held = nullptr;
    QString why;
    if (!held)
        why = type.isEmpty() ? QStringLiteral("the scenario's database has no material named \"%1\"").arg(name)
                             : QStringLiteral("the scenario's database has no material named \"%1\" of type \"%2\"").arg(name, type);
    else
        why = standin::entitiesRefusal(this, entityIds, standin::kindNumber(kind));
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::giveEntities(this, held, entityIds);
}

void Analysis::applyTECMaterial(Material *material, int coldSideId, int hotSideId) {
    Call call("Analysis", "applyTECMaterial", Changes);
    call.arg(material).arg(coldSideId).arg(hotSideId);
    QString why;
    if (!material)
        why = QStringLiteral("no material was given");
    else if (!standin::materialNamed(this, material->objectName()))
        why = QStringLiteral("the material \"%1\" is not in the scenario's database").arg(material->objectName());
    else if (coldSideId == hotSideId)
        why = QStringLiteral("the cold and hot sides must be different entities");
    else if (!standin::entityById(this, coldSideId))
        why = QStringLiteral("the scenario has no entity %1").arg(coldSideId);
    else if (!standin::entityById(this, hotSideId))
        why = QStringLiteral("the scenario has no entity %1").arg(hotSideId);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    auto &tecs = standin::setupFor(this).tecMaterials;
    for (standin::TecMaterial &tec : tecs)
        if (tec.coldSide == coldSideId && tec.hotSide == hotSideId) {
            tec.material = material->objectName();
            return;
        }
    tecs.push_back({material->objectName(), coldSideId, hotSideId});
}

void Analysis::applyBoundaryCondition(BoundaryCondition *condition, std::vector<int> &entityIds, const Entity::Type &kind) {
    Call call("Analysis", "applyBoundaryCondition", Changes);
    call.arg(condition).arg(entityIds).arg(standin::kindNumber(kind));
    QString why;
    if (!condition)
        why = QStringLiteral("no condition was given");
    else if (standin::heldName(condition).trimmed().isEmpty())
        why = QStringLiteral("a condition needs a name");
    else
        why = standin::entitiesRefusal(this, entityIds, standin::kindNumber(kind));
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    Quiet quiet;
    Object *kept = standin::copyCondition(this, Kind::BoundaryCondition, condition);
    standin::extendEntities(this, kept, entityIds);
}

void Analysis::applyInitialCondition(InitialCondition *condition) {
    Call call("Analysis", "applyInitialCondition", Changes);
    call.arg(condition);
    QString why;
    if (!condition)
        why = QStringLiteral("no condition was given");
    else if (standin::heldName(condition).trimmed().isEmpty())
        why = QStringLiteral("a condition needs a name");
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    Quiet quiet;
    standin::copyCondition(this, Kind::InitialCondition, condition);
}

void Analysis::applyMeshSize(double size) {
    Call call("Analysis", "applyMeshSize", Changes);
    call.arg(size);
    const QString why = standin::positiveRefusal("a mesh size", size);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::ScenarioSetup &setup = standin::setupFor(this);
    if (setup.selection.empty())
        setup.modelMeshSize = size;
    else
        for (int id : setup.selection) setup.partMeshSizes[id] = size;
}

void Analysis::applyMotion(Motion *motion) {
    Call call("Analysis", "applyMotion", Changes);
    call.arg(motion);
    QString why;
    if (!motion)
        why = QStringLiteral("no motion was given");
    else if (standin::heldName(motion).trimmed().isEmpty())
        why = QStringLiteral("a motion needs a name");
    else
        why = standin::noSelection(standin::setupOf(this));
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::ScenarioSetup &setup = standin::setupFor(this);
    standin::MotionSetup copy{standin::heldName(motion), standin::node(motion).properties, standin::sorted(setup.selection), nullptr};
    if (standin::hasSettings(motion)) copy.settings = standin::copySettings(*standin::node(motion).settings);
    copy.motion = standin::motionSettingsIn(motion, this);
    copy.components = standin::motionComponentsIn(motion, this);
    for (standin::MotionSetup &held : setup.motions)
        if (held.name == copy.name) {
            held = std::move(copy);
            return;
        }
    setup.motions.push_back(std::move(copy));
}

void Analysis::importSettingsFrom(Analysis *other) {
    Call call("Analysis", "importSettingsFrom", Changes);
    call.arg(other);
    QString why;
    if (!other)
        why = QStringLiteral("no scenario was given");
    else if (other == this)
        why = QStringLiteral("a scenario cannot import its own settings");
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    Quiet quiet;
    const standin::ScenarioSetup &theirs = standin::setupOf(other);
    standin::ScenarioSetup &ours = standin::setupFor(this);
    standin::Node &held = standin::node(this);
    const standin::Node &from = standin::node(other);

    // The scenario's own properties, the flags and quantities.
    for (const standin::Property &property : from.properties) {
        if (standin::Property *same = held.findProperty(property.name))
            same->value = property.value;
        else
            held.properties.push_back(property);
    }
    held.flags = from.flags;
    ours.flagValues = theirs.flagValues;
    held.resultQuantities = from.resultQuantities;

    // Their parts' ids, by name, become ours of the same name.
    auto oursNamed = [this, other](int theirId) -> std::vector<int> {
        Object *part = standin::partById(other, theirId);
        std::vector<int> ids;
        if (part)
            for (Object *same : standin::partsNamed(this, part->objectName())) ids.push_back(standin::node(same).id);
        return ids;
    };
    auto existing = [this](const std::vector<int> &ids) {
        std::vector<int> kept;
        for (int id : ids)
            if (standin::entityById(this, id)) kept.push_back(id);
        return kept;
    };

    // The material database, and where its materials are applied.
    for (Object *material : standin::childrenOf(other, Kind::Material)) {
        Object *same = standin::materialNamed(this, material->objectName());
        if (!same) {
            same = standin::makeObject(Kind::Material, material->objectName());
            standin::adoptIndexed(this, same);
        }
        standin::node(same).properties = standin::node(material).properties;
        // Copies of their own, so that changing either scenario's leaves the other's as it was.
        const std::shared_ptr<standin::Settings> &theirSettings = standin::node(material).settings;
        standin::node(same).settings = theirSettings ? standin::copySettings(*theirSettings) : nullptr;
        const std::vector<int> ids = existing(standin::node(material).entityIds);
        if (!ids.empty()) standin::giveEntities(this, same, ids);
    }
    for (const auto &entry : theirs.partMaterials)
        for (int id : oursNamed(entry.first)) ours.partMaterials[id] = entry.second;
    for (const standin::TecMaterial &tec : theirs.tecMaterials)
        if (standin::entityById(this, tec.coldSide) && standin::entityById(this, tec.hotSide)) {
            auto same = std::find_if(ours.tecMaterials.begin(), ours.tecMaterials.end(), [&tec](const standin::TecMaterial &t) {
                return t.coldSide == tec.coldSide && t.hotSide == tec.hotSide;
            });
            if (same == ours.tecMaterials.end())
                ours.tecMaterials.push_back(tec);
            else
                same->material = tec.material;
        }

    // Their conditions replace ours.
    for (Kind kind : {Kind::BoundaryCondition, Kind::InitialCondition}) {
        for (Object *condition : standin::childrenOf(this, kind)) standin::detachIndexed(this, condition);
        for (Object *condition : standin::childrenOf(other, kind)) {
            Object *copy = standin::makeObject(kind, standin::heldName(condition));
            standin::node(copy).properties = standin::node(condition).properties;
            standin::node(copy).entityIds = existing(standin::node(condition).entityIds);
            standin::adoptIndexed(this, copy);
        }
    }
    ours.motions.clear();
    for (const standin::MotionSetup &motion : theirs.motions) {
        standin::MotionSetup copy{motion.name, motion.properties, {}, motion.settings, motion.motion, motion.components};
        std::unordered_set<int> parts;
        for (int id : motion.parts)
            for (int same : oursNamed(id)) parts.insert(same);
        copy.parts = standin::sorted(parts);
        ours.motions.push_back(std::move(copy));
    }

    // Mesh settings: the mesh's own properties and regions, and the sizes.
    Object *mesh = nullptr;
    for (Object *candidate : standin::childrenOf(this, Kind::Mesh)) mesh = mesh ? mesh : candidate;
    for (Object *theirMesh : standin::childrenOf(other, Kind::Mesh)) {
        if (!mesh) {
            mesh = standin::makeObject(Kind::Mesh, QStringLiteral("Mesh"));
            standin::adopt(this, mesh);
        }
        standin::node(mesh).properties = standin::node(theirMesh).properties;
        for (Object *region : standin::childrenOf(mesh, Kind::MeshRegion)) standin::detach(region);
        for (Object *region : standin::childrenOf(theirMesh, Kind::MeshRegion))
            standin::adopt(mesh, standin::deepCopy(region, region->objectName()));
        standin::copyMeshSettings(theirMesh, mesh);
        break;
    }
    ours.modelMeshSize = theirs.modelMeshSize;
    ours.partMeshSizes.clear();
    for (const auto &entry : theirs.partMeshSizes)
        for (int id : oursNamed(entry.first)) ours.partMeshSizes[id] = entry.second;
    ours.maxLengthScale = theirs.maxLengthScale;
    ours.sizing = theirs.sizing;
    ours.sizeFactor = theirs.sizeFactor;
    ours.refineSmall = theirs.refineSmall;
    ours.coarsenLarge = theirs.coarsenLarge;
    ours.tetsInEnhancementLayers = theirs.tetsInEnhancementLayers;
    ours.extrusionMode = theirs.extrusionMode;
    ours.extrusionGrowth = theirs.extrusionGrowth;
    ours.extrusionDirection = theirs.extrusionDirection;
    ours.extrusionLayers = theirs.extrusionLayers;
    ours.extrusionEndLayering = theirs.extrusionEndLayering;

    // Solver and post-processing settings.
    std::copy(theirs.gravity, theirs.gravity + 3, ours.gravity);
    ours.resultsSave = theirs.resultsSave;
    ours.summarySave = theirs.summarySave;
    ours.relaxation = theirs.relaxation;
    ours.hasTotalTemperature = theirs.hasTotalTemperature;
    ours.totalTemperature = theirs.totalTemperature;
    ours.totalTemperatureUnit = theirs.totalTemperatureUnit;
    ours.timeStep = theirs.timeStep;
    std::copy(theirs.smoke, theirs.smoke + 3, ours.smoke);
    std::copy(theirs.comfort, theirs.comfort + 3, ours.comfort);
}

/* --- Selection and suppression ---------------------------------------------------- */

void Analysis::selectAll() {
    Call("Analysis", "selectAll", Changes);
    standin::replaceSelection(standin::setupFor(this), standin::idsOf(standin::partsOf(this)));
}

void Analysis::deselectAll() {
    Call("Analysis", "deselectAll", Changes);
    standin::replaceSelection(standin::setupFor(this), {});
}

void Analysis::selectPrevious() {
    Call("Analysis", "selectPrevious", Changes);
    standin::selectPrevious(standin::setupFor(this));
}

namespace {
void changeSelection(Call &call, Analysis *scenario, const std::vector<Object *> &parts, bool add, const QString &why) {
    if (parts.empty()) {
        call.failed(why);
        return;
    }
    std::vector<int> ids;
    for (Object *part : parts) ids.push_back(standin::node(part).id);
    standin::changeSelection(standin::setupFor(scenario), ids, add);
}

std::vector<Object *> partWithId(const Analysis *scenario, int id) {
    Object *part = standin::partById(scenario, id);
    return part ? std::vector<Object *>{part} : std::vector<Object *>{};
}
}  // namespace

void Analysis::select(int id) {
    Call call("Analysis", "select", Changes);
    call.arg(id);
    changeSelection(call, this, partWithId(this, id), true, QStringLiteral("the scenario has no part %1").arg(id));
}

void Analysis::select(const QString &name) {
    Call call("Analysis", "select", Changes);
    call.arg(name);
    changeSelection(call, this, standin::partsNamed(this, name), true,
                    QStringLiteral("the scenario has no part named \"%1\"").arg(name));
}

void Analysis::deselect(int id) {
    Call call("Analysis", "deselect", Changes);
    call.arg(id);
    changeSelection(call, this, partWithId(this, id), false, QStringLiteral("the scenario has no part %1").arg(id));
}

void Analysis::deselect(const QString &name) {
    Call call("Analysis", "deselect", Changes);
    call.arg(name);
    changeSelection(call, this, standin::partsNamed(this, name), false,
                    QStringLiteral("the scenario has no part named \"%1\"").arg(name));
}

void Analysis::selectByAttribute(const QString &attribute) {
    Call call("Analysis", "selectByAttribute", Changes);
    call.arg(attribute);
    if (attribute.isEmpty()) {
        call.failed(QStringLiteral("an attribute must not be empty"));
        return;
    }
    const standin::Index &index = standin::indexOf(this);
    auto tagged = index.partsByTag.find(attribute);
    standin::replaceSelection(standin::setupFor(this), tagged == index.partsByTag.end() ? std::unordered_set<int>()
                                                                                        : standin::idsOf(tagged->second));
}

namespace {
// The scenario's settings for an operation on the selected parts; null, the
// call refused, when nothing is selected.
standin::ScenarioSetup *selectedSetup(Call &call, Analysis *scenario) {
    const QString why = standin::noSelection(standin::setupOf(scenario));
    if (!why.isEmpty()) {
        call.failed(why);
        return nullptr;
    }
    return &standin::setupFor(scenario);
}
}  // namespace

void Analysis::suppressSelectedParts() {
    Call call("Analysis", "suppressSelectedParts", Changes);
    if (standin::ScenarioSetup *setup = selectedSetup(call, this))
        setup->suppressed.insert(setup->selection.begin(), setup->selection.end());
}

void Analysis::resumeSelectedParts() {
    Call call("Analysis", "resumeSelectedParts", Changes);
    if (standin::ScenarioSetup *setup = selectedSetup(call, this))
        for (int id : setup->selection) setup->suppressed.erase(id);
}

void Analysis::resumeAllParts() {
    Call("Analysis", "resumeAllParts", Changes);
    standin::setupFor(this).suppressed.clear();
}

/* --- Mesh size and meshing ------------------------------------------------------ */

Mesh *Analysis::mesh() const {
    Call("Analysis", "mesh", Reads);
    if (standin::answer(this, "mesh")) return nullptr;
    // A mesh is handed out with every setting the application gives a mesh.
    for (Object *mesh : standin::childrenOf(this, Kind::Mesh)) {
        standin::completeMesh(mesh);
        return static_cast<Mesh *>(mesh);
    }
    return nullptr;
}

void Analysis::removeMesh() {
    Call("Analysis", "removeMesh", Changes);
    // Results stand on the mesh they were computed on.
    standin::setupFor(this).meshed = false;
    standin::node(this).results = QJsonObject();
}

void Analysis::setMaxLengthScale(double length) {
    Call call("Analysis", "setMaxLengthScale", Changes);
    call.arg(length);
    const QString why = standin::positiveRefusal("a length scale", length);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::setupFor(this).maxLengthScale = length;
}

bool Analysis::tetsInEnahancementLayers() {
    Call("Analysis", "tetsInEnahancementLayers", Reads);
    if (const QVariant *answer = standin::answer(this, "tetsInEnahancementLayers")) return answer->toBool();
    return standin::setupOf(this).tetsInEnhancementLayers;
}

void Analysis::setTetsInEnhancementLayers(bool on) {
    Call("Analysis", "setTetsInEnhancementLayers", Changes).arg(on);
    standin::setupFor(this).tetsInEnhancementLayers = on;
}

void Analysis::automaticSize() {
    Call call("Analysis", "automaticSize", Changes);
    if (standin::partsOf(this).empty()) {
        call.failed(QStringLiteral("the scenario has no parts to size the mesh from"));
        return;
    }
    standin::setupFor(this).sizing = QStringLiteral("Automatic");
}

void Analysis::spreadChanges() {
    Call call("Analysis", "spreadChanges", Changes);
    if (standin::ScenarioSetup *setup = selectedSetup(call, this)) ++setup->spreads;
}

void Analysis::useUniformSize() {
    Call("Analysis", "useUniformSize", Changes);
    standin::setupFor(this).sizing = QStringLiteral("Uniform");
}

void Analysis::applySizeAdjustment(double factor, bool refineSmall, bool coarsenLarge) {
    Call call("Analysis", "applySizeAdjustment", Changes);
    call.arg(factor).arg(refineSmall).arg(coarsenLarge);
    const QString why = standin::positiveRefusal("a size factor", factor);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::ScenarioSetup &setup = standin::setupFor(this);
    setup.sizeFactor = factor;
    setup.refineSmall = refineSmall;
    setup.coarsenLarge = coarsenLarge;
}

/* --- Extrusion and filling ------------------------------------------------------ */

namespace {
// A setting that takes one of a few names.
template <size_t N>
void chooseText(const char *operation, Analysis *scenario, const QString &text, const char *what,
                const char *const (&names)[N], QString standin::ScenarioSetup::*field) {
    Call call("Analysis", operation, Changes);
    call.arg(text);
    const QString why = standin::choiceRefusal(what, text, names);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::setupFor(scenario).*field = text;
}
}  // namespace

void Analysis::setAutomaticExtrusion(const QString &mode) {
    chooseText("setAutomaticExtrusion", this, mode, "an extrusion mode", standin::kExtrusionModes,
               &standin::ScenarioSetup::extrusionMode);
}

void Analysis::setExtrusionGrowth(double growth) {
    Call call("Analysis", "setExtrusionGrowth", Changes);
    call.arg(growth);
    const QString why = standin::growthRefusal(growth);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::setupFor(this).extrusionGrowth = growth;
}

void Analysis::setExtrusionDirection(const QString &direction) {
    chooseText("setExtrusionDirection", this, direction, "an extrusion direction", standin::kExtrusionDirections,
               &standin::ScenarioSetup::extrusionDirection);
}

void Analysis::setExtrusionLayers(int layers) {
    Call call("Analysis", "setExtrusionLayers", Changes);
    call.arg(layers);
    if (layers < 1) {
        call.failed(QStringLiteral("an extrusion has at least 1 layer"));
        return;
    }
    standin::setupFor(this).extrusionLayers = layers;
}

void Analysis::setExtrusionEndLayering(const QString &layering) {
    chooseText("setExtrusionEndLayering", this, layering, "an end layering", standin::kEndLayerings,
               &standin::ScenarioSetup::extrusionEndLayering);
}

void Analysis::extrudeMesh() {
    Call call("Analysis", "extrudeMesh", Changes);
    if (standin::ScenarioSetup *setup = selectedSetup(call, this))
        setup->extruded.insert(setup->selection.begin(), setup->selection.end());
}

void Analysis::removeExtrusions() {
    Call("Analysis", "removeExtrusions", Changes);
    standin::setupFor(this).extruded.clear();
}

int Analysis::fillSurface(const std::vector<int> &entityIds) {
    Call call("Analysis", "fillSurface", Changes);
    call.arg(entityIds);
    if (const QVariant *answer = standin::answer(this, "fillSurface")) return answer->toInt();
    const QString why = standin::entitiesRefusal(this, entityIds, Entity::Edge);
    if (!why.isEmpty()) {
        call.failed(why);
        return 0;
    }
    // The edges bound one surface.
    ++standin::setupFor(this).filledSurfaces;
    return 1;
}

int Analysis::fillVoid() {
    Call call("Analysis", "fillVoid", Changes);
    if (const QVariant *answer = standin::answer(this, "fillVoid")) return answer->toInt();
    if (standin::partsOf(this).empty()) {
        call.failed(QStringLiteral("the scenario has no parts"));
        return 0;
    }
    // The stand-in knows no topology: the model has one void, filled the first time.
    standin::ScenarioSetup &setup = standin::setupFor(this);
    if (setup.filledVoids > 0) return 0;
    setup.filledVoids = 1;
    return 1;
}

/* --- Physics and solver settings ------------------------------------------------- */

Clt::Vector Analysis::gravityVector() {
    Call("Analysis", "gravityVector", Reads);
    Quiet quiet;
    const double *g = standin::setupOf(this).gravity;
    return Clt::Vector(g[0], g[1], g[2]);
}

void Analysis::setGravityVector(double x, double y, double z) {
    Call call("Analysis", "setGravityVector", Changes);
    call.arg(x).arg(y).arg(z);
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
        call.failed(QStringLiteral("a gravity vector must be finite"));
        return;
    }
    double *g = standin::setupFor(this).gravity;
    g[0] = x;
    g[1] = y;
    g[2] = z;
}

namespace {
void setInterval(const char *operation, Analysis *scenario, double interval, const QString &unit,
                 standin::SaveSchedule standin::ScenarioSetup::*schedule) {
    Call call("Analysis", operation, Changes);
    call.arg(interval).arg(unit);
    QString why = standin::positiveRefusal("an interval", interval);
    if (why.isEmpty()) why = standin::choiceRefusal("a save unit", unit, standin::kSaveUnits);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::SaveSchedule &held = standin::setupFor(scenario).*schedule;
    held.interval = interval;
    held.unit = unit;
}

void addFrequency(const char *operation, Analysis *scenario, double from, double every,
                  standin::SaveSchedule standin::ScenarioSetup::*schedule) {
    Call call("Analysis", operation, Changes);
    call.arg(from).arg(every);
    QString why = standin::notNegativeRefusal("a first step", from);
    if (why.isEmpty()) why = standin::positiveRefusal("a step count", every);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    (standin::setupFor(scenario).*schedule).frequencies.push_back({from, every});
}
}  // namespace

void Analysis::setResultsSaveInterval(double interval, const QString &unit) {
    setInterval("setResultsSaveInterval", this, interval, unit, &standin::ScenarioSetup::resultsSave);
}

void Analysis::setSummarySaveInterval(double interval, const QString &unit) {
    setInterval("setSummarySaveInterval", this, interval, unit, &standin::ScenarioSetup::summarySave);
}

void Analysis::addResultsSaveFrequency(double from, double every) {
    addFrequency("addResultsSaveFrequency", this, from, every, &standin::ScenarioSetup::resultsSave);
}

void Analysis::addSummarySaveFrequency(double from, double every) {
    addFrequency("addSummarySaveFrequency", this, from, every, &standin::ScenarioSetup::summarySave);
}

void Analysis::setTotalTemperature(double temperature, const QString &unit) {
    Call call("Analysis", "setTotalTemperature", Changes);
    call.arg(temperature).arg(unit);
    const QString why = standin::temperatureRefusal(temperature, unit);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::ScenarioSetup &setup = standin::setupFor(this);
    setup.hasTotalTemperature = true;
    setup.totalTemperature = temperature;
    setup.totalTemperatureUnit = unit;
}

void Analysis::setRelaxation(const QString &quantity, double factor) {
    Call call("Analysis", "setRelaxation", Changes);
    call.arg(quantity).arg(factor);
    QString why = quantity.trimmed().isEmpty() ? QStringLiteral("a quantity must be named") : standin::relaxationRefusal(factor);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::setupFor(this).relaxation[quantity] = factor;
}

void Analysis::estimateTimeStep() {
    Call call("Analysis", "estimateTimeStep", Changes);
    if (standin::partsOf(this).empty()) {
        call.failed(QStringLiteral("the scenario has no parts"));
        return;
    }
    standin::setupFor(this).timeStep = standin::timeStepOf(this);
}

/* --- Running ----------------------------------------------------------------------- */

namespace {
bool startRun(Call &call, Analysis *scenario, QJsonObject *results) {
    QString why;
    if (standin::pendingRuns().count(scenario))
        why = QStringLiteral("a run is under way");
    else
        standin::estimate(scenario, results, &why);
    if (!why.isEmpty()) call.failed(why);
    return why.isEmpty();
}

void finishRun(Analysis *scenario, QJsonObject results) {
    standin::node(scenario).results = std::move(results);
    standin::setupFor(scenario).meshed = true;
}
}  // namespace

void Analysis::run() {
    Call call("Analysis", "run", Changes);
    QJsonObject results;
    if (startRun(call, this, &results)) finishRun(this, std::move(results));
}

void Analysis::start() {
    Call call("Analysis", "start", Changes);
    QJsonObject results;
    if (startRun(call, this, &results)) standin::pendingRuns()[this] = std::move(results);
}

void Analysis::wait(int timeoutMs, bool processEvents) {
    Call call("Analysis", "wait", Changes);
    call.arg(timeoutMs).arg(processEvents);
    auto &pending = standin::pendingRuns();
    auto found = pending.find(this);
    QString why;
    if (timeoutMs < -1)
        why = QStringLiteral("a timeout is -1 (no limit) or a number of milliseconds");
    else if (found == pending.end())
        why = QStringLiteral("no run was started");
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    // The estimate is done by the time start() returns: no wait runs out.
    QJsonObject results = std::move(found->second);
    pending.erase(found);
    finishRun(this, std::move(results));
}

/* --- Flags ------------------------------------------------------------------------ */

bool Analysis::flagExists(const QString &name) {
    Call("Analysis", "flagExists", Reads).arg(name);
    if (const QVariant *answer = standin::answer(this, "flagExists")) return answer->toBool();
    return standin::node(this).flags.contains(name);
}

bool Analysis::addFlag(const QString &name, const QString &value, bool replace) {
    Call call("Analysis", "addFlag", Changes);
    call.arg(name).arg(value).arg(replace);
    if (const QVariant *answer = standin::answer(this, "addFlag")) return answer->toBool();
    if (name.trimmed().isEmpty()) {
        call.failed(QStringLiteral("a flag must be named"));
        return false;
    }
    QStringList &flags = standin::node(this).flags;
    const bool had = flags.contains(name);
    // Not replacing a flag that is set is an answer, not a refusal.
    if (had && !replace) return false;
    if (!had) flags.append(name);
    auto &values = standin::setupFor(this).flagValues;
    if (value.isEmpty())
        values.erase(name);
    else
        values[name] = value;
    return true;
}

bool Analysis::removeFlag(const QString &name) {
    Call("Analysis", "removeFlag", Changes).arg(name);
    if (const QVariant *answer = standin::answer(this, "removeFlag")) return answer->toBool();
    if (!standin::node(this).flags.removeOne(name)) return false;
    if (standin::node(this).setup.get()) standin::setupFor(this).flagValues.erase(name);
    return true;
}

QString Analysis::flagValue(const QString &name, bool *ok) {
    Call("Analysis", "flagValue", Reads).arg(name).arg(ok);
    const bool has = standin::node(this).flags.contains(name);
    if (ok) *ok = has;
    if (!has) return QStringLiteral("");
    const auto &values = standin::setupOf(this).flagValues;
    auto found = values.find(name);
    return found == values.end() ? QStringLiteral("") : found->second;
}

/* --- Output quantities and post-processing parameters ---------------------------- */

void Analysis::enableResultQuantity(const QString &quantity) {
    Call call("Analysis", "enableResultQuantity", Changes);
    call.arg(quantity);
    if (quantity.trimmed().isEmpty()) {
        call.failed(QStringLiteral("a quantity must be named"));
        return;
    }
    QStringList &quantities = standin::node(this).resultQuantities;
    if (!quantities.contains(quantity)) quantities.append(quantity);
}

void Analysis::disableResultQuantity(const QString &quantity) {
    Call call("Analysis", "disableResultQuantity", Changes);
    call.arg(quantity);
    if (quantity.trimmed().isEmpty()) {
        call.failed(QStringLiteral("a quantity must be named"));
        return;
    }
    standin::node(this).resultQuantities.removeAll(quantity);
}

void Analysis::setSmokeVisibilityParams(SmokeParams &params) {
    Call call("Analysis", "setSmokeVisibilityParams", Changes);
    call.arg(params.ExtinctionCoef).arg(params.SignConstant).arg(params.ParticleYield);
    const double values[3] = {params.ExtinctionCoef, params.SignConstant, params.ParticleYield};
    const QString why = standin::smokeRefusal(values);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    std::copy(values, values + 3, standin::setupFor(this).smoke);
}

void Analysis::setThermalComfortParams(ThermalComfortParams &params) {
    Call call("Analysis", "setThermalComfortParams", Changes);
    call.arg(params.MetRate).arg(params.Humidity).arg(params.Clothing);
    const double values[3] = {params.MetRate, params.Humidity, params.Clothing};
    const QString why = standin::comfortRefusal(values);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    std::copy(values, values + 3, standin::setupFor(this).comfort);
}

/* --- The material environment: a value --------------------------------------------- */

MaterialEnv::MaterialEnv() : Object(standin::unjournaled(nullptr), QString()) {
    Call("MaterialEnv", "MaterialEnv", Reads);
}
MaterialEnv::MaterialEnv(const MaterialEnv &other) : Object(other) {}
MaterialEnv::~MaterialEnv() = default;
MaterialEnv &MaterialEnv::operator=(const MaterialEnv &other) {
    Object::operator=(other);
    return *this;
}

}  // namespace script

/* --- Steering: what only the application's import and runs make ------------------ */

namespace standin {

script::Part *addPart(script::Analysis *scenario, const QString &name, int id, const QString &tag, QString *why) {
    if (name.trimmed().isEmpty()) {
        *why = QStringLiteral("a part needs a name");
        return nullptr;
    }
    if (id < 1) {
        *why = QStringLiteral("a part id is a whole number of at least 1");
        return nullptr;
    }
    if (partById(scenario, id)) {
        *why = QStringLiteral("the scenario has a part with id %1").arg(id);
        return nullptr;
    }
    Object *part = makeObject(Kind::Part, name);
    Node &held = node(part);
    held.id = id;
    held.tag = tag.isNull() ? QStringLiteral("") : tag;
    adoptIndexed(scenario, part);
    return static_cast<script::Part *>(part);
}

bool addEntity(script::Analysis *scenario, const QString &partName, int id, int kind, const QString &name, QString *why,
               const QString &tagName, bool planar, bool wall) {
    const std::vector<Object *> &named = partsNamed(scenario, partName);
    if (named.empty())
        *why = QStringLiteral("the scenario has no part named \"%1\"").arg(partName);
    else if (kind < 0 || kind > 4)
        *why = QStringLiteral("%1 is no entity kind (0 point, 1 edge, 2 surface, 3 volume, 4 unknown)").arg(kind);
    else if (entityById(scenario, id))
        *why = QStringLiteral("the scenario has an entity %1").arg(id);
    if (!why->isEmpty()) return false;
    Object *part = named.front();
    Node &held = node(part);
    held.entities.push_back({id, kind, name.isNull() ? QStringLiteral("") : name,
                             tagName.isNull() ? QStringLiteral("") : tagName, planar, wall});
    indexEntity(indexOf(scenario), part, held.entities.size() - 1);
    return true;
}

/* --- What the parts and groups of a scenario look up (standin/parts.cpp) ----------- */

ScenarioSetup &setupToChange(const script::Object *scenario) { return setupFor(scenario); }

std::vector<script::Object *> scenarioPartsNamed(const script::Object *scenario, const QString &name) {
    return partsNamed(scenario, name);
}

const EntityRecord *scenarioEntity(const script::Object *scenario, int id, script::Object **part) {
    return entityById(scenario, id, part);
}

script::Object *scenarioMaterial(const script::Object *scenario, const QString &name) { return materialNamed(scenario, name); }

void giveMaterialEntityIds(script::Object *scenario, script::Object *material, const std::vector<int> &ids) {
    giveEntities(scenario, material, ids);
}

bool renameGroup(script::Object *scenario, script::Object *group, const QString &name, QString *why) {
    *why = emptyNameRefusal(name);
    Object *same = why->isEmpty() ? namedChild(scenario, Kind::Group, name) : nullptr;
    if (same && same != group) *why = QStringLiteral("the scenario has a group named \"%1\"").arg(name);
    if (!why->isEmpty()) return false;
    const QString old = group->objectName();
    if (old == name) return true;
    setHeldName(group, name);
    // What the settings keep of the group goes with its name, and so do the groups inside it.
    ScenarioSetup &setup = setupFor(scenario);
    auto kept = setup.groups.find(old);
    if (kept != setup.groups.end()) {
        GroupSetup moved = std::move(kept->second);
        setup.groups.erase(kept);
        setup.groups[name] = std::move(moved);
    }
    for (auto &entry : setup.groups)
        if (entry.second.parent == old) entry.second.parent = name;
    return true;
}

script::Material *addMaterial(script::Analysis *scenario, const QString &name, const QString &type,
                              const QString &subtype, QString *why) {
    *why = childNameRefusal(scenario, Kind::Material, name, "material");
    if (!why->isEmpty()) return nullptr;
    Object *material = makeObject(Kind::Material, name);
    node(material).properties = {{QStringLiteral("Type"), QVariant(type.isNull() ? QStringLiteral("") : type)},
                                 {QStringLiteral("Subtype"), QVariant(subtype.isNull() ? QStringLiteral("") : subtype)}};
    adoptIndexed(scenario, material);
    return static_cast<script::Material *>(material);
}

bool giveResults(script::Analysis *scenario, const QString &partName, const QString &quantity, double value,
                 QString *why) {
    if (partsNamed(scenario, partName).empty())
        *why = QStringLiteral("the scenario has no part named \"%1\"").arg(partName);
    else if (quantity.trimmed().isEmpty())
        *why = QStringLiteral("a quantity must be named");
    else if (!std::isfinite(value))
        *why = QStringLiteral("a result must be a finite number");
    if (!why->isEmpty()) return false;
    QJsonObject &results = node(scenario).results;
    QJsonObject byPart = results.value(quantity).toObject();
    byPart.insert(partName, value);
    results.insert(quantity, byPart);
    return true;
}

script::Motion *makeMotion(const QString &name) {
    static auto *kept = new std::vector<script::Motion *>();
    Quiet quiet;
    kept->push_back(new script::Motion(nullptr, name));
    return kept->back();
}

/* --- The settings in study files (docs/study-files.md) ----------------------------- */

namespace {

QJsonArray idsJson(const std::vector<int> &ids) {
    QJsonArray out;
    for (int id : ids) out.append(id);
    return out;
}

QJsonObject scheduleJson(const SaveSchedule &schedule) {
    QJsonArray frequencies;
    for (const SaveFrequency &frequency : schedule.frequencies)
        frequencies.append(QJsonObject{{"from", frequency.from}, {"every", frequency.every}});
    return QJsonObject{{"interval", schedule.interval}, {"unit", schedule.unit}, {"frequencies", frequencies}};
}

QJsonArray propertiesJson(const std::vector<Property> &properties) {
    QJsonArray out;
    for (const Property &property : properties) {
        QJsonObject entry{{"name", property.name}, {"type", kindName(property.value)}};
        if (variantKind(property.value) == script::Variant::StringList)
            entry.insert("value", QJsonArray::fromStringList(property.value.toStringList()));
        else
            entry.insert("value", QJsonValue::fromVariant(property.value));
        out.append(entry);
    }
    return out;
}

struct BadSetup : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void badAt(const QString &where, const QString &what) { throw BadSetup((where + QStringLiteral(": ") + what).toStdString()); }

void check(const QString &where, const QString &why) {
    if (!why.isEmpty()) badAt(where, why);
}

QString at(const QString &where, const char *key) { return where + QLatin1Char('.') + QLatin1String(key); }
QString at(const QString &where, qsizetype index) { return where + QStringLiteral("[%1]").arg(index); }

// Reads a scenario's settings, every key of which may be left out.
class SetupReader {
public:
    explicit SetupReader(const Object *scenario) {
        for (Object *child : node(scenario).children) {
            const Node &held = node(child);
            if (held.kind == Kind::Part) {
                m_parts.insert(held.id);
                for (const EntityRecord &entity : held.entities) m_entities.insert(entity.id);
            } else if (held.kind == Kind::Material) {
                m_materials.insert(child->objectName());
            } else if (held.kind == Kind::Group) {
                m_groups.insert(child->objectName());
            }
        }
        m_flags = node(scenario).flags;
    }

    ScenarioSetup read(const QJsonObject &source, const QString &where) {
        ScenarioSetup setup;
        setup.selection = partSet(source, where, "selection");
        setup.previousSelection = partSet(source, where, "previousSelection");
        setup.suppressed = partSet(source, where, "suppressed");
        eachObject(source, where, "partMaterials", [&](const QJsonObject &entry, const QString &here) {
            const int part = partId(entry, here, "part");
            const QString material = textOf(entry, here, "material");
            if (!m_materials.count(material)) badAt(at(here, "material"), QStringLiteral("names no material of the scenario"));
            setup.partMaterials[part] = material;
        });
        eachObject(source, where, "tecMaterials", [&](const QJsonObject &entry, const QString &here) {
            TecMaterial tec{textOf(entry, here, "material"), entityId(entry, here, "coldSide"), entityId(entry, here, "hotSide")};
            if (!m_materials.count(tec.material)) badAt(at(here, "material"), QStringLiteral("names no material of the scenario"));
            if (tec.coldSide == tec.hotSide) badAt(here, QStringLiteral("the cold and hot sides must be different entities"));
            setup.tecMaterials.push_back(tec);
        });
        eachObject(source, where, "groups", [&](const QJsonObject &entry, const QString &here) {
            const QString name = textOf(entry, here, "name");
            if (!m_groups.count(name)) badAt(at(here, "name"), QStringLiteral("names no group of the scenario"));
            if (setup.groups.count(name)) badAt(here, QStringLiteral("a second one named \"%1\"").arg(name));
            GroupSetup group;
            group.parent = textOf(entry, here, "parent", false);
            if (!group.parent.isEmpty() && !m_groups.count(group.parent))
                badAt(at(here, "parent"), QStringLiteral("names no group of the scenario"));
            group.parts = sorted(partSet(entry, here, "parts"));
            setup.groups[name] = std::move(group);
        });
        eachObject(source, where, "motions", [&](const QJsonObject &entry, const QString &here) {
            MotionSetup motion;
            motion.name = textOf(entry, here, "name");
            check(at(here, "name"), emptyNameRefusal(motion.name));
            motion.properties = properties(entry, here);
            motion.parts = sorted(partSet(entry, here, "parts"));
            // Optional: files written before motions kept their physical properties have none.
            if (entry.contains(QLatin1String("physicalProperties"))) {
                auto read = std::make_shared<Settings>();
                QString why;
                if (!settingsFromJson(*read, nullptr, entry.value(QLatin1String("physicalProperties")),
                                      at(here, "physicalProperties"), &why))
                    throw BadSetup(why.toStdString());
                if (!read->properties.empty()) motion.settings = std::move(read);
            }
            QString why;
            if (!motionFromJson(entry, here, &motion.motion, &motion.components, &why)) throw BadSetup(why.toStdString());
            setup.motions.push_back(std::move(motion));
        });

        const QJsonObject mesh = objectOf(source, where, "mesh");
        const QString meshAt = at(where, "mesh");
        setup.modelMeshSize = number(mesh, meshAt, "modelSize", 0.0);
        check(at(meshAt, "modelSize"), notNegativeRefusal("a mesh size", setup.modelMeshSize));
        eachObject(mesh, meshAt, "partSizes", [&](const QJsonObject &entry, const QString &here) {
            const int part = partId(entry, here, "part");
            const double size = number(entry, here, "size", std::nan(""), true);
            check(at(here, "size"), positiveRefusal("a mesh size", size));
            setup.partMeshSizes[part] = size;
        });
        setup.maxLengthScale = number(mesh, meshAt, "maxLengthScale", 0.0);
        check(at(meshAt, "maxLengthScale"), notNegativeRefusal("a length scale", setup.maxLengthScale));
        setup.sizing = textOf(mesh, meshAt, "sizing", false, setup.sizing);
        check(at(meshAt, "sizing"), choiceRefusal("a sizing", setup.sizing, kSizings));
        setup.sizeFactor = number(mesh, meshAt, "sizeFactor", setup.sizeFactor);
        check(at(meshAt, "sizeFactor"), positiveRefusal("a size factor", setup.sizeFactor));
        setup.refineSmall = boolOf(mesh, meshAt, "refineSmall", false);
        setup.coarsenLarge = boolOf(mesh, meshAt, "coarsenLarge", false);
        setup.spreads = count(mesh, meshAt, "spreads");
        setup.tetsInEnhancementLayers = boolOf(mesh, meshAt, "tetsInEnhancementLayers", false);
        setup.meshed = boolOf(mesh, meshAt, "meshed", false);

        const QJsonObject extrusion = objectOf(source, where, "extrusion");
        const QString extrusionAt = at(where, "extrusion");
        setup.extrusionMode = textOf(extrusion, extrusionAt, "mode", false, setup.extrusionMode);
        check(at(extrusionAt, "mode"), choiceRefusal("an extrusion mode", setup.extrusionMode, kExtrusionModes));
        setup.extrusionGrowth = number(extrusion, extrusionAt, "growth", setup.extrusionGrowth);
        check(at(extrusionAt, "growth"), growthRefusal(setup.extrusionGrowth));
        setup.extrusionDirection = textOf(extrusion, extrusionAt, "direction", false, setup.extrusionDirection);
        check(at(extrusionAt, "direction"), choiceRefusal("an extrusion direction", setup.extrusionDirection, kExtrusionDirections));
        setup.extrusionLayers = whole(extrusion, extrusionAt, "layers", setup.extrusionLayers);
        if (setup.extrusionLayers < 1) badAt(at(extrusionAt, "layers"), QStringLiteral("an extrusion has at least 1 layer"));
        setup.extrusionEndLayering = textOf(extrusion, extrusionAt, "endLayering", false, setup.extrusionEndLayering);
        check(at(extrusionAt, "endLayering"), choiceRefusal("an end layering", setup.extrusionEndLayering, kEndLayerings));
        setup.extruded = partSet(extrusion, extrusionAt, "extruded");

        const QJsonObject fill = objectOf(source, where, "fill");
        setup.filledSurfaces = count(fill, at(where, "fill"), "surfaces");
        setup.filledVoids = count(fill, at(where, "fill"), "voids");

        if (source.contains(QLatin1String("gravity"))) {
            const QJsonValue gravity = source.value(QLatin1String("gravity"));
            const QJsonArray xyz = gravity.toArray();
            if (!gravity.isArray() || xyz.size() != 3 || !xyz.at(0).isDouble() || !xyz.at(1).isDouble() || !xyz.at(2).isDouble())
                badAt(at(where, "gravity"), QStringLiteral("must be three numbers"));
            for (int axis = 0; axis < 3; ++axis) setup.gravity[axis] = xyz.at(axis).toDouble();
        }
        setup.resultsSave = schedule(source, where, "resultsSave");
        setup.summarySave = schedule(source, where, "summarySave");
        const QJsonObject relaxation = objectOf(source, where, "relaxation");
        for (auto entry = relaxation.begin(); entry != relaxation.end(); ++entry) {
            const QString here = at(at(where, "relaxation"), entry.key().toUtf8().constData());
            if (!entry.value().isDouble()) badAt(here, QStringLiteral("must be a number"));
            if (entry.key().trimmed().isEmpty()) badAt(here, QStringLiteral("a quantity must be named"));
            check(here, relaxationRefusal(entry.value().toDouble()));
            setup.relaxation[entry.key()] = entry.value().toDouble();
        }
        if (source.contains(QLatin1String("totalTemperature"))) {
            const QJsonObject total = objectOf(source, where, "totalTemperature");
            const QString here = at(where, "totalTemperature");
            setup.hasTotalTemperature = true;
            setup.totalTemperature = number(total, here, "value", std::nan(""), true);
            setup.totalTemperatureUnit = textOf(total, here, "unit");
            check(here, temperatureRefusal(setup.totalTemperature, setup.totalTemperatureUnit));
        }
        setup.timeStep = number(source, where, "timeStep", 0.0);
        check(at(where, "timeStep"), notNegativeRefusal("a time step", setup.timeStep));
        const QJsonObject flags = objectOf(source, where, "flagValues");
        for (auto entry = flags.begin(); entry != flags.end(); ++entry) {
            const QString here = at(at(where, "flagValues"), entry.key().toUtf8().constData());
            if (!entry.value().isString()) badAt(here, QStringLiteral("must be a text"));
            if (!m_flags.contains(entry.key())) badAt(here, QStringLiteral("names no flag of the scenario"));
            if (!entry.value().toString().isEmpty()) setup.flagValues[entry.key()] = entry.value().toString();
        }
        const QJsonObject smoke = objectOf(source, where, "smoke");
        const QString smokeAt = at(where, "smoke");
        setup.smoke[0] = number(smoke, smokeAt, "extinctionCoefficient", setup.smoke[0]);
        setup.smoke[1] = number(smoke, smokeAt, "signConstant", setup.smoke[1]);
        setup.smoke[2] = number(smoke, smokeAt, "particleYield", setup.smoke[2]);
        check(smokeAt, smokeRefusal(setup.smoke));
        const QJsonObject comfort = objectOf(source, where, "comfort");
        const QString comfortAt = at(where, "comfort");
        setup.comfort[0] = number(comfort, comfortAt, "metabolicRate", setup.comfort[0]);
        setup.comfort[1] = number(comfort, comfortAt, "humidity", setup.comfort[1]);
        setup.comfort[2] = number(comfort, comfortAt, "clothing", setup.comfort[2]);
        check(comfortAt, comfortRefusal(setup.comfort));
        // Solar heating: left out while it has its defaults (standin/solar.cpp).
        if (source.contains(QLatin1String("solar"))) {
            QString why;
            if (!solarFromJson(source.value(QLatin1String("solar")), at(where, "solar"), &setup.solar, &why))
                throw BadSetup(why.toStdString());
        }
        return setup;
    }

private:
    static QJsonObject objectOf(const QJsonObject &source, const QString &where, const char *key) {
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined()) return QJsonObject();
        if (!value.isObject()) badAt(at(where, key), QStringLiteral("must be an object"));
        return value.toObject();
    }

    template <class Visit>
    static void eachObject(const QJsonObject &source, const QString &where, const char *key, Visit visit) {
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined()) return;
        if (!value.isArray()) badAt(at(where, key), QStringLiteral("must be a list"));
        const QJsonArray items = value.toArray();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString here = at(at(where, key), i);
            if (!items.at(i).isObject()) badAt(here, QStringLiteral("must be an object"));
            visit(items.at(i).toObject(), here);
        }
    }

    static double number(const QJsonObject &source, const QString &where, const char *key, double fallback,
                         bool required = false) {
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined() && !required) return fallback;
        if (!value.isDouble()) badAt(at(where, key), QStringLiteral("must be a number"));
        return value.toDouble();
    }

    static int wholeValue(const QJsonValue &value, const QString &where) {
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::floor(number) || number < -2147483648.0 || number > 2147483647.0)
            badAt(where, QStringLiteral("must be a whole number"));
        return int(number);
    }

    static int whole(const QJsonObject &source, const QString &where, const char *key, int fallback) {
        const QJsonValue value = source.value(QLatin1String(key));
        return value.isUndefined() ? fallback : wholeValue(value, at(where, key));
    }

    static int count(const QJsonObject &source, const QString &where, const char *key) {
        const int value = whole(source, where, key, 0);
        if (value < 0) badAt(at(where, key), QStringLiteral("must not be negative"));
        return value;
    }

    static bool boolOf(const QJsonObject &source, const QString &where, const char *key, bool fallback) {
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined()) return fallback;
        if (!value.isBool()) badAt(at(where, key), QStringLiteral("must be true or false"));
        return value.toBool();
    }

    static QString textOf(const QJsonObject &source, const QString &where, const char *key, bool required = true,
                          const QString &fallback = QStringLiteral("")) {
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined() && !required) return fallback;
        if (!value.isString()) badAt(at(where, key), QStringLiteral("must be a text"));
        return value.toString();
    }

    int partId(const QJsonObject &source, const QString &where, const char *key) const {
        const int id = wholeValue(source.value(QLatin1String(key)), at(where, key));
        if (!m_parts.count(id)) badAt(at(where, key), QStringLiteral("names no part of the scenario"));
        return id;
    }

    int entityId(const QJsonObject &source, const QString &where, const char *key) const {
        const int id = wholeValue(source.value(QLatin1String(key)), at(where, key));
        if (!m_entities.count(id)) badAt(at(where, key), QStringLiteral("names no entity of the scenario"));
        return id;
    }

    std::unordered_set<int> partSet(const QJsonObject &source, const QString &where, const char *key) const {
        std::unordered_set<int> ids;
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined()) return ids;
        if (!value.isArray()) badAt(at(where, key), QStringLiteral("must be a list"));
        const QJsonArray items = value.toArray();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const int id = wholeValue(items.at(i), at(at(where, key), i));
            if (!m_parts.count(id)) badAt(at(at(where, key), i), QStringLiteral("names no part of the scenario"));
            ids.insert(id);
        }
        return ids;
    }

    static SaveSchedule schedule(const QJsonObject &source, const QString &where, const char *key) {
        SaveSchedule out;
        const QJsonObject held = objectOf(source, where, key);
        const QString here = at(where, key);
        out.interval = number(held, here, "interval", out.interval);
        check(at(here, "interval"), positiveRefusal("an interval", out.interval));
        out.unit = textOf(held, here, "unit", false, out.unit);
        check(at(here, "unit"), choiceRefusal("a save unit", out.unit, kSaveUnits));
        eachObject(held, here, "frequencies", [&](const QJsonObject &entry, const QString &there) {
            SaveFrequency frequency{number(entry, there, "from", std::nan(""), true), number(entry, there, "every", std::nan(""), true)};
            check(at(there, "from"), notNegativeRefusal("a first step", frequency.from));
            check(at(there, "every"), positiveRefusal("a step count", frequency.every));
            out.frequencies.push_back(frequency);
        });
        return out;
    }

    static std::vector<Property> properties(const QJsonObject &source, const QString &where) {
        std::vector<Property> out;
        eachObject(source, where, "properties", [&](const QJsonObject &entry, const QString &here) {
            const QString name = textOf(entry, here, "name");
            const QString type = textOf(entry, here, "type");
            const QJsonValue value = entry.value(QLatin1String("value"));
            const QString valueAt = at(here, "value");
            QVariant read;
            if (type == QLatin1String("bool")) {
                if (!value.isBool()) badAt(valueAt, QStringLiteral("must be true or false"));
                read = value.toBool();
            } else if (type == QLatin1String("int")) {
                read = wholeValue(value, valueAt);
            } else if (type == QLatin1String("double")) {
                if (!value.isDouble()) badAt(valueAt, QStringLiteral("must be a number"));
                read = value.toDouble();
            } else if (type == QLatin1String("text")) {
                if (!value.isString()) badAt(valueAt, QStringLiteral("must be a text"));
                read = value.toString();
            } else if (type == QLatin1String("textList")) {
                QStringList texts;
                if (!value.isArray()) badAt(valueAt, QStringLiteral("must be a list of texts"));
                for (const QJsonValue &item : value.toArray()) {
                    if (!item.isString()) badAt(valueAt, QStringLiteral("must be a list of texts"));
                    texts.append(item.toString());
                }
                read = texts;
            } else {
                badAt(at(here, "type"), QStringLiteral("must be bool, int, double, text or textList, not \"%1\"").arg(type));
            }
            if (name.isEmpty()) badAt(at(here, "name"), QStringLiteral("must not be empty"));
            for (const Property &other : out)
                if (other.name == name) badAt(here, QStringLiteral("a second property \"%1\"").arg(name));
            out.push_back({name, read});
        });
        return out;
    }

    std::unordered_set<int> m_parts;
    std::unordered_set<int> m_entities;
    std::unordered_set<QString> m_materials;
    std::unordered_set<QString> m_groups;
    QStringList m_flags;
};

}  // namespace

QJsonObject scenarioSetupToJson(const script::Object *scenario) {
    const ScenarioSetup &setup = setupOf(scenario);
    QJsonObject out;
    out.insert("selection", idsJson(sorted(setup.selection)));
    out.insert("previousSelection", idsJson(sorted(previousSelection(setup))));
    out.insert("suppressed", idsJson(sorted(setup.suppressed)));
    std::map<int, QString> partMaterials(setup.partMaterials.begin(), setup.partMaterials.end());
    QJsonArray applied;
    for (const auto &entry : partMaterials) applied.append(QJsonObject{{"part", entry.first}, {"material", entry.second}});
    out.insert("partMaterials", applied);
    QJsonArray tecs;
    for (const TecMaterial &tec : setup.tecMaterials)
        tecs.append(QJsonObject{{"material", tec.material}, {"coldSide", tec.coldSide}, {"hotSide", tec.hotSide}});
    out.insert("tecMaterials", tecs);
    std::map<QString, GroupSetup> groups(setup.groups.begin(), setup.groups.end());
    QJsonArray groupsOut;
    for (const auto &entry : groups)
        groupsOut.append(QJsonObject{{"name", entry.first}, {"parent", entry.second.parent}, {"parts", idsJson(entry.second.parts)}});
    out.insert("groups", groupsOut);
    QJsonArray motions;
    for (const MotionSetup &motion : setup.motions) {
        QJsonObject entry{{"name", motion.name}, {"properties", propertiesJson(motion.properties)}, {"parts", idsJson(motion.parts)}};
        // Written only when there are some, as a material's are.
        if (motion.settings && !motion.settings->properties.empty())
            entry.insert("physicalProperties", settingsToJson(*motion.settings));
        motionToJson(motion.motion, motion.components, entry);
        motions.append(entry);
    }
    out.insert("motions", motions);

    std::map<int, double> partSizes(setup.partMeshSizes.begin(), setup.partMeshSizes.end());
    QJsonArray sizes;
    for (const auto &entry : partSizes) sizes.append(QJsonObject{{"part", entry.first}, {"size", entry.second}});
    out.insert("mesh", QJsonObject{{"modelSize", setup.modelMeshSize},
                                   {"partSizes", sizes},
                                   {"maxLengthScale", setup.maxLengthScale},
                                   {"sizing", setup.sizing},
                                   {"sizeFactor", setup.sizeFactor},
                                   {"refineSmall", setup.refineSmall},
                                   {"coarsenLarge", setup.coarsenLarge},
                                   {"spreads", setup.spreads},
                                   {"tetsInEnhancementLayers", setup.tetsInEnhancementLayers},
                                   {"meshed", setup.meshed}});
    out.insert("extrusion", QJsonObject{{"mode", setup.extrusionMode},
                                        {"growth", setup.extrusionGrowth},
                                        {"direction", setup.extrusionDirection},
                                        {"layers", setup.extrusionLayers},
                                        {"endLayering", setup.extrusionEndLayering},
                                        {"extruded", idsJson(sorted(setup.extruded))}});
    out.insert("fill", QJsonObject{{"surfaces", setup.filledSurfaces}, {"voids", setup.filledVoids}});
    out.insert("gravity", QJsonArray{setup.gravity[0], setup.gravity[1], setup.gravity[2]});
    out.insert("resultsSave", scheduleJson(setup.resultsSave));
    out.insert("summarySave", scheduleJson(setup.summarySave));
    QJsonObject relaxation;
    for (const auto &entry : setup.relaxation) relaxation.insert(entry.first, entry.second);
    out.insert("relaxation", relaxation);
    if (setup.hasTotalTemperature)
        out.insert("totalTemperature", QJsonObject{{"value", setup.totalTemperature}, {"unit", setup.totalTemperatureUnit}});
    if (setup.timeStep > 0.0) out.insert("timeStep", setup.timeStep);
    QJsonObject flagValues;
    for (const auto &entry : setup.flagValues) flagValues.insert(entry.first, entry.second);
    out.insert("flagValues", flagValues);
    out.insert("smoke", QJsonObject{{"extinctionCoefficient", setup.smoke[0]},
                                    {"signConstant", setup.smoke[1]},
                                    {"particleYield", setup.smoke[2]}});
    out.insert("comfort", QJsonObject{{"metabolicRate", setup.comfort[0]},
                                      {"humidity", setup.comfort[1]},
                                      {"clothing", setup.comfort[2]}});
    if (!solarIsDefault(setup.solar)) out.insert("solar", solarToJson(setup.solar));
    return out;
}

bool scenarioSetupFromJson(script::Object *scenario, const QJsonObject &source, const QString &where, QString *why) {
    try {
        ScenarioSetup read = SetupReader(scenario).read(source, where);
        setupFor(scenario) = std::move(read);
        return true;
    } catch (const BadSetup &bad) {
        *why = QString::fromStdString(bad.what());
        return false;
    }
}

}  // namespace standin
