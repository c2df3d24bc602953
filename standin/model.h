// The stand-in's study model: what the application would know about each of
// its scripting objects, kept beside the object, and the one design study of
// the process. Internal to the stand-in; scripts see it only through the
// application's interface and the host-control module.
#pragma once

#include <script/Object.h>

#include <QtCore/QJsonObject>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace standin {

// What a model object is, which decides the class of its host object and
// where it may stand in the tree.
enum class Kind {
    Free,  // made by a constructor or a steering maker; belongs to no study
    Study,
    Design,
    Scenario,
    Part,
    Group,
    Material,
    BoundaryCondition,
    InitialCondition,
    Mesh,
    MeshRegion,
    // The four groups of a mesh's settings, children of their mesh.
    MeshEnhancement,
    MeshAdvancedControls,
    MeshAdaptation,
    MeshDiagnostics,
};

// One named, typed property: the value's QVariant type is its kind (Bool,
// Int, Double, QString or QStringList).
struct Property {
    QString name;
    QVariant value;
};

// A point, edge, surface or volume of a part, by id.
// Ids are 32 bits: entities read them unsigned, id lists carry the same bits signed.
// The host entity that lookups handed out for one entity record, and its
// node, found once. It stays with its record when the part's entities move,
// and a copy of the record (a clone's part, an entity's own copy) starts
// without one, so that no two entities share a host object.
struct HandedOutEntity {
    script::Entity *entity = nullptr;
    struct Node *node = nullptr;
    int partId = 0;  // the part's id that the entity's copy holds
    HandedOutEntity() = default;
    HandedOutEntity(const HandedOutEntity &) {}
    HandedOutEntity(HandedOutEntity &&other) noexcept
        : entity(other.entity), node(other.node), partId(other.partId) {}
    HandedOutEntity &operator=(const HandedOutEntity &other) {
        if (this != &other) entity = nullptr, node = nullptr, partId = 0;
        return *this;
    }
    HandedOutEntity &operator=(HandedOutEntity &&other) noexcept {
        entity = other.entity;
        node = other.node;
        partId = other.partId;
        return *this;
    }
};

struct EntityRecord {
    int id = 0;
    int kind = 4;  // script::Entity::Type
    QString name;
    QString tagName;
    bool planar = false;
    bool wall = false;
    HandedOutEntity handedOut;
};

// The extent of a part, in the study's length unit.
struct Box {
    bool valid = false;
    double min[3] = {0, 0, 0};
    double max[3] = {0, 0, 0};
    void include(const Box &other);
};

// A scenario's settings beyond what every node keeps (standin/scenario.h).
// The holder copies them with the node, so that a copied scenario never
// shares its settings with the original.
struct ScenarioSetup;
class SetupHolder {
public:
    SetupHolder();
    SetupHolder(const SetupHolder &other);
    SetupHolder(SetupHolder &&other) noexcept;
    SetupHolder &operator=(const SetupHolder &other);
    SetupHolder &operator=(SetupHolder &&other) noexcept;
    ~SetupHolder();
    ScenarioSetup *get() const { return m_setup; }
    ScenarioSetup &make();  // the settings, made with their defaults when there were none

private:
    ScenarioSetup *m_setup = nullptr;
};

// What a boundary or initial condition holds beyond its properties, and what
// a fan or time curve holds (standin/conditions.h). The holder copies it with
// the node, a condition's fan curve as a fan curve of the copy's own, so that
// no two conditions share one.
struct ConditionState;
class ConditionHolder {
public:
    ConditionHolder() = default;
    ConditionHolder(const ConditionHolder &other);
    ConditionHolder(ConditionHolder &&other) noexcept;
    ConditionHolder &operator=(const ConditionHolder &other);
    ConditionHolder &operator=(ConditionHolder &&other) noexcept;
    ~ConditionHolder();
    ConditionState *get() const { return m_state; }
    ConditionState &make();  // the state, made empty when there was none
    void reset();

private:
    ConditionState *m_state = nullptr;
};

// The lookups of a container (its children by name and its parts by id) and
// of a part (its entities by id), made in model.cpp when first asked for.
struct ChildLookup;
struct EntityLookup;
struct DropLookup {
    void operator()(ChildLookup *lookup) const;
    void operator()(EntityLookup *lookup) const;
};
// A lookup belongs to the object that a node describes, not to what the node
// holds: a copied or assigned node starts without one and makes it anew.
template <class Lookup>
class LookupCache {
public:
    LookupCache() = default;
    LookupCache(const LookupCache &) {}
    LookupCache &operator=(const LookupCache &) {
        held.reset();
        return *this;
    }
    std::unique_ptr<Lookup, DropLookup> held;
};

// What a setting object (a material, a motion), one of its properties or one
// of their variations holds as such (standin/properties.h); made when first set.
struct Settings;

// What a mesh region holds beyond its shape (standin/mesh.h).
struct RegionSetup;

struct Node {
    // First, so that looking up a part's entity reads the fewest cache lines:
    // a part's id and entities. An entity that a lookup handed out: its
    // part's id, and its own record as the one entity.
    int id = 0;
    int inlineEntityCount = -1;
    std::vector<EntityRecord> entities;
    // The ids of a part's first few entities, side by side next to the list:
    // a part's entity is then found without leaving the part's node. Valid
    // while it counts as many as the list holds (records are only added).
    static constexpr int kInlineEntityIds = 10;
    int inlineEntityIds[kInlineEntityIds] = {};
    // The host entities handed out for those first few, beside them, so that
    // a lookup of one already handed out touches nothing but the part's node.
    struct InlineHanded {
        // Each with its node, found once, side by side in one cache line.
        struct Handed {
            script::Entity *entity = nullptr;
            Node *node = nullptr;
        } at[kInlineEntityIds];
        int partId = 0;  // the part's id that their copies hold
        InlineHanded() = default;
        InlineHanded(const InlineHanded &) {}  // a copied part hands out entities of its own
        InlineHanded(InlineHanded &&other) noexcept { *this = std::move(other); }
        InlineHanded &operator=(const InlineHanded &other) {
            if (this != &other) *this = InlineHanded();
            return *this;
        }
        InlineHanded &operator=(InlineHanded &&other) noexcept {
            for (int i = 0; i < kInlineEntityIds; ++i) at[i] = other.at[i];
            partId = other.partId;
            return *this;
        }
    } inlineHanded;
    Kind kind = Kind::Free;
    script::Object *parent = nullptr;         // the container in the model
    // When the object joined its container (set by adopt): lookups find the
    // first of equals in the container's order by it.
    std::uint64_t joined = 0;
    std::vector<script::Object *> children;   // in the order the model keeps them
    std::vector<Property> properties;         // in the order they were given
    // A part: its tag and extent.
    QString tag;
    Box box;
    // A group: its members; a material or a condition: the entities it is applied to.
    std::vector<int> entityIds;
    // A group: its type and the type of its entities, texts of the application's.
    QString groupType;
    QString groupEntityType;
    // A scenario: its flags, the result quantities it writes and the results of its last run.
    QStringList flags;
    QStringList resultQuantities;
    QJsonObject results;
    // A mesh region: "box", "cylinder" or "sphere", and its geometry, flag
    // and size, null until set. Never changed in place (a change replaces
    // it), so node copies may share it.
    QString shape;
    std::shared_ptr<const RegionSetup> region;
    // A scenario: its settings, made when first set.
    SetupHolder setup;
    // A condition, a fan curve or a time curve: what it holds, made when first set.
    ConditionHolder condition;
    // A material, a motion, a property or a variation: its properties, type,
    // variations and values. Shared by plain node copies; deepCopy gives the
    // copy its own (copySettings).
    std::shared_ptr<Settings> settings;
    // Counts the changes of children, so that indexes built over them know when they are stale.
    unsigned revision = 0;
    LookupCache<ChildLookup> childLookup;
    LookupCache<EntityLookup> entityLookup;

    // The property of that name, or null.
    Property *findProperty(const QString &name);
};

// Passed as the parent by the constructors of value classes, which journal
// themselves: the base's construction is then not journaled on its own.
QObject *unjournaled(QObject *parent);
// The class under which the next base construction is journaled.
QObject *journaledAs(const char *hostClass, QObject *parent);

// Every host object has a node from its construction to its destruction.
Node &node(const script::Object *object);
// Tells node() where an object's node is, found by other means (an entity
// that a lookup hands out), so that the object's next questions find it at once.
void noteNode(const script::Object *object, Node *held);
void track(script::Object *object);
void untrack(script::Object *object);
void copyNode(const script::Object *from, script::Object *to);

// Live host objects of one class, by the class's name without namespace.
long liveTrackedObjects(const char *hostClass);

// Whether every number is finite: the stand-in refuses any other.
bool finite(std::initializer_list<double> numbers);

// Property values by kind; false when the kind is none of the five.
bool isPropertyKind(const QVariant &value);
int variantKind(const QVariant &value);  // script::Variant::Type
QString kindName(const QVariant &value);  // "bool", "int", "double", "text", "textList"

// Model objects: made quietly (the application makes them, no script asked),
// owned by the model and kept until the process ends, so that a proxy of a
// removed object still reads what it last held.
script::Object *makeObject(Kind kind, const QString &name, const QString &shape = QString());
void adopt(script::Object *parent, script::Object *child);
// Destroys model objects that no script has seen, as a set: links among them are not followed.
void destroyModelObjects(const std::vector<script::Object *> &objects);
// Takes the object out of its container; it stays readable but belongs nowhere.
void detach(script::Object *child);
std::vector<script::Object *> childrenOf(const script::Object *parent, Kind kind);

// Lookups among a container's children, hashed; each gives the first match in
// the container's order. They stay right through adopt, detach, deepCopy and
// every rename (setObjectName, however it is called). Three changes must go
// through the model for them: children change only by adopt and detach; a
// part's id, once the part is in a container, only by setPartId; and a part's
// entities, changed other than by adding at the end, are followed by
// entitiesChanged. A case-insensitive childNamed walks the children (it is
// meant for a design's few scenarios).
script::Object *childNamed(const script::Object *parent, Kind kind, const QString &name,
                           Qt::CaseSensitivity cs = Qt::CaseSensitive);
// Every child of that kind and name, in order (parts may share a name).
std::vector<script::Object *> childrenNamed(const script::Object *parent, Kind kind, const QString &name);
// The first part of that id.
script::Object *partOfId(const script::Object *scenario, int id);
// The part of that name and id; of that name and any id when id is 0.
script::Object *partByNameAndId(const script::Object *scenario, const QString &name, int id);
void setPartId(script::Object *part, int id);
// The part's entity of that id, or null; the first when ids repeat.
EntityRecord *entityOf(const script::Object *part, int id);
// The entity of that id of the first part of that name holding one, or null;
// that part, too, when asked for.
EntityRecord *entityOf(const script::Object *scenario, const QString &partName, int id,
                       script::Object **part = nullptr, const Node **partNode = nullptr);
void entitiesChanged(script::Object *part);
// The host entity that the scenario's entity lookups handed out for the
// entity of that id of the first part of that name holding one, with its
// node; null when that entity was not handed out yet, or there is none.
script::Entity *handedEntity(const script::Object *scenario, const QString &partName, int id, Node **entityNode);
void rememberHandedEntity(const script::Object *scenario, const script::Object *part, int id, script::Entity *entity,
                          Node *entityNode);
// Settings of their own for a copy of a setting object: new properties and
// variations, holding what the original's hold.
std::shared_ptr<Settings> copySettings(const Settings &settings);
// A deep copy of a design or scenario (with everything it holds) under a new name.
script::Object *deepCopy(const script::Object *source, const QString &name);
script::Object *ancestor(const script::Object *object, Kind kind);

// The study of the process and its own state.
struct StudyState {
    QString path;
    int lengthUnit = 0;  // Clt::Units::MLENGTHUNITS
    script::Object *active = nullptr;  // the active scenario, or null
    double loadTime = 0.0;
    int translateError = 0;
};
script::DesignStudy &study();
StudyState &studyState();
// A fresh, empty study: its designs are detached, its name, path and state cleared.
void clearStudy();

// Study files: the whole study to JSON and back. Reading builds a new model
// aside and gives it only when the whole file was good; otherwise it sets why.
QJsonObject studyToJson(const script::Object *onlyScenario = nullptr);
bool studyFromJson(const QJsonObject &root, bool withResults, QString *why);
bool writeStudyFile(const QString &path, const QJsonObject &root, QString *why);
bool readStudyFile(const QString &path, QJsonObject *root, QString *why);

extern const int kStudyFormatVersion;

}  // namespace standin
