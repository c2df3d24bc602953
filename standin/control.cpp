#include "control.h"

#include "journal.h"

#include <script/Object.h>

#include <QtCore/QVariant>

#include <map>
#include <memory>
#include <string>

namespace standin {

namespace {
// Objects of the current host, and those of hosts before the last reset.
std::vector<std::unique_ptr<script::Object>> g_model;
std::vector<std::unique_ptr<script::Object>> g_retired;
std::map<std::string, long> g_live;

template <class T>
T *keep(const QString &name) {
    auto object = std::make_unique<T>(nullptr, name);
    T *raw = object.get();
    g_model.push_back(std::move(object));
    return raw;
}
}  // namespace

void reset() {
    for (auto &object : g_model) g_retired.push_back(std::move(object));
    g_model.clear();
    clearJournal();
    setJournalEnabled(true);
}

script::Design *makeDesign(const QString &name) { return keep<script::Design>(name); }
script::Analysis *makeScenario(const QString &name) { return keep<script::Analysis>(name); }
script::Part *makePart(const QString &name) { return keep<script::Part>(name); }
script::Group *makeGroup(const QString &name) { return keep<script::Group>(name); }
script::MeshBoxRegion *makeMeshBoxRegion(const QString &name) { return keep<script::MeshBoxRegion>(name); }
script::Material *makeMaterial(const QString &name) { return keep<script::Material>(name); }
script::Property *makeProperty(const QString &name) { return keep<script::Property>(name); }
script::Variation *makeVariation(const QString &name) { return keep<script::Variation>(name); }
script::Entity *makeEntity(const QString &name) {
    auto *entity = new script::Entity();
    entity->setObjectName(name);
    entity->setProperty(kNullNameProperty, name.isNull() ? QVariant(true) : QVariant());
    return entity;
}

void fillLists(script::PartList &parts, IntList &ids, script::MaterialList &materials,
               script::PropertyList &properties, script::VariationList &variations, script::BCList &bcs,
               script::ICList &ics, script::EntityList &entities) {
    Call("standin", "fillLists")
        .arg(int(parts.size()))
        .arg(int(ids.size()))
        .arg(int(materials.size()))
        .arg(int(properties.size()))
        .arg(int(variations.size()))
        .arg(int(bcs.size()))
        .arg(int(ics.size()))
        .arg(int(entities.size()));
    const QString name = QStringLiteral("filled");
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
    auto found = g_live.find(hostClass);
    return found == g_live.end() ? 0 : found->second;
}

void countConstruction(const char *hostClass, int delta) { g_live[hostClass] += delta; }

}  // namespace standin
