#include "control.h"

#include "conditions.h"
#include "journal.h"
#include "materials.h"
#include "model.h"
#include "motion.h"
#include "properties.h"

#include <script/Object.h>

#include <QtCore/QMetaType>
#include <QtCore/QVariant>

#include <map>
#include <string>
#include <utility>

namespace standin {

namespace {
// Made objects are kept for the whole process (see reset), and so are the
// counts, which their destructors may still change while the process ends.
std::vector<script::Object *> &kept() {
    static auto *objects = new std::vector<script::Object *>();
    return *objects;
}
std::map<std::string, long> &live() {
    static auto *counts = new std::map<std::string, long>();
    return *counts;
}
std::map<std::pair<const script::Object *, QString>, QVariant> &answers() {
    static auto *chosen = new std::map<std::pair<const script::Object *, QString>, QVariant>();
    return *chosen;
}

template <class T>
T *keep(const QString &name) {
    Quiet quiet;
    T *object = new T(nullptr, name);
    kept().push_back(object);
    return object;
}

// The operations whose answer a test may choose, by the result they give.
enum class Answer { Null, Bool, Int, Double };
template <class T> bool is(const script::Object *object) { return dynamic_cast<const T *>(object) != nullptr; }
struct Answerable {
    bool (*applies)(const script::Object *);
    const char *operation;
    Answer kind;
};
const Answerable kAnswerable[] = {
    {is<script::Object>, "designStudy", Answer::Null},
    {is<script::Object>, "design", Answer::Null},
    {is<script::Object>, "scenario", Answer::Null},
    {is<script::Object>, "hasProperty", Answer::Bool},
    {is<script::Object>, "setProperty", Answer::Int},
    {is<script::Object>, "properties", Answer::Int},
    {is<script::Object>, "numProperties", Answer::Int},
    {is<script::DesignStudy>, "add", Answer::Null},
    {is<script::DesignStudy>, "design", Answer::Null},
    {is<script::DesignStudy>, "getActiveScenario", Answer::Null},
    {is<script::DesignStudy>, "decisionCenter", Answer::Null},
    {is<script::DesignStudy>, "createSetupFileOfActiveScenario", Answer::Int},
    {is<script::DesignStudy>, "createStudyFromAsmTranslator", Answer::Bool},
    {is<script::DesignStudy>, "GetLoadTime", Answer::Double},
    {is<script::DesignStudy>, "GetASMTranslateErrorCode", Answer::Int},
    {is<script::DesignStudy>, "createExternalVolumeForActiveScenario", Answer::Int},
    {is<script::Design>, "scenario", Answer::Null},
    {is<script::Design>, "clone", Answer::Null},
    {is<script::Design>, "add", Answer::Null},
    {is<script::Analysis>, "clone", Answer::Null},
    {is<script::Analysis>, "partByNameAndId", Answer::Null},
    {is<script::Analysis>, "results", Answer::Null},
    {is<script::Analysis>, "materialOfType", Answer::Null},
    {is<script::Analysis>, "getMaterial", Answer::Null},
    {is<script::Analysis>, "entity", Answer::Null},
    {is<script::Analysis>, "group", Answer::Null},
    {is<script::Analysis>, "createGroup", Answer::Null},
    {is<script::Analysis>, "mesh", Answer::Null},
    {is<script::Mesh>, "meshEnahancement", Answer::Null},
    {is<script::Mesh>, "advancedControls", Answer::Null},
    {is<script::Mesh>, "adaptation", Answer::Null},
    {is<script::Mesh>, "diagnostics", Answer::Null},
    {is<script::Analysis>, "tetsInEnahancementLayers", Answer::Bool},
    {is<script::Analysis>, "fillSurface", Answer::Int},
    {is<script::Analysis>, "fillVoid", Answer::Int},
    {is<script::Analysis>, "flagExists", Answer::Bool},
    {is<script::Analysis>, "addFlag", Answer::Bool},
    {is<script::Analysis>, "removeFlag", Answer::Bool},
    {is<script::BoundingBox>, "isValid", Answer::Bool},
    {is<script::BoundingBox>, "largestExtent", Answer::Double},
    {is<script::BoundingBox>, "largestExtentAxis", Answer::Int},
    {is<script::BoundingBox>, "radius", Answer::Double},
};

Answer answerKind(const QVariant &answer) {
    switch (answer.typeId()) {
    case QMetaType::Bool: return Answer::Bool;
    case QMetaType::Int: return Answer::Int;
    case QMetaType::Double: return Answer::Double;
    default: return Answer::Null;
    }
}
}  // namespace

void reset() {
    clearStudy();
    forgetSteeredSettings();
    forgetSteeredMaterials();
    forgetSteeredComponents();
    forgetSteeredConditions();
    answers().clear();
    clearJournal();
    setJournalEnabled(true);
    setStrict(false);
}

bool setAnswer(const script::Object *object, const QString &operation, const QVariant &answer, QString *why) {
    const Answer kind = answerKind(answer);
    for (const Answerable &row : kAnswerable) {
        if (operation != QLatin1String(row.operation) || !row.applies(object)) continue;
        if (row.kind != kind) continue;
        answers()[{object, operation}] = answer;
        return true;
    }
    static const char *const kNames[] = {"a null pointer", "a bool", "an int", "a double"};
    *why = QStringLiteral("%1 has no operation '%2' that answers %3")
               .arg(QString::fromStdString(describe(object)), operation, QLatin1String(kNames[int(kind)]));
    return false;
}

const QVariant *answer(const script::Object *object, const char *operation) {
    auto &chosen = answers();
    if (chosen.empty()) return nullptr;
    auto found = chosen.find({object, QString::fromLatin1(operation)});
    return found == chosen.end() ? nullptr : &found->second;
}

bool giveProperty(script::Object *object, const QString &name, const QVariant &value, QString *why) {
    if (name.isEmpty()) {
        *why = QStringLiteral("a property needs a name");
        return false;
    }
    if (!isPropertyKind(value)) {
        *why = QStringLiteral("a property is a bool, an int, a double, a text or a list of texts");
        return false;
    }
    Node &held = node(object);
    if (Property *found = held.findProperty(name))
        found->value = value;
    else
        held.properties.push_back({name, value});
    return true;
}

void scenarioParts(script::Analysis *scenario, script::PartList &parts) {
    parts.clear();
    for (script::Object *part : childrenOf(scenario, Kind::Part)) parts.push_back(static_cast<script::Part *>(part));
}

void setLengthUnit(int code) { studyState().lengthUnit = code; }

script::Design *makeDesign(const QString &name) { return keep<script::Design>(name); }
script::Analysis *makeScenario(const QString &name) {
    // With its mesh settings, as every scenario of the application has them.
    script::Analysis *scenario = keep<script::Analysis>(name);
    adopt(scenario, makeObject(Kind::Mesh, QStringLiteral("Mesh")));
    return scenario;
}
script::Part *makePart(const QString &name) { return keep<script::Part>(name); }
script::Group *makeGroup(const QString &name) { return keep<script::Group>(name); }
script::MeshBoxRegion *makeMeshBoxRegion(const QString &name) { return keep<script::MeshBoxRegion>(name); }
script::Material *makeMaterial(const QString &name) { return keep<script::Material>(name); }
script::Property *makeProperty(const QString &name) { return keep<script::Property>(name); }
script::Variation *makeVariation(const QString &name) { return keep<script::Variation>(name); }
script::Entity *makeEntity(const QString &name) {
    Quiet quiet;
    auto *entity = new script::Entity();
    setHeldName(entity, name);
    return entity;
}

void fillLists(script::PartList &parts, IntList &ids, script::MaterialList &materials,
               script::PropertyList &properties, script::VariationList &variations, script::BCList &bcs,
               script::ICList &ics, script::EntityList &entities) {
    Call("standin", "fillLists", standin::Reads)
        .arg(int(parts.size()))
        .arg(int(ids.size()))
        .arg(int(materials.size()))
        .arg(int(properties.size()))
        .arg(int(variations.size()))
        .arg(int(bcs.size()))
        .arg(int(ics.size()))
        .arg(int(entities.size()));
    const QString name = QStringLiteral("filled");
    Quiet quiet;
    parts.push_back(makePart(name));
    ids.push_back(int(ids.size()));
    materials.push_back(makeMaterial(name));
    properties.push_back(makeProperty(name));
    variations.push_back(makeVariation(name));
    bcs.push_back(script::BoundaryCondition(name, nullptr));
    ics.push_back(script::InitialCondition(name, nullptr));
    entities.emplace_back();
}

long liveObjects(const char *hostClass) {
    auto found = live().find(hostClass);
    return (found == live().end() ? 0 : found->second) + liveTrackedObjects(hostClass);
}

void countConstruction(const char *hostClass, int delta) { live()[hostClass] += delta; }

}  // namespace standin
