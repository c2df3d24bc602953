#include "model.h"

#include "journal.h"

#include <script/Object.h>

#include <QtCore/QMetaType>

#include <algorithm>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>
#include <unordered_map>

namespace standin {

namespace {
// Both live as long as the process: host objects are still destroyed by
// scripts while the process ends, after ordinary statics would have gone.
std::unordered_map<const script::Object *, Node> &nodes() {
    static auto *all = new std::unordered_map<const script::Object *, Node>();
    return *all;
}
std::vector<script::Object *> &modelObjects() {
    static auto *kept = new std::vector<script::Object *>();
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

Node &node(const script::Object *object) { return nodes()[object]; }

Property *Node::findProperty(const QString &name) {
    for (Property &property : properties)
        if (property.name == name) return &property;
    return nullptr;
}
void track(script::Object *object) { nodes()[object]; }
void untrack(script::Object *object) { nodes().erase(object); }

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
    modelObjects().push_back(object);
    return object;
}

void destroyModelObjects(const std::vector<script::Object *> &objects) {
    auto &kept = modelObjects();
    for (script::Object *object : objects) {
        node(object).parent = nullptr;
        node(object).children.clear();
        kept.erase(std::remove(kept.begin(), kept.end(), object), kept.end());
    }
    for (script::Object *object : objects) delete object;
}

void adopt(script::Object *parent, script::Object *child) {
    detach(child);
    node(child).parent = parent;
    node(parent).children.push_back(child);
    ++node(parent).revision;
}

void detach(script::Object *child) {
    Node &held = node(child);
    if (!held.parent) return;
    auto &siblings = node(held.parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), child), siblings.end());
    ++node(held.parent).revision;
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

script::Object *childNamed(const script::Object *parent, Kind kind, const QString &name, Qt::CaseSensitivity cs) {
    for (script::Object *child : childrenOf(parent, kind))
        if (child->objectName().compare(name, cs) == 0) return child;
    return nullptr;
}

script::Object *deepCopy(const script::Object *source, const QString &name) {
    const Node &from = node(source);
    script::Object *copy = makeObject(from.kind, name, from.shape);
    Node &to = node(copy);
    Node kept = from;
    kept.parent = nullptr;
    kept.children.clear();
    to = std::move(kept);
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
