// Study files: the study as an indented JSON document (docs/study-files.md).
// Reading checks the whole file and builds the new model aside; only a good
// file replaces the open study. Writing goes through a temporary file that
// replaces the old one only when everything was written.
#include "conditions.h"
#include "materials.h"
#include "mesh.h"
#include "model.h"
#include "properties.h"
#include "scenario.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonParseError>
#include <QtCore/QSaveFile>
#include <QtCore/QSet>

#include <cerrno>
#include <climits>
#include <cstring>
#include <cmath>
#include <map>
#include <stdexcept>
#include <type_traits>
#include <unordered_set>

namespace standin {

// Version 2 added the scenario's settings ("setup"); version 1 files, which
// have none, still open.
const int kStudyFormatVersion = 2;

namespace {
const char kFormatName[] = "Setup study";
// Study files larger than this are refused before they are read.
const qint64 kLargestStudyFile = 256 * 1024 * 1024;

const char *const kLengthUnits[] = {"meter", "centimeter", "millimeter", "micron", "kilometer",
                                    "inch",  "foot",       "yard",       "mile"};
const char *const kEntityKinds[] = {"point", "edge", "surface", "volume", "unknown"};

/* --- Writing ------------------------------------------------------------------- */

QJsonArray propertiesToJson(const Node &held) {
    QJsonArray out;
    for (const Property &property : held.properties) {
        QJsonObject entry{{"name", property.name}, {"type", kindName(property.value)}};
        if (property.value.typeId() == QMetaType::QStringList)
            entry.insert("value", QJsonArray::fromStringList(property.value.toStringList()));
        else
            entry.insert("value", QJsonValue::fromVariant(property.value));
        out.append(entry);
    }
    return out;
}

QJsonArray idsToJson(const std::vector<int> &ids) {
    QJsonArray out;
    for (int id : ids) out.append(id);
    return out;
}

QJsonArray point(const double *xyz) { return QJsonArray{xyz[0], xyz[1], xyz[2]}; }

QJsonObject named(const script::Object *object) {
    return QJsonObject{{"name", object->objectName()}, {"properties", propertiesToJson(node(object))}};
}

QJsonObject partToJson(const script::Object *part) {
    const Node &held = node(part);
    QJsonObject out = named(part);
    out.insert("id", held.id);
    out.insert("tag", held.tag);
    if (held.box.valid) out.insert("boundingBox", QJsonObject{{"min", point(held.box.min)}, {"max", point(held.box.max)}});
    QJsonArray entities;
    for (const EntityRecord &entity : held.entities) {
        QJsonObject entry{{"id", entity.id}, {"kind", kEntityKinds[entity.kind]}, {"name", entity.name}};
        // Written only when set, so that a study that never had them reads as it was.
        if (!entity.tagName.isEmpty()) entry.insert("tagName", entity.tagName);
        if (entity.planar) entry.insert("planar", true);
        if (entity.wall) entry.insert("wall", true);
        entities.append(entry);
    }
    out.insert("entities", entities);
    return out;
}

QJsonArray listToJson(const script::Object *scenario, Kind kind) {
    QJsonArray out;
    for (const script::Object *child : childrenOf(scenario, kind)) {
        if (kind == Kind::Part) {
            out.append(partToJson(child));
            continue;
        }
        QJsonObject entry = named(child);
        entry.insert("entities", idsToJson(node(child).entityIds));
        // Written only for a material that has them, so that one without reads as it was.
        if (kind == Kind::Material && hasSettings(child)) entry.insert("physicalProperties", settingsToJson(child));
        if (kind == Kind::Material) materialSetupToJson(child, entry);
        // Likewise only for a condition that holds a value, an axis, a curve or a text.
        if (kind == Kind::BoundaryCondition || kind == Kind::InitialCondition) {
            const QJsonObject condition = conditionToJson(child);
            if (!condition.isEmpty()) entry.insert("condition", condition);
        }
        if (kind == Kind::Group) {
            if (!node(child).groupType.isEmpty()) entry.insert("type", node(child).groupType);
            if (!node(child).groupEntityType.isEmpty()) entry.insert("entityType", node(child).groupEntityType);
        }
        out.append(entry);
    }
    return out;
}

QJsonObject scenarioToJson(const script::Object *scenario) {
    const Node &held = node(scenario);
    QJsonObject out = named(scenario);
    out.insert("flags", QJsonArray::fromStringList(held.flags));
    out.insert("resultQuantities", QJsonArray::fromStringList(held.resultQuantities));
    out.insert("results", held.results);
    out.insert("parts", listToJson(scenario, Kind::Part));
    out.insert("groups", listToJson(scenario, Kind::Group));
    out.insert("materials", listToJson(scenario, Kind::Material));
    out.insert("boundaryConditions", listToJson(scenario, Kind::BoundaryCondition));
    out.insert("initialConditions", listToJson(scenario, Kind::InitialCondition));
    for (const script::Object *mesh : childrenOf(scenario, Kind::Mesh)) {
        QJsonObject meshOut{{"properties", propertiesToJson(node(mesh))}};
        // Its setting groups, those it has: one it never had reads back at its defaults.
        for (const MeshSettingGroup &group : kMeshSettingGroups)
            for (const script::Object *settings : childrenOf(mesh, group.kind))
                meshOut.insert(QLatin1String(group.key), QJsonObject{{"properties", propertiesToJson(node(settings))}});
        QJsonArray regions;
        for (const script::Object *region : childrenOf(mesh, Kind::MeshRegion)) {
            QJsonObject entry = named(region);
            entry.insert("shape", node(region).shape);
            const QJsonObject state = regionToJson(region);
            for (auto item = state.begin(); item != state.end(); ++item) entry.insert(item.key(), item.value());
            regions.append(entry);
        }
        meshOut.insert("regions", regions);
        out.insert("mesh", meshOut);
    }
    if (held.setup.get()) out.insert("setup", scenarioSetupToJson(scenario));
    return out;
}

/* --- Reading ------------------------------------------------------------------- */

// A refusal, with where in the file it was met.
struct Bad : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void refuse(const QString &where, const QString &what) {
    throw Bad((where.isEmpty() ? what : where + QStringLiteral(": ") + what).toStdString());
}

QString at(const QString &where, const QString &key) { return where.isEmpty() ? key : where + QLatin1Char('.') + key; }
QString at(const QString &where, qsizetype index) { return where + QStringLiteral("[%1]").arg(index); }

// Where in the file a value stands, spelled out only when the file is
// refused: a study has hundreds of thousands of places, and a good file
// needs none of them. A place made by key() or item() refers to the one it
// was made from, which must outlive it (name that one; never chain on a
// temporary). A text converts to a place, so the helpers below take either.
class Where {
public:
    Where(const QString &text) : m_text(text) {}
    Where key(const char *key) const { return Where(this, key, 0); }
    Where item(qsizetype index) const { return Where(this, nullptr, index); }
    QString text() const {
        if (!m_up) return m_text;
        return m_key ? at(m_up->text(), QLatin1String(m_key)) : at(m_up->text(), m_index);
    }

private:
    Where(const Where *up, const char *key, qsizetype index) : m_up(up), m_key(key), m_index(index) {}
    const Where *m_up = nullptr;
    const char *m_key = nullptr;
    qsizetype m_index = 0;
    QString m_text;
};

[[noreturn]] void refuse(const Where &where, const QString &what) { refuse(where.text(), what); }

QJsonArray arrayOf(const QJsonObject &object, const Where &where, const char *key, bool required = false) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() && !required) return QJsonArray();
    if (!value.isArray()) refuse(where.key(key), QStringLiteral("must be a list"));
    return value.toArray();
}

QJsonObject objectAt(const QJsonValue &value, const Where &where) {
    if (!value.isObject()) refuse(where, QStringLiteral("must be an object"));
    return value.toObject();
}

// Visits each object of a list of the file, with the place where it stands:
// as a Where to a visitor that takes one, spelled out to one that takes a text.
template <class Visit>
void eachObjectOf(const QJsonObject &source, const Where &where, const char *key, Visit visit) {
    const QJsonArray items = arrayOf(source, where, key);
    const Where listAt = where.key(key);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Where here = listAt.item(i);
        if constexpr (std::is_invocable_v<Visit &, const QJsonObject &, const Where &>)
            visit(objectAt(items.at(i), here), here);
        else
            visit(objectAt(items.at(i), here), here.text());
    }
}

QString textOf(const QJsonObject &object, const Where &where, const char *key, bool required = true) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() && !required) return QStringLiteral("");
    if (!value.isString()) refuse(where.key(key), QStringLiteral("must be a text"));
    return value.toString();
}

// An optional true or false, false when left out.
bool truthOf(const QJsonObject &object, const Where &where, const char *key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) return false;
    if (!value.isBool()) refuse(where.key(key), QStringLiteral("must be true or false"));
    return value.toBool();
}

int wholeNumber(const QJsonValue &value, const Where &where) {
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::floor(number) || number < INT_MIN || number > INT_MAX)
        refuse(where, QStringLiteral("must be a whole number"));
    return int(number);
}

QStringList textsOf(const QJsonValue &value, const Where &where) {
    if (!value.isArray()) refuse(where, QStringLiteral("must be a list of texts"));
    QStringList texts;
    for (const QJsonValue &item : value.toArray()) {
        if (!item.isString()) refuse(where, QStringLiteral("must be a list of texts"));
        texts.append(item.toString());
    }
    return texts;
}

void readPoint(const QJsonValue &value, const Where &where, double *xyz) {
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != 3) refuse(where, QStringLiteral("must be three numbers"));
    for (int axis = 0; axis < 3; ++axis) {
        if (!array.at(axis).isDouble()) refuse(where, QStringLiteral("must be three numbers"));
        xyz[axis] = array.at(axis).toDouble();
    }
}

// Builds the new model aside; what it made goes if the file is refused.
class Builder {
public:
    ~Builder() {
        if (!m_kept) destroyModelObjects(m_made);
    }
    // Keeps what was made, but for the scaffolding that held it while it was read.
    void keep(std::vector<script::Object *> scaffolding) {
        m_kept = true;
        destroyModelObjects(scaffolding);
    }

    script::Object *make(Kind kind, const QJsonObject &source, const Where &where, const QString &shape = QString()) {
        script::Object *object = makeObject(kind, textOf(source, where, "name"), shape);
        m_made.push_back(object);
        readProperties(node(object), source, where);
        return object;
    }

    // The names and part ids met so far in each container of the file. The
    // model's own lookups would do, but they would be made (and then kept up)
    // for a study that no script has searched yet.
    void unique(const script::Object *container, Kind kind, const QString &name, const Where &where) {
        QSet<QString> &names = m_names[{container, kind}];
        if (names.contains(name)) refuse(where, QStringLiteral("a second one named \"%1\"").arg(name));
        names.insert(name);
    }
    void uniquePartId(const script::Object *scenario, int id, const Where &where) {
        if (!m_partIds[scenario].insert(id).second) refuse(where, QStringLiteral("a second part with id %1").arg(id));
    }

private:
    void readProperties(Node &held, const QJsonObject &source, const Where &where) {
        eachObjectOf(source, where, "properties", [&](const QJsonObject &entry, const Where &here) {
            const QString name = textOf(entry, here, "name");
            const QString type = textOf(entry, here, "type");
            const QJsonValue value = entry.value(QLatin1String("value"));
            const Where valueAt = here.key("value");
            QVariant read;
            if (type == QLatin1String("bool")) {
                if (!value.isBool()) refuse(valueAt, QStringLiteral("must be true or false"));
                read = value.toBool();
            } else if (type == QLatin1String("int")) {
                read = wholeNumber(value, valueAt);
            } else if (type == QLatin1String("double")) {
                if (!value.isDouble()) refuse(valueAt, QStringLiteral("must be a number"));
                read = value.toDouble();
            } else if (type == QLatin1String("text")) {
                if (!value.isString()) refuse(valueAt, QStringLiteral("must be a text"));
                read = value.toString();
            } else if (type == QLatin1String("textList")) {
                read = textsOf(value, valueAt);
            } else {
                refuse(here.key("type"),
                       QStringLiteral("must be bool, int, double, text or textList, not \"%1\"").arg(type));
            }
            if (name.isEmpty()) refuse(here.key("name"), QStringLiteral("must not be empty"));
            if (held.findProperty(name)) refuse(here, QStringLiteral("a second property \"%1\"").arg(name));
            held.properties.push_back({name, read});
        });
    }

    std::vector<script::Object *> m_made;
    bool m_kept = false;
    std::map<std::pair<const script::Object *, Kind>, QSet<QString>> m_names;
    std::map<const script::Object *, std::unordered_set<int>> m_partIds;
};

void readEntityIds(Node &held, const QJsonObject &source, const Where &where) {
    const QJsonArray ids = arrayOf(source, where, "entities");
    const Where listAt = where.key("entities");
    held.entityIds.reserve(held.entityIds.size() + ids.size());
    for (qsizetype i = 0; i < ids.size(); ++i) held.entityIds.push_back(wholeNumber(ids.at(i), listAt.item(i)));
}

void readPart(Builder &build, script::Object *scenario, const QJsonObject &source, const Where &where) {
    script::Object *part = build.make(Kind::Part, source, where);
    Node &held = node(part);
    held.id = wholeNumber(source.value(QLatin1String("id")), where.key("id"));
    build.uniquePartId(scenario, held.id, where.key("id"));
    held.tag = textOf(source, where, "tag", false);
    const QJsonValue box = source.value(QLatin1String("boundingBox"));
    if (!box.isUndefined() && !box.isNull()) {
        const Where here = where.key("boundingBox");
        const QJsonObject corners = objectAt(box, here);
        readPoint(corners.value(QLatin1String("min")), here.key("min"), held.box.min);
        readPoint(corners.value(QLatin1String("max")), here.key("max"), held.box.max);
        for (int axis = 0; axis < 3; ++axis)
            if (held.box.min[axis] > held.box.max[axis]) refuse(here, QStringLiteral("min lies beyond max"));
        held.box.valid = true;
    }
    const QJsonArray entities = arrayOf(source, where, "entities");
    held.entities.reserve(entities.size());
    eachObjectOf(source, where, "entities", [&](const QJsonObject &entry, const Where &here) {
        EntityRecord entity;
        entity.id = wholeNumber(entry.value(QLatin1String("id")), here.key("id"));
        const QString kind = textOf(entry, here, "kind");
        entity.kind = -1;
        for (int k = 0; k < 5; ++k)
            if (kind == QLatin1String(kEntityKinds[k])) entity.kind = k;
        if (entity.kind < 0) refuse(here.key("kind"), QStringLiteral("must be point, edge, surface, volume or unknown"));
        entity.name = textOf(entry, here, "name", false);
        entity.tagName = textOf(entry, here, "tagName", false);
        entity.planar = truthOf(entry, here, "planar");
        entity.wall = truthOf(entry, here, "wall");
        held.entities.push_back(entity);
    });
    adopt(scenario, part);
}

script::Object *readScenario(Builder &build, const QJsonObject &source, const QString &where, bool withResults) {
    script::Object *scenario = build.make(Kind::Scenario, source, where);
    Node &held = node(scenario);
    if (source.contains(QLatin1String("flags"))) held.flags = textsOf(source.value(QLatin1String("flags")), at(where, QStringLiteral("flags")));
    if (source.contains(QLatin1String("resultQuantities")))
        held.resultQuantities = textsOf(source.value(QLatin1String("resultQuantities")), at(where, QStringLiteral("resultQuantities")));
    const QJsonValue results = source.value(QLatin1String("results"));
    if (!results.isUndefined() && !results.isObject()) refuse(at(where, QStringLiteral("results")), QStringLiteral("must be an object"));
    if (withResults) held.results = results.toObject();

    eachObjectOf(source, where, "parts", [&](const QJsonObject &entry, const Where &here) {
        readPart(build, scenario, entry, here);
    });
    const struct {
        const char *key;
        Kind kind;
    } lists[] = {{"groups", Kind::Group},
                 {"materials", Kind::Material},
                 {"boundaryConditions", Kind::BoundaryCondition},
                 {"initialConditions", Kind::InitialCondition}};
    for (const auto &list : lists) {
        eachObjectOf(source, where, list.key, [&](const QJsonObject &entry, const Where &here) {
            build.unique(scenario, list.kind, textOf(entry, here, "name"), here);
            script::Object *item = build.make(list.kind, entry, here);
            readEntityIds(node(item), entry, here);
            if (list.kind == Kind::Material && entry.contains(QLatin1String("physicalProperties"))) {
                QString why;
                if (!settingsFromJson(item, entry.value(QLatin1String("physicalProperties")),
                                      here.key("physicalProperties").text(), &why))
                    throw Bad(why.toStdString());
            }
            if (list.kind == Kind::Material) {
                QString why;
                if (!materialSetupFromJson(item, entry, here.key("materialSettings").text(), &why))
                    throw Bad(why.toStdString());
            }
            if ((list.kind == Kind::BoundaryCondition || list.kind == Kind::InitialCondition) &&
                entry.contains(QLatin1String("condition"))) {
                QString why;
                if (!conditionFromJson(item, entry.value(QLatin1String("condition")), here.key("condition").text(), &why))
                    throw Bad(why.toStdString());
            }
            if (list.kind == Kind::Group) {
                node(item).groupType = textOf(entry, here, "type", false);
                node(item).groupEntityType = textOf(entry, here, "entityType", false);
            }
            adopt(scenario, item);
        });
    }
    const QJsonValue meshValue = source.value(QLatin1String("mesh"));
    const QString meshAt = at(where, QStringLiteral("mesh"));
    QJsonObject meshSource = meshValue.isUndefined() ? QJsonObject() : objectAt(meshValue, meshAt);
    meshSource.insert("name", QStringLiteral("Mesh"));
    script::Object *mesh = build.make(Kind::Mesh, meshSource, meshAt);
    adopt(scenario, mesh);
    eachObjectOf(meshSource, meshAt, "regions", [&](const QJsonObject &entry, const QString &here) {
        const QString shape = textOf(entry, here, "shape");
        if (shape != QLatin1String("box") && shape != QLatin1String("cylinder") && shape != QLatin1String("sphere"))
            refuse(at(here, QStringLiteral("shape")), QStringLiteral("must be box, cylinder or sphere"));
        build.unique(mesh, Kind::MeshRegion, textOf(entry, here, "name"), here);
        script::Object *region = build.make(Kind::MeshRegion, entry, here, shape);
        QString why;
        if (!regionFromJson(region, entry, here, &why)) throw Bad(why.toStdString());
        adopt(mesh, region);
    });
    // The mesh's setting groups that the file has; the mesh makes the others,
    // and every setting left out, at their defaults when it hands them out,
    // so that a file is written again as it was read.
    for (const MeshSettingGroup &group : kMeshSettingGroups) {
        const QJsonValue groupValue = meshSource.value(QLatin1String(group.key));
        if (groupValue.isUndefined()) continue;
        const QString groupAt = at(meshAt, QLatin1String(group.key));
        QJsonObject groupSource = objectAt(groupValue, groupAt);
        groupSource.insert("name", QLatin1String(group.name));
        adopt(mesh, build.make(group.kind, groupSource, groupAt));
    }
    {
        QString why;
        if (!meshSettingsRead(mesh, meshAt, &why)) throw Bad(why.toStdString());
    }
    // The settings name the parts, materials, groups and flags read above.
    const QJsonValue setup = source.value(QLatin1String("setup"));
    if (!setup.isUndefined()) {
        QString why;
        const QString setupAt = at(where, QStringLiteral("setup"));
        if (!scenarioSetupFromJson(scenario, objectAt(setup, setupAt), setupAt, &why)) throw Bad(why.toStdString());
    }
    return scenario;
}
}  // namespace

QJsonObject studyToJson(const script::Object *onlyScenario) {
    const script::DesignStudy &the = study();
    const StudyState &state = studyState();
    QJsonObject root{{"format", QLatin1String(kFormatName)},
                     {"version", kStudyFormatVersion},
                     {"name", the.objectName()},
                     {"properties", propertiesToJson(node(&the))}};
    const int unit = state.lengthUnit;
    root.insert("lengthUnit", unit >= 0 && unit < 9 ? QLatin1String(kLengthUnits[unit]) : QLatin1String("unknown"));
    const script::Object *onlyDesign = onlyScenario ? node(onlyScenario).parent : nullptr;
    QJsonArray designs;
    for (const script::Object *design : childrenOf(&the, Kind::Design)) {
        if (onlyDesign && design != onlyDesign) continue;
        QJsonObject entry = named(design);
        QJsonArray scenarios;
        for (const script::Object *scenario : childrenOf(design, Kind::Scenario))
            if (!onlyScenario || scenario == onlyScenario) scenarios.append(scenarioToJson(scenario));
        entry.insert("scenarios", scenarios);
        designs.append(entry);
    }
    root.insert("designs", designs);
    if (state.active)
        root.insert("activeScenario", QJsonObject{{"design", node(state.active).parent->objectName()},
                                                  {"scenario", state.active->objectName()}});
    return root;
}

bool studyFromJson(const QJsonObject &root, bool withResults, QString *why) {
    Builder build;
    try {
        if (root.value(QLatin1String("format")).toString() != QLatin1String(kFormatName))
            refuse(QString(), QStringLiteral("not a study file (its \"format\" is not \"%1\")").arg(QLatin1String(kFormatName)));
        const QJsonValue version = root.value(QLatin1String("version"));
        if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() > kStudyFormatVersion ||
            version.toDouble() != std::floor(version.toDouble()))
            refuse(QString(), QStringLiteral("version %1 is not supported (this host reads versions 1 to %2)")
                                  .arg(QString::fromUtf8(QJsonDocument(QJsonArray{version}).toJson(QJsonDocument::Compact)).mid(1).chopped(1))
                                  .arg(kStudyFormatVersion));
        const QString name = textOf(root, QString(), "name", false);
        // A study without a length unit is in meters; an empty one names no unit.
        const QString unitName = textOf(root, QString(), "lengthUnit", false);
        int unit = root.contains(QLatin1String("lengthUnit")) ? -2 : 0;
        for (int u = 0; u < 9; ++u)
            if (unitName == QLatin1String(kLengthUnits[u])) unit = u;
        if (unitName == QLatin1String("unknown")) unit = -1;
        if (unit == -2) refuse(QStringLiteral("lengthUnit"), QStringLiteral("\"%1\" is no length unit").arg(unitName));

        // Study-level properties are read through a scratch object.
        QJsonObject studySource = root;
        studySource.insert("name", name);
        script::Object *scratch = build.make(Kind::Free, studySource, QString());

        std::vector<script::Object *> designs;
        script::Object *holder = build.make(Kind::Free, QJsonObject{{"name", QString()}}, QString());
        eachObjectOf(root, QString(), "designs", [&](const QJsonObject &source, const QString &here) {
            build.unique(holder, Kind::Design, textOf(source, here, "name"), here);
            script::Object *design = build.make(Kind::Design, source, here);
            adopt(holder, design);
            eachObjectOf(source, here, "scenarios", [&](const QJsonObject &entry, const QString &there) {
                build.unique(design, Kind::Scenario, textOf(entry, there, "name"), there);
                adopt(design, readScenario(build, entry, there, withResults));
            });
            designs.push_back(design);
        });
        script::Object *active = nullptr;
        const QJsonValue activeValue = root.value(QLatin1String("activeScenario"));
        if (!activeValue.isUndefined() && !activeValue.isNull()) {
            const QJsonObject which = objectAt(activeValue, QStringLiteral("activeScenario"));
            script::Object *design = childNamed(holder, Kind::Design, textOf(which, QStringLiteral("activeScenario"), "design"));
            active = design ? childNamed(design, Kind::Scenario, textOf(which, QStringLiteral("activeScenario"), "scenario")) : nullptr;
            if (!active) refuse(QStringLiteral("activeScenario"), QStringLiteral("names no scenario of the study"));
        }

        // The whole file was good: it replaces the open study.
        clearStudy();
        script::DesignStudy &the = study();
        the.setObjectName(name);
        node(&the).properties = node(scratch).properties;
        for (script::Object *design : designs) adopt(&the, design);
        StudyState &state = studyState();
        state.lengthUnit = unit;
        state.active = active;
        build.keep({scratch, holder});
        return true;
    } catch (const Bad &bad) {
        *why = QString::fromStdString(bad.what());
        return false;
    }
}

bool readStudyFile(const QString &path, QJsonObject *root, QString *why) {
    QFileInfo info(path);
    if (path.isEmpty()) {
        *why = QStringLiteral("no path was given");
        return false;
    }
    if (!info.exists()) {
        *why = QStringLiteral("no such file");
        return false;
    }
    if (!info.isFile()) {
        *why = QStringLiteral("not a file");
        return false;
    }
    if (info.size() > kLargestStudyFile) {
        *why = QStringLiteral("larger than a study file can be");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("cannot be read: %1").arg(file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *why = QStringLiteral("cannot be read: %1").arg(file.errorString());
        return false;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        *why = QStringLiteral("not JSON: %1 at byte %2").arg(error.errorString()).arg(error.offset);
        return false;
    }
    if (!document.isObject()) {
        *why = QStringLiteral("not a study file (not a JSON object)");
        return false;
    }
    *root = document.object();
    return true;
}

bool writeStudyFile(const QString &path, const QJsonObject &root, QString *why) {
    if (path.isEmpty()) {
        *why = QStringLiteral("no path was given");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *why = QStringLiteral("cannot be written: %1").arg(file.errorString());
        return false;
    }
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    // The system's reason is read right where a write fails: by the time the
    // file is given up, QtCore may only know that something went wrong.
    errno = 0;
    bool written = file.write(bytes) == bytes.size() && file.flush();
    int reason = errno;
    if (written) {
        written = file.commit();
        reason = errno;
    } else {
        file.cancelWriting();
    }
    if (!written) {
        *why = QStringLiteral("cannot be written: %1")
                   .arg(reason ? QString::fromLocal8Bit(std::strerror(reason)) : file.errorString());
        return false;
    }
    return true;
}

}  // namespace standin
