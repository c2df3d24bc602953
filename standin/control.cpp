#include "control.h"

#include "journal.h"

#include <script/Object.h>

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

long liveObjects(const char *hostClass) {
    auto found = g_live.find(hostClass);
    return found == g_live.end() ? 0 : found->second;
}

void countConstruction(const char *hostClass, int delta) { g_live[hostClass] += delta; }

}  // namespace standin
