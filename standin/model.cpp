#include "model.h"

#include "journal.h"

#include <script/Object.h>

#include <QtCore/QMetaType>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <unordered_set>

namespace standin {

namespace {
// Both live as long as the process: host objects are still destroyed by
// scripts while the process ends, after ordinary statics would have gone.
std::unordered_map<const script::Object *, Node> &nodes() {
    static auto *all = new std::unordered_map<const script::Object *, Node>();
    return *all;
}
std::unordered_set<script::Object *> &modelObjects() {
    static auto *kept = new std::unordered_set<script::Object *>();
    return *kept;
}

std::string className(const script::Object *object) {
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> demangled(
        abi::__cxa_demangle(typeid(*object).name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : typeid(*object).name();
    size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}
}  // namespace

/* --- Lookups ----------------------------------------------------------------- */

namespace {
// Every adoption takes the next stamp, so that stamps order a container's
// children as its list does, and an entry made for an earlier stay of an
// object in a container never passes for a later one.
std::uint64_t g_lastJoined = 0;

// Objects whose renames the lookups follow.
std::unordered_set<const script::Object *> &watched() {
    static auto *all = new std::unordered_set<const script::Object *>();
    return *all;
}

void renamed(script::Object *child, const QString &was);

// Whoever renames an object, and however, the lookups hear of it, at once
// and on any thread. The signal gives only the new name, so each watch
// remembers the name it last saw.
void watch(script::Object *child) {
    if (!watched().insert(child).second) return;
    QObject::connect(
        child, &QObject::objectNameChanged, child,
        [child, was = child->objectName()]() mutable {
            renamed(child, was);
            was = child->objectName();
        },
        Qt::DirectConnection);
}
}  // namespace

// A container's children by kind and name: open addressing with linear
// probing. A slot is one cache line and holds all that a lookup needs, the
// name too when it is short, so that a lookup in a study of many parts
// (where every slot and name is a miss of the cache) reads one line and
// nothing of the child itself. Equal keys may repeat (parts share names).
class NameTable {
public:
    struct alignas(64) Slot {
        script::Object *object;  // null: the slot is free
        Node *node;              // the object's, which stays put while the object lives
        std::uint32_t hash;
        int id;                  // a part's
        std::uint32_t length;    // of the name, in UTF-16 code units
        Kind kind;
        union {
            char16_t near[16];  // a name of up to 16 units
            QString *far;       // a longer one, owned by the slot
        };

        bool holds(Kind k, std::uint32_t h, const QString &name) const {
            if (hash != h || kind != k || length != std::uint32_t(name.size())) return false;
            if (length > kNear) return *far == name;
            return std::memcmp(near, name.utf16(), length * sizeof(char16_t)) == 0;
        }
    };
    static constexpr std::uint32_t kNear = 16;

    NameTable() = default;
    NameTable(const NameTable &) = delete;
    NameTable &operator=(const NameTable &) = delete;
    ~NameTable() {
        for (Slot &slot : m_slots)
            if (slot.object) release(slot);
    }

    void reserve(size_t count) {
        size_t size = 16;
        while (size * kMostFilled < count * kOf) size *= 2;
        if (size > m_slots.size()) regrow(size);
    }

    void insert(script::Object *object, Node &held) {
        reserve(m_used + 1);
        const QString name = object->objectName();
        Slot slot{};
        slot.object = object;
        slot.node = &held;
        slot.hash = hashOf(held.kind, name);
        slot.id = held.id;
        slot.length = std::uint32_t(name.size());
        slot.kind = held.kind;
        if (slot.length > kNear)
            slot.far = new QString(name);
        else
            std::memcpy(slot.near, name.utf16(), slot.length * sizeof(char16_t));
        size_t i = slot.hash & mask();
        while (m_slots[i].object) i = (i + 1) & mask();
        m_slots[i] = slot;
        ++m_used;
    }

    // The slot of that object under that key, or null.
    Slot *find(Kind kind, const QString &name, const script::Object *object) {
        Slot *found = nullptr;
        each(kind, name, [&](Slot &slot) {
            if (slot.object == object) found = &slot;
        });
        return found;
    }

    void erase(Kind kind, const QString &name, const script::Object *object) {
        Slot *slot = find(kind, name, object);
        if (!slot) return;
        release(*slot);
        // Later slots of the same run move back, so that no probe meets a
        // free slot before what it is looking for.
        size_t hole = size_t(slot - m_slots.data());
        for (size_t next = (hole + 1) & mask(); m_slots[next].object; next = (next + 1) & mask()) {
            const size_t home = m_slots[next].hash & mask();
            const bool staysPut = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
            if (staysPut) continue;
            m_slots[hole] = m_slots[next];
            hole = next;
        }
        m_slots[hole] = Slot{};
        --m_used;
    }

    // Visits every slot of that key.
    template <class Visit>
    void each(Kind kind, const QString &name, Visit visit) {
        if (m_slots.empty()) return;
        const std::uint32_t hash = hashOf(kind, name);
        for (size_t i = hash & mask(); m_slots[i].object; i = (i + 1) & mask())
            if (m_slots[i].holds(kind, hash, name)) visit(m_slots[i]);
    }

private:
    // At most seven in ten slots are taken.
    static constexpr size_t kMostFilled = 7, kOf = 10;

    static std::uint32_t hashOf(Kind kind, const QString &name) {
        const size_t hash = qHash(name) ^ (size_t(kind) * 0x9e3779b97f4a7c15ull);
        return std::uint32_t(hash ^ (hash >> 32));
    }
    size_t mask() const { return m_slots.size() - 1; }

    static void release(Slot &slot) {
        if (slot.length > kNear) delete slot.far;
    }

    void regrow(size_t size) {
        std::vector<Slot> old(size, Slot{});
        old.swap(m_slots);
        for (const Slot &slot : old) {
            if (!slot.object) continue;
            size_t i = slot.hash & mask();
            while (m_slots[i].object) i = (i + 1) & mask();
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
};
static_assert(sizeof(NameTable::Slot) == 64, "a slot is one cache line");

struct IdEntry {
    script::Object *object;
    std::uint64_t joined;
};

// The host entities that a scenario's entity lookups handed out, by part and
// entity id, side by side: looking one up again reads this table and the
// name table, and nothing of the part, whose node lies anywhere in a large
// model's memory. Any change that could make an entry untrue (a part leaving,
// its entities or id changing) empties the whole table at once, by a new
// generation, since such changes are rare beside lookups.
class HandedTable {
public:
    struct Entry {
        const script::Object *part;
        script::Entity *entity;
        Node *node;
        int id;
        unsigned generation;  // an entry of an older one is free
    };

    const Entry *find(const script::Object *part, int id) const {
        if (m_used == 0) return nullptr;
        for (size_t i = slotOf(part, id);; i = (i + 1) & mask()) {
            const Entry &entry = m_slots[i];
            if (entry.generation != m_generation) return nullptr;
            if (entry.part == part && entry.id == id) return &entry;
        }
    }

    void insert(const script::Object *part, int id, script::Entity *entity, Node *node) {
        if ((m_used + 1) * kOf > m_slots.size() * kMostFilled) regrow(std::max<size_t>(64, m_slots.size() * 2));
        place(Entry{part, entity, node, id, m_generation});
        ++m_used;
    }

    void clear() {
        ++m_generation;
        m_used = 0;
    }

private:
    static constexpr size_t kMostFilled = 7, kOf = 10;

    size_t mask() const { return m_slots.size() - 1; }
    size_t slotOf(const script::Object *part, int id) const {
        std::uint64_t key = reinterpret_cast<std::uintptr_t>(part) ^ (std::uint64_t(std::uint32_t(id)) * 0x9e3779b97f4a7c15ull);
        key ^= key >> 29;
        key *= 0xbf58476d1ce4e5b9ull;
        key ^= key >> 32;
        return size_t(key) & mask();
    }
    void place(const Entry &entry) {
        size_t i = slotOf(entry.part, entry.id);
        while (m_slots[i].generation == m_generation) i = (i + 1) & mask();
        m_slots[i] = entry;
    }
    void regrow(size_t size) {
        std::vector<Entry> old(size, Entry{nullptr, nullptr, nullptr, 0, 0});
        old.swap(m_slots);
        for (const Entry &entry : old)
            if (entry.generation == m_generation) place(entry);
    }

    std::vector<Entry> m_slots;
    size_t m_used = 0;
    unsigned m_generation = 1;  // slots start at 0: free
};

// Adopt, detach, renames and setPartId keep the entries exact, so that a
// lookup needs to look at nothing but its own entries.
struct ChildLookup {
    NameTable byName;
    std::unordered_multimap<int, IdEntry> partsById;
    HandedTable handed;
    size_t children = 0;  // the container's children when the lookup last matched them
};
struct EntityLookup {
    // The ids side by side, in the entities' order: a part's few entities are
    // found in one or two cache lines instead of a walk over the records.
    std::vector<int> ids;
    std::unordered_map<int, int> at;  // id: place in the part's entities, for parts of many
    size_t entities = 0;
};
void DropLookup::operator()(ChildLookup *lookup) const { delete lookup; }
void DropLookup::operator()(EntityLookup *lookup) const { delete lookup; }

namespace {
// Parts with no more entities than this are searched without a lookup.
const size_t kEntitiesScanned = 64;

void enter(ChildLookup &lookup, script::Object *child, Node &held) {
    lookup.byName.insert(child, held);
    if (held.kind == Kind::Part) lookup.partsById.emplace(held.id, IdEntry{child, held.joined});
}

void leaveIds(ChildLookup &lookup, int id, const script::Object *child) {
    auto range = lookup.partsById.equal_range(id);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second.object == child) {
            lookup.partsById.erase(it);
            return;
        }
}

// The container's lookup, made anew when its children changed behind its back.
ChildLookup &lookupOf(const script::Object *parent, Node &held) {
    auto &lookup = held.childLookup.held;
    if (lookup && lookup->children == held.children.size()) return *lookup;
    lookup.reset(new ChildLookup());
    lookup->byName.reserve(held.children.size());
    for (script::Object *child : held.children) {
        Node &childHeld = node(child);
        if (childHeld.parent != parent) continue;
        childHeld.joined = ++g_lastJoined;
        enter(*lookup, child, childHeld);
        watch(child);
    }
    lookup->children = held.children.size();
    return *lookup;
}

// The lookup of the container, when it is there and matches its children.
ChildLookup *currentLookup(Node &held) {
    ChildLookup *lookup = held.childLookup.held.get();
    return lookup && lookup->children == held.children.size() ? lookup : nullptr;
}

void renamed(script::Object *child, const QString &was) {
    auto found = nodes().find(child);
    if (found == nodes().end() || !found->second.parent) return;
    Node &held = found->second;
    ChildLookup *lookup = currentLookup(node(held.parent));
    if (!lookup) return;
    lookup->byName.erase(held.kind, was, child);
    lookup->byName.insert(child, held);
}

// The container's lookup, or null when it has no children.
ChildLookup *lookupAmong(const script::Object *parent) {
    Node &held = node(parent);
    return held.children.empty() ? nullptr : &lookupOf(parent, held);
}

// The first in the container's order of the children of that kind and name that pass.
template <class Pass>
script::Object *firstNamed(ChildLookup &lookup, Kind kind, const QString &name, Pass pass) {
    const NameTable::Slot *best = nullptr;
    lookup.byName.each(kind, name, [&](const NameTable::Slot &slot) {
        // Only equal names need the children's order, which is in their nodes.
        if ((!best || slot.node->joined < best->node->joined) && pass(slot)) best = &slot;
    });
    return best ? best->object : nullptr;
}
}  // namespace

script::Object *childNamed(const script::Object *parent, Kind kind, const QString &name, Qt::CaseSensitivity cs) {
    if (cs == Qt::CaseInsensitive) {
        for (script::Object *child : node(parent).children)
            if (node(child).kind == kind && child->objectName().compare(name, cs) == 0) return child;
        return nullptr;
    }
    ChildLookup *lookup = lookupAmong(parent);
    return lookup ? firstNamed(*lookup, kind, name, [](const NameTable::Slot &) { return true; }) : nullptr;
}

std::vector<script::Object *> childrenNamed(const script::Object *parent, Kind kind, const QString &name) {
    ChildLookup *lookup = lookupAmong(parent);
    if (!lookup) return {};
    std::vector<std::pair<std::uint64_t, script::Object *>> found;
    lookup->byName.each(kind, name, [&](const NameTable::Slot &slot) { found.emplace_back(slot.node->joined, slot.object); });
    std::sort(found.begin(), found.end());
    std::vector<script::Object *> objects;
    objects.reserve(found.size());
    for (const auto &entry : found) objects.push_back(entry.second);
    return objects;
}

script::Object *partOfId(const script::Object *scenario, int id) {
    ChildLookup *lookup = lookupAmong(scenario);
    if (!lookup) return nullptr;
    const IdEntry *best = nullptr;
    auto range = lookup->partsById.equal_range(id);
    for (auto it = range.first; it != range.second; ++it)
        if (!best || it->second.joined < best->joined) best = &it->second;
    return best ? best->object : nullptr;
}

script::Object *partByNameAndId(const script::Object *scenario, const QString &name, int id) {
    ChildLookup *lookup = lookupAmong(scenario);
    if (!lookup) return nullptr;
    return firstNamed(*lookup, Kind::Part, name, [id](const NameTable::Slot &slot) { return id == 0 || slot.id == id; });
}

void setPartId(script::Object *part, int id) {
    Node &held = node(part);
    const int was = held.id;
    held.id = id;
    if (was == id || !held.parent || held.kind != Kind::Part) return;
    if (ChildLookup *lookup = currentLookup(node(held.parent))) {
        lookup->handed.clear();  // their entities hold the part's id in their own copies
        leaveIds(*lookup, was, part);
        lookup->partsById.emplace(id, IdEntry{part, held.joined});
        if (NameTable::Slot *slot = lookup->byName.find(Kind::Part, part->objectName(), part)) slot->id = id;
    }
}

namespace {
EntityRecord *entityIn(Node &held, int id) {
    std::vector<EntityRecord> &entities = held.entities;
    const size_t inlined = std::min(entities.size(), size_t(Node::kInlineEntityIds));
    if (held.inlineEntityCount != int(entities.size())) {
        for (size_t i = 0; i < inlined; ++i) held.inlineEntityIds[i] = entities[i].id;
        held.inlineEntityCount = int(entities.size());
    }
    // Records are only ever added, so the ids stay true while the count does.
    for (size_t i = 0; i < inlined; ++i)
        if (held.inlineEntityIds[i] == id) return &entities[i];
    if (entities.size() == inlined) return nullptr;
    // Entities added at the end change the count and so remake the lookup;
    // one found at a place that now holds another means the list was changed
    // in place, and the lookup is made again once.
    auto &lookup = held.entityLookup.held;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!lookup || lookup->entities != entities.size() || attempt == 1) {
            lookup.reset(new EntityLookup());
            lookup->ids.reserve(entities.size());
            for (const EntityRecord &entity : entities) lookup->ids.push_back(entity.id);
            if (entities.size() > kEntitiesScanned) {
                lookup->at.reserve(entities.size());
                for (size_t i = 0; i < entities.size(); ++i) lookup->at.emplace(entities[i].id, int(i));
            }
            lookup->entities = entities.size();
        }
        size_t place = entities.size();
        if (entities.size() <= kEntitiesScanned) {
            const std::vector<int> &ids = lookup->ids;
            for (size_t i = 0; i < ids.size(); ++i)
                if (ids[i] == id) {
                    place = i;
                    break;
                }
            if (place == entities.size()) return nullptr;
        } else {
            auto found = lookup->at.find(id);
            if (found == lookup->at.end()) return nullptr;
            place = size_t(found->second);
        }
        if (place < entities.size() && entities[place].id == id) return &entities[place];
    }
    return nullptr;
}
}  // namespace

EntityRecord *entityOf(const script::Object *part, int id) { return entityIn(node(part), id); }

EntityRecord *entityOf(const script::Object *scenario, const QString &partName, int id, script::Object **part,
                       const Node **partNode) {
    EntityRecord *entity = nullptr;
    const Node *holderNode = nullptr;
    script::Object *holder = nullptr;
    if (ChildLookup *lookup = lookupAmong(scenario)) {
        holder = firstNamed(*lookup, Kind::Part, partName, [&](const NameTable::Slot &slot) {
            EntityRecord *found = entityIn(*slot.node, id);
            if (found) entity = found, holderNode = slot.node;
            return found != nullptr;
        });
    }
    if (part) *part = holder;
    if (partNode) *partNode = holderNode;
    return entity;
}

void entitiesChanged(script::Object *part) {
    Node &held = node(part);
    held.entityLookup.held.reset();
    if (held.parent)
        if (ChildLookup *lookup = currentLookup(node(held.parent))) lookup->handed.clear();
}

script::Entity *handedEntity(const script::Object *scenario, const QString &partName, int id, Node **entityNode) {
    ChildLookup *lookup = lookupAmong(scenario);
    if (!lookup) return nullptr;
    const HandedTable::Entry *handed = nullptr;
    firstNamed(*lookup, Kind::Part, partName, [&](const NameTable::Slot &slot) {
        const HandedTable::Entry *found = lookup->handed.find(slot.object, id);
        if (found) {
            handed = found;
            return true;
        }
        // A part whose entity was not handed out yet may come first all the same.
        if (!entityIn(*slot.node, id)) return false;
        handed = nullptr;
        return true;
    });
    if (!handed) return nullptr;
    *entityNode = handed->node;
    return handed->entity;
}

void rememberHandedEntity(const script::Object *scenario, const script::Object *part, int id, script::Entity *entity,
                          Node *entityNode) {
    if (ChildLookup *lookup = lookupAmong(scenario)) lookup->handed.insert(part, id, entity, entityNode);
}

void Box::include(const Box &other) {
    if (!other.valid) return;
    if (!valid) {
        *this = other;
        return;
    }
    for (int axis = 0; axis < 3; ++axis) {
        min[axis] = std::min(min[axis], other.min[axis]);
        max[axis] = std::max(max[axis], other.max[axis]);
    }
}

namespace {
// The nodes looked up last, by a few bits of the object's address: a script
// asks one object several things in a row (an entity's id, name and type),
// and a lookup in the table of every node of a large study misses the cache
// twice. The table's nodes never move, so an entry holds until its object's
// node goes (untrack).
struct RecentNode {
    const script::Object *object = nullptr;
    Node *held = nullptr;
};
RecentNode g_recent[512];
RecentNode &recentSlot(const script::Object *object) {
    return g_recent[(reinterpret_cast<std::uintptr_t>(object) >> 4) & 511];
}
}  // namespace

Node &node(const script::Object *object) {
    RecentNode &recent = recentSlot(object);
    if (recent.object == object) return *recent.held;
    Node &held = nodes()[object];
    recent = {object, &held};
    return held;
}

void noteNode(const script::Object *object, Node *held) { recentSlot(object) = {object, held}; }

Property *Node::findProperty(const QString &name) {
    for (Property &property : properties)
        if (property.name == name) return &property;
    return nullptr;
}
void track(script::Object *object) { nodes()[object]; }
void untrack(script::Object *object) {
    auto found = nodes().find(object);
    if (found == nodes().end()) return;
    // An object that goes while in the model leaves no pointer to itself behind.
    if (found->second.parent) detach(object);
    for (script::Object *child : found->second.children) {
        auto held = nodes().find(child);
        if (held != nodes().end() && held->second.parent == object) held->second.parent = nullptr;
    }
    watched().erase(object);
    RecentNode &recent = recentSlot(object);
    if (recent.object == object) recent = RecentNode();
    nodes().erase(found);
}

void copyNode(const script::Object *from, script::Object *to) {
    // A copy takes what the object holds, never its place in the tree.
    Node copy = node(from);
    copy.parent = nullptr;
    copy.children.clear();
    copy.kind = Kind::Free;
    node(to) = std::move(copy);
}

long liveTrackedObjects(const char *hostClass) {
    long count = 0;
    for (const auto &entry : nodes())
        if (className(entry.first) == hostClass) ++count;
    return count;
}

bool finite(std::initializer_list<double> numbers) {
    for (double number : numbers)
        if (!std::isfinite(number)) return false;
    return true;
}

bool isPropertyKind(const QVariant &value) { return variantKind(value) != script::Variant::Invalid; }

int variantKind(const QVariant &value) {
    switch (value.typeId()) {
    case QMetaType::Bool: return script::Variant::Bool;
    case QMetaType::Int: return script::Variant::Int;
    case QMetaType::Double: return script::Variant::Double;
    case QMetaType::QString: return script::Variant::String;
    case QMetaType::QStringList: return script::Variant::StringList;
    default: return script::Variant::Invalid;
    }
}

QString kindName(const QVariant &value) {
    switch (variantKind(value)) {
    case script::Variant::Bool: return QStringLiteral("bool");
    case script::Variant::Int: return QStringLiteral("int");
    case script::Variant::Double: return QStringLiteral("double");
    case script::Variant::String: return QStringLiteral("text");
    case script::Variant::StringList: return QStringLiteral("textList");
    default: return QString();
    }
}

script::Object *makeObject(Kind kind, const QString &name, const QString &shape) {
    Quiet quiet;
    script::Object *object = nullptr;
    switch (kind) {
    case Kind::Design: object = new script::Design(nullptr, name); break;
    case Kind::Scenario: object = new script::Analysis(nullptr, name); break;
    case Kind::Part: object = new script::Part(nullptr, name); break;
    case Kind::Group: object = new script::Group(nullptr, name); break;
    case Kind::Material: object = new script::Material(nullptr, name); break;
    case Kind::BoundaryCondition: object = new script::BoundaryCondition(name, nullptr); break;
    case Kind::InitialCondition: object = new script::InitialCondition(name, nullptr); break;
    case Kind::Mesh: object = new script::Mesh(nullptr, name); break;
    case Kind::MeshEnhancement: object = new script::MeshEnhancement(nullptr, name); break;
    case Kind::MeshAdvancedControls: object = new script::MeshAdvancedControls(nullptr, name); break;
    case Kind::MeshAdaptation: object = new script::MeshAdaptation(nullptr, name); break;
    case Kind::MeshDiagnostics: object = new script::MeshDiagnostics(nullptr, name); break;
    case Kind::MeshRegion:
        if (shape == QLatin1String("cylinder"))
            object = new script::MeshCylindricalRegion(nullptr, name);
        else if (shape == QLatin1String("sphere"))
            object = new script::MeshSphericalRegion(nullptr, name);
        else
            object = new script::MeshBoxRegion(nullptr, name);
        break;
    case Kind::Study: object = new script::DesignStudy(nullptr, name); break;
    case Kind::Free: object = new script::Container(nullptr, name); break;
    }
    Node &made = node(object);
    made.kind = kind;
    made.shape = kind == Kind::MeshRegion ? (shape.isEmpty() ? QStringLiteral("box") : shape) : QString();
    modelObjects().insert(object);
    return object;
}

void destroyModelObjects(const std::vector<script::Object *> &objects) {
    auto &kept = modelObjects();
    const std::unordered_set<const script::Object *> going(objects.begin(), objects.end());
    for (script::Object *object : objects) {
        Node &held = node(object);
        if (held.parent && !going.count(held.parent)) detach(object);
        held.parent = nullptr;
        held.children.clear();
        held.childLookup.held.reset();
        kept.erase(object);
    }
    for (script::Object *object : objects) delete object;
}

void adopt(script::Object *parent, script::Object *child) {
    detach(child);
    Node &held = node(child);
    Node &container = node(parent);
    ChildLookup *lookup = currentLookup(container);
    held.parent = parent;
    held.joined = ++g_lastJoined;
    container.children.push_back(child);
    ++container.revision;
    if (lookup) {
        enter(*lookup, child, held);
        lookup->children = container.children.size();
        watch(child);
    }
}

void detach(script::Object *child) {
    Node &held = node(child);
    if (!held.parent) return;
    Node &container = node(held.parent);
    auto &siblings = container.children;
    ChildLookup *lookup = currentLookup(container);
    // Children most often go in the reverse of the order they came in.
    auto place = std::find(siblings.rbegin(), siblings.rend(), child);
    if (place != siblings.rend()) siblings.erase(std::next(place).base());
    ++container.revision;
    if (lookup) {
        lookup->byName.erase(held.kind, child->objectName(), child);
        if (held.kind == Kind::Part) {
            leaveIds(*lookup, held.id, child);
            lookup->handed.clear();
        }
        lookup->children = siblings.size();
    }
    held.parent = nullptr;
    StudyState &state = studyState();
    if (state.active && (state.active == child || ancestor(state.active, held.kind) == child))
        state.active = nullptr;
}

std::vector<script::Object *> childrenOf(const script::Object *parent, Kind kind) {
    std::vector<script::Object *> found;
    for (script::Object *child : node(parent).children)
        if (node(child).kind == kind) found.push_back(child);
    return found;
}

script::Object *deepCopy(const script::Object *source, const QString &name) {
    const Node &from = node(source);
    script::Object *copy = makeObject(from.kind, name, from.shape);
    Node &to = node(copy);
    Node kept = from;
    kept.parent = nullptr;
    kept.children.clear();
    to = std::move(kept);
    if (to.settings) to.settings = copySettings(*to.settings);
    for (script::Object *child : from.children) adopt(copy, deepCopy(child, child->objectName()));
    return copy;
}

script::Object *ancestor(const script::Object *object, Kind kind) {
    for (script::Object *up = object ? node(object).parent : nullptr; up; up = node(up).parent)
        if (node(up).kind == kind) return up;
    return nullptr;
}

script::DesignStudy &study() {
    static script::DesignStudy *one = static_cast<script::DesignStudy *>(makeObject(Kind::Study, QStringLiteral("")));
    return *one;
}

StudyState &studyState() {
    static auto *state = new StudyState();
    return *state;
}

void clearStudy() {
    script::DesignStudy &the = study();
    for (script::Object *design : childrenOf(&the, Kind::Design)) detach(design);
    Node &held = node(&the);
    held.properties.clear();
    the.QObject::setObjectName(QStringLiteral(""));
    studyState() = StudyState();
}

}  // namespace standin
