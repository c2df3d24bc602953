// A scenario's mesh settings and mesh regions in the stand-in (docs/standin-mesh.md).
// Every operation journals itself and a refusal changes nothing. A region
// keeps copies of the vectors it was made from: the script's vectors may go
// the moment the constructor returns.
#include "mesh.h"

#include <script/Object.h>

#include "control.h"
#include "journal.h"
#include "model.h"

#include <QtCore/QJsonArray>
#include <QtCore/QVariant>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace standin {

const MeshSettingGroup kMeshSettingGroups[4] = {
    {Kind::MeshEnhancement, "Enhancement", "enhancement"},
    {Kind::MeshAdvancedControls, "Advanced controls", "advancedControls"},
    {Kind::MeshAdaptation, "Adaptation", "adaptation"},
    {Kind::MeshDiagnostics, "Diagnostics", "diagnostics"},
};

namespace {

// A refined mesh halves its sizes with every pass; past this many its cells
// would be smaller than any geometry the application reads.
const int kMostRefinementPasses = 8;
const char kRefinementPasses[] = "Refinement passes";
const char kMinimumLengthScale[] = "Minimum length scale";

struct Setting {
    const char *name;
    QVariant value;
};

// Every setting that a mesh or one of its groups has, at its default, in the
// order the application lists them. Made on first use: QVariant is not to be
// built before main.
const std::vector<Setting> &defaultsOf(Kind kind) {
    static const auto *all = new std::vector<std::vector<Setting>>{
        {{kRefinementPasses, QVariant(0)}},
        {{"Enhancement layers", QVariant(2)},
         {"Layer growth", QVariant(1.3)},
         {"Layer factor", QVariant(0.45)},
         {"Gap refinement", QVariant(true)}},
        {{kMinimumLengthScale, QVariant(0.0)},
         {"Curvature refinement", QVariant(true)},
         {"Curvature angle", QVariant(20.0)},
         {"Surface refinement", QVariant(0)}},
        {{"Enabled", QVariant(false)},
         {"Cycles", QVariant(2)},
         {"Target", QVariant(0.1)},
         {"Quantity", QVariant(QStringLiteral("Velocity"))}},
        {{kMinimumLengthScale, QVariant(0.001)},
         {"Check quality", QVariant(true)},
         {"Aspect ratio limit", QVariant(100.0)}},
    };
    switch (kind) {
    case Kind::MeshEnhancement: return (*all)[1];
    case Kind::MeshAdvancedControls: return (*all)[2];
    case Kind::MeshAdaptation: return (*all)[3];
    case Kind::MeshDiagnostics: return (*all)[4];
    default: return (*all)[0];
    }
}

QVariant defaultOf(Kind kind, const char *name) {
    for (const Setting &setting : defaultsOf(kind))
        if (std::strcmp(setting.name, name) == 0) return setting.value;
    return QVariant();
}

void completeProperties(Node &held, Kind kind) {
    for (const Setting &setting : defaultsOf(kind))
        if (!held.findProperty(QLatin1String(setting.name))) held.properties.push_back({QLatin1String(setting.name), setting.value});
}

// Found by its fixed name through the mesh's hashed lookup: a mesh may hold
// many regions, and scripts ask for the settings often.
script::Object *groupOf(const script::Object *mesh, Kind kind) {
    for (const MeshSettingGroup &group : kMeshSettingGroups)
        if (group.kind == kind) return childNamed(mesh, kind, QLatin1String(group.name));
    return nullptr;
}

// The mesh's setting object of that kind, made with the mesh's settings
// when it has none yet.
script::Object *settingsOf(const script::Object *mesh, Kind kind) {
    if (script::Object *found = groupOf(mesh, kind)) return found;
    completeMesh(const_cast<script::Object *>(mesh));
    return groupOf(mesh, kind);
}

const RegionSetup &noRegion() {
    static const RegionSetup *none = new RegionSetup();
    return *none;
}

// A change of a region's state: the node gets a changed copy, so that any
// node copy sharing the old one keeps it.
template <class Change>
void changeRegion(const script::Object *region, Change change) {
    Node &held = node(region);
    auto changed = std::make_shared<RegionSetup>(held.region ? *held.region : noRegion());
    change(*changed);
    held.region = std::move(changed);
}

QString sizeRefusal(const char *what, double value) {
    if (std::isfinite(value) && value >= 0.0) return QString();
    return QStringLiteral("%1 must be a finite number of at least 0").arg(QLatin1String(what));
}

QString vectorRefusal(const char *what, const Clt::Vector *vector) {
    if (!vector || (std::isfinite(vector->x) && std::isfinite(vector->y) && std::isfinite(vector->z))) return QString();
    return QStringLiteral("%1 must be finite").arg(QLatin1String(what));
}

// A null vector is journaled as null; one given, by its components.
void argVector(Call &call, const Clt::Vector *vector) {
    if (vector)
        call.arg(*vector);
    else
        call.arg(static_cast<const QObject *>(nullptr));
}

void copyVector(double *to, const Clt::Vector *vector) {
    if (!vector) return;  // a null leaves the origin
    to[0] = vector->x;
    to[1] = vector->y;
    to[2] = vector->z;
}

// What a constructor gives its region: copies of the vectors and the
// numbers, all of them or, when one is refused, none.
void makeRegion(script::MeshRegion *region, Call &call, std::initializer_list<std::pair<const char *, const Clt::Vector *>> vectors,
                std::initializer_list<std::pair<const char *, double>> numbers) {
    for (const auto &vector : vectors) {
        const QString why = vectorRefusal(vector.first, vector.second);
        if (!why.isEmpty()) {
            call.failed(why);
            return;
        }
    }
    for (const auto &number : numbers) {
        const QString why = sizeRefusal(number.first, number.second);
        if (!why.isEmpty()) {
            call.failed(why);
            return;
        }
    }
    changeRegion(region, [&](RegionSetup &setup) {
        int at = 0;
        for (const auto &vector : vectors) copyVector(setup.vectors[at++], vector.second);
        at = 0;
        for (const auto &number : numbers) setup.numbers[at++] = number.second;
    });
}

/* --- Study files ------------------------------------------------------------------ */

// The names of a shape's vectors and numbers in a study file, in the order of RegionSetup.
struct ShapeKeys {
    const char *shape;
    const char *vectors[3];
    const char *numbers[2];
};
const ShapeKeys kShapeKeys[] = {
    {"box", {"corner", "oppositeCorner", "rotation"}, {nullptr, nullptr}},
    {"cylinder", {"base", "axis", nullptr}, {"radius", "height"}},
    {"sphere", {"center", nullptr, nullptr}, {"radius", nullptr}},
};

const ShapeKeys *keysOf(const QString &shape) {
    for (const ShapeKeys &keys : kShapeKeys)
        if (shape == QLatin1String(keys.shape)) return &keys;
    return nullptr;
}

QString at(const QString &where, const char *key) {
    return where.isEmpty() ? QLatin1String(key) : where + QLatin1Char('.') + QLatin1String(key);
}

bool refuse(QString *why, const QString &where, const QString &what) {
    *why = where + QStringLiteral(": ") + what;
    return false;
}

bool readNumber(const QJsonObject &source, const QString &where, const char *key, double *number, QString *why) {
    const QJsonValue value = source.value(QLatin1String(key));
    if (value.isUndefined()) return true;
    if (!value.isDouble() || !std::isfinite(value.toDouble()) || value.toDouble() < 0.0)
        return refuse(why, at(where, key), QStringLiteral("must be a number of at least 0"));
    *number = value.toDouble();
    return true;
}

const char *kindNameOf(const QVariant &value) {
    switch (variantKind(value)) {
    case script::Variant::Bool: return "true or false";
    case script::Variant::Int: return "an int";
    case script::Variant::Double: return "a double";
    default: return "a text";
    }
}

// Settings the application knows keep their kind, whatever a file says.
bool checkKinds(const script::Object *object, Kind kind, const QString &where, QString *why) {
    const Node &held = node(object);
    for (const Setting &setting : defaultsOf(kind)) {
        for (const Property &property : held.properties)
            if (property.name == QLatin1String(setting.name) && variantKind(property.value) != variantKind(setting.value))
                return refuse(why, at(where, "properties"),
                              QStringLiteral("\"%1\" must be %2").arg(property.name, QLatin1String(kindNameOf(setting.value))));
    }
    return true;
}

}  // namespace

void completeMesh(script::Object *mesh) {
    Quiet quiet;
    completeProperties(node(mesh), Kind::Mesh);
    for (const MeshSettingGroup &group : kMeshSettingGroups) {
        script::Object *settings = groupOf(mesh, group.kind);
        if (!settings) {
            settings = makeObject(group.kind, QLatin1String(group.name));
            adopt(mesh, settings);
        }
        completeProperties(node(settings), group.kind);
    }
}

void copyMeshSettings(const script::Object *from, script::Object *to) {
    completeMesh(const_cast<script::Object *>(from));
    completeMesh(to);
    node(to).properties = node(from).properties;
    for (const MeshSettingGroup &group : kMeshSettingGroups)
        node(groupOf(to, group.kind)).properties = node(groupOf(from, group.kind)).properties;
}

const RegionSetup &regionOf(const script::Object *region) {
    const Node &held = node(region);
    return held.region ? *held.region : noRegion();
}

QString regionShape(const script::Object *region) {
    const QString &shape = node(region).shape;
    if (!shape.isEmpty()) return shape;
    if (dynamic_cast<const script::MeshCylindricalRegion *>(region)) return QStringLiteral("cylinder");
    if (dynamic_cast<const script::MeshSphericalRegion *>(region)) return QStringLiteral("sphere");
    if (dynamic_cast<const script::MeshBoxRegion *>(region)) return QStringLiteral("box");
    return QStringLiteral("");
}

QJsonObject regionToJson(const script::Object *region, bool defaultsToo) {
    const RegionSetup &setup = regionOf(region);
    QJsonObject geometry;
    if (const ShapeKeys *keys = keysOf(regionShape(region))) {
        for (int i = 0; i < 3; ++i) {
            const double *xyz = setup.vectors[i];
            if (keys->vectors[i] && (defaultsToo || xyz[0] != 0.0 || xyz[1] != 0.0 || xyz[2] != 0.0))
                geometry.insert(QLatin1String(keys->vectors[i]), QJsonArray{xyz[0], xyz[1], xyz[2]});
        }
        for (int i = 0; i < 2; ++i)
            if (keys->numbers[i] && (defaultsToo || setup.numbers[i] != 0.0))
                geometry.insert(QLatin1String(keys->numbers[i]), setup.numbers[i]);
    }
    QJsonObject out;
    if (defaultsToo || !geometry.isEmpty()) out.insert("geometry", geometry);
    if (defaultsToo || setup.uniform) out.insert("uniform", setup.uniform);
    if (defaultsToo || setup.localMeshSize != 0.0) out.insert("localMeshSize", setup.localMeshSize);
    if (defaultsToo || setup.spreads != 0) out.insert("spreads", setup.spreads);
    return out;
}

bool regionFromJson(script::Object *region, const QJsonObject &source, const QString &where, QString *why) {
    RegionSetup setup;
    const QJsonValue geometryValue = source.value(QLatin1String("geometry"));
    const QString geometryAt = at(where, "geometry");
    if (!geometryValue.isUndefined() && !geometryValue.isObject())
        return refuse(why, geometryAt, QStringLiteral("must be an object"));
    const QJsonObject geometry = geometryValue.toObject();
    if (const ShapeKeys *keys = keysOf(regionShape(region))) {
        for (int i = 0; i < 3; ++i) {
            if (!keys->vectors[i]) continue;
            const QJsonValue value = geometry.value(QLatin1String(keys->vectors[i]));
            if (value.isUndefined()) continue;
            const QJsonArray xyz = value.toArray();
            bool good = value.isArray() && xyz.size() == 3;
            for (int axis = 0; good && axis < 3; ++axis) {
                good = xyz.at(axis).isDouble() && std::isfinite(xyz.at(axis).toDouble());
                if (good) setup.vectors[i][axis] = xyz.at(axis).toDouble();
            }
            if (!good) return refuse(why, at(geometryAt, keys->vectors[i]), QStringLiteral("must be three numbers"));
        }
        for (int i = 0; i < 2; ++i)
            if (keys->numbers[i] && !readNumber(geometry, geometryAt, keys->numbers[i], &setup.numbers[i], why)) return false;
    }
    const QJsonValue uniform = source.value(QLatin1String("uniform"));
    if (!uniform.isUndefined() && !uniform.isBool()) return refuse(why, at(where, "uniform"), QStringLiteral("must be true or false"));
    setup.uniform = uniform.toBool(false);
    if (!readNumber(source, where, "localMeshSize", &setup.localMeshSize, why)) return false;
    double spreads = 0.0;
    if (!readNumber(source, where, "spreads", &spreads, why)) return false;
    if (spreads != std::floor(spreads) || spreads > 2147483647.0)
        return refuse(why, at(where, "spreads"), QStringLiteral("must be a whole number"));
    setup.spreads = int(spreads);
    node(region).region = std::make_shared<const RegionSetup>(setup);
    return true;
}

bool meshSettingsRead(script::Object *mesh, const QString &where, QString *why) {
    if (!checkKinds(mesh, Kind::Mesh, where, why)) return false;
    for (const MeshSettingGroup &group : kMeshSettingGroups)
        if (script::Object *settings = groupOf(mesh, group.kind))
            if (!checkKinds(settings, group.kind, at(where, group.key), why)) return false;
    return true;
}

script::Object *addMeshRegion(script::Object *scenario, const QString &shape, const QString &name, QString *why) {
    if (!keysOf(shape)) {
        *why = QStringLiteral("a region's shape is \"box\", \"cylinder\" or \"sphere\", not \"%1\"").arg(shape);
        return nullptr;
    }
    if (name.isEmpty()) {
        *why = QStringLiteral("a region needs a name");
        return nullptr;
    }
    script::Object *mesh = nullptr;
    for (script::Object *candidate : childrenOf(scenario, Kind::Mesh)) mesh = mesh ? mesh : candidate;
    if (!mesh) {
        *why = QStringLiteral("the scenario has no mesh");
        return nullptr;
    }
    if (childNamed(mesh, Kind::MeshRegion, name)) {
        *why = QStringLiteral("the mesh has a region named \"%1\"").arg(name);
        return nullptr;
    }
    script::Object *region = makeObject(Kind::MeshRegion, name, shape);
    adopt(mesh, region);
    return region;
}

}  // namespace standin

namespace script {

using standin::Call;
using standin::Changes;
using standin::Kind;
using standin::Reads;

/* --- The mesh and its settings ------------------------------------------------- */

Mesh::~Mesh() = default;
MeshEnhancement::~MeshEnhancement() = default;
MeshAdvancedControls::~MeshAdvancedControls() = default;
MeshAdaptation::~MeshAdaptation() = default;
MeshDiagnostics::~MeshDiagnostics() = default;

MeshEnhancement *Mesh::meshEnahancement() const {
    Call("Mesh", "meshEnahancement", Reads);
    if (standin::answer(this, "meshEnahancement")) return nullptr;
    return static_cast<MeshEnhancement *>(standin::settingsOf(this, Kind::MeshEnhancement));
}

MeshAdvancedControls *Mesh::advancedControls() const {
    Call("Mesh", "advancedControls", Reads);
    if (standin::answer(this, "advancedControls")) return nullptr;
    return static_cast<MeshAdvancedControls *>(standin::settingsOf(this, Kind::MeshAdvancedControls));
}

MeshAdaptation *Mesh::adaptation() const {
    Call("Mesh", "adaptation", Reads);
    if (standin::answer(this, "adaptation")) return nullptr;
    return static_cast<MeshAdaptation *>(standin::settingsOf(this, Kind::MeshAdaptation));
}

MeshDiagnostics *Mesh::diagnostics() const {
    Call("Mesh", "diagnostics", Reads);
    if (standin::answer(this, "diagnostics")) return nullptr;
    return static_cast<MeshDiagnostics *>(standin::settingsOf(this, Kind::MeshDiagnostics));
}

void Mesh::refine() {
    Call call("Mesh", "refine", Changes);
    standin::completeMesh(this);
    standin::Property *passes = standin::node(this).findProperty(QLatin1String(standin::kRefinementPasses));
    const int done = passes->value.toInt();
    if (done >= standin::kMostRefinementPasses) {
        call.failed(QStringLiteral("the mesh was refined %1 times, as often as it can be").arg(done));
        return;
    }
    passes->value = QVariant(done + 1);
}

void MeshDiagnostics::restoreMinimumLengthScale() {
    Call("MeshDiagnostics", "restoreMinimumLengthScale", Changes);
    standin::Node &held = standin::node(this);
    standin::completeProperties(held, Kind::MeshDiagnostics);
    held.findProperty(QLatin1String(standin::kMinimumLengthScale))->value =
        standin::defaultOf(Kind::MeshDiagnostics, standin::kMinimumLengthScale);
}

/* --- Regions ---------------------------------------------------------------------- */

MeshRegion::MeshRegion() : Object(standin::unjournaled(nullptr), QString()) {
    Call("MeshRegion", "MeshRegion", Changes);
}
MeshRegion::~MeshRegion() = default;

bool MeshRegion::uniform() const {
    Call("MeshRegion", "uniform", Reads);
    return standin::regionOf(this).uniform;
}

void MeshRegion::setUniform(bool uniform) {
    Call("MeshRegion", "setUniform", Changes).arg(uniform);
    standin::changeRegion(this, [uniform](standin::RegionSetup &setup) { setup.uniform = uniform; });
}

double MeshRegion::localMeshSize() const {
    Call("MeshRegion", "localMeshSize", Reads);
    return standin::regionOf(this).localMeshSize;
}

void MeshRegion::setLocalMeshSize(double size) {
    Call call("MeshRegion", "setLocalMeshSize", Changes);
    call.arg(size);
    const QString why = standin::sizeRefusal("a local mesh size", size);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::changeRegion(this, [size](standin::RegionSetup &setup) { setup.localMeshSize = size; });
}

void MeshRegion::spreadChanges() {
    Call call("MeshRegion", "spreadChanges", Changes);
    if (standin::regionOf(this).localMeshSize <= 0.0) {
        call.failed(QStringLiteral("the region has no local mesh size to spread"));
        return;
    }
    standin::changeRegion(this, [](standin::RegionSetup &setup) { ++setup.spreads; });
}

// The kinds' constructors journal under their own class; the base is made
// quietly, so that one construction is one entry.
MeshBoxRegion::MeshBoxRegion(Clt::Vector *first, Clt::Vector *second, Clt::Vector *third)
    : MeshRegion(standin::unjournaled(nullptr), QString()) {
    Call call("MeshBoxRegion", "MeshBoxRegion", Changes);
    standin::argVector(call, first);
    standin::argVector(call, second);
    standin::argVector(call, third);
    standin::makeRegion(this, call, {{"a corner", first}, {"the opposite corner", second}, {"a rotation", third}}, {});
}
MeshBoxRegion::~MeshBoxRegion() = default;

MeshCylindricalRegion::MeshCylindricalRegion(Clt::Vector *base, double radius, double height, Clt::Vector *axis)
    : MeshRegion(standin::unjournaled(nullptr), QString()) {
    Call call("MeshCylindricalRegion", "MeshCylindricalRegion", Changes);
    standin::argVector(call, base);
    call.arg(radius).arg(height);
    standin::argVector(call, axis);
    standin::makeRegion(this, call, {{"a base", base}, {"an axis", axis}}, {{"a radius", radius}, {"a height", height}});
}
MeshCylindricalRegion::~MeshCylindricalRegion() = default;

MeshSphericalRegion::MeshSphericalRegion(Clt::Vector *center, double radius)
    : MeshRegion(standin::unjournaled(nullptr), QString()) {
    Call call("MeshSphericalRegion", "MeshSphericalRegion", Changes);
    standin::argVector(call, center);
    call.arg(radius);
    standin::makeRegion(this, call, {{"a centre", center}}, {{"a radius", radius}});
}
MeshSphericalRegion::~MeshSphericalRegion() = default;

}  // namespace script
