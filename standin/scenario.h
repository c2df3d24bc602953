// What a scenario of the stand-in keeps beyond what every model node keeps:
// its selection, assignments and mesh, solver and post-processing settings.
// Internal to the stand-in; the study file writes it as a scenario's "setup".
#pragma once

#include "model.h"
#include "motion.h"

#include <QtCore/QJsonObject>
#include <QtCore/QString>

#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace script {
class Analysis;
class Part;
class Material;
}  // namespace script

namespace standin {

// Saving every `every` steps from step `from`, beside the regular interval.
struct SaveFrequency {
    double from = 0.0;
    double every = 1.0;
};

struct SaveSchedule {
    double interval = 1.0;
    QString unit = QStringLiteral("Steps");
    std::vector<SaveFrequency> frequencies;
};

// A material applied as a thermoelectric cooler between two entities.
struct TecMaterial {
    QString material;
    int coldSide = 0;
    int hotSide = 0;
};

// What a group holds beyond its entities: the group it sits in and its parts, by id.
struct GroupSetup {
    QString parent;
    std::vector<int> parts;
};

// A copy of a motion that a script applied, and the parts, by id, it moves.
struct MotionSetup {
    QString name;
    std::vector<Property> properties;
    std::vector<int> parts;
    // Its physical properties (standin/properties.h), null for none: a deep
    // copy made when the motion was applied, so that the script's motion
    // changes or goes without touching it. Nothing changes it in place (it is
    // only replaced whole), so copies of the scenario's settings share it.
    std::shared_ptr<Settings> settings;
    // Its directions, axes, centres, force, gravity and time curve, with
    // entity settings resolved against the scenario's parts when applied,
    // and copies of its components: values of the scenario's own.
    MotionSettings motion;
    std::vector<MotionCopy> components;
};

// The sun's heating of a scenario (standin/solar.cpp): whether it is on, the
// model's directions to north and to the zenith, and where on the earth the
// model stands. Directions are kept as given (unit length is made when used).
struct SolarSetup {
    bool enabled = false;
    QString compassName = QStringLiteral("North");
    double compass[3] = {0.0, 0.0, -1.0};
    QString celestialName = QStringLiteral("Zenith");
    double celestial[3] = {0.0, 1.0, 0.0};
    int latitude[2] = {0, 0};  // degrees, minutes
    QString latitudeHemisphere = QStringLiteral("N");
    int longitude[2] = {0, 0};
    QString longitudeHemisphere = QStringLiteral("E");
};

struct ScenarioSetup {
    // Parts by id. Sets, because scripts select and suppress one part at a
    // time over models of tens of thousands of parts.
    std::unordered_set<int> selection;
    std::unordered_set<int> suppressed;
    // The selection that the last change replaced. After a change of a few
    // parts, only what that change added and took out, so that selecting
    // parts one at a time copies no selection; else the whole set.
    bool previousIsChange = false;
    std::unordered_set<int> previousSelection;
    std::vector<int> previousAdded;
    std::vector<int> previousRemoved;

    // Assignments. Materials applied to entities are the entities of the
    // material objects themselves, as version 1 study files have them.
    std::unordered_map<int, QString> partMaterials;  // part id -> material name
    std::vector<TecMaterial> tecMaterials;
    std::unordered_map<QString, GroupSetup> groups;  // by group name
    std::vector<MotionSetup> motions;

    // Mesh. A size of 0 is no size given.
    double modelMeshSize = 0.0;
    std::unordered_map<int, double> partMeshSizes;  // part id -> size
    double maxLengthScale = 0.0;
    QString sizing = QStringLiteral("Automatic");  // "Automatic" or "Uniform"
    double sizeFactor = 1.0;
    bool refineSmall = false;
    bool coarsenLarge = false;
    int spreads = 0;
    bool tetsInEnhancementLayers = false;
    bool meshed = false;

    // Extrusion and filling.
    QString extrusionMode = QStringLiteral("Off");
    double extrusionGrowth = 1.2;
    QString extrusionDirection = QStringLiteral("Normal");
    int extrusionLayers = 3;
    QString extrusionEndLayering = QStringLiteral("Uniform");
    std::unordered_set<int> extruded;  // part ids
    int filledSurfaces = 0;
    int filledVoids = 0;

    // Physics and solver.
    double gravity[3] = {0.0, -9.81, 0.0};
    SaveSchedule resultsSave;
    SaveSchedule summarySave;
    std::map<QString, double> relaxation;  // by quantity
    bool hasTotalTemperature = false;
    double totalTemperature = 0.0;
    QString totalTemperatureUnit;
    double timeStep = 0.0;  // 0: none estimated

    // Flags keep their names, in order, in the node; here the values of those that have one.
    std::map<QString, QString> flagValues;

    // Post-processing: extinction coefficient, sign constant, particle yield;
    // metabolic rate, humidity, clothing.
    double smoke[3] = {8700.0, 8.0, 0.015};
    double comfort[3] = {1.0, 50.0, 0.5};

    // Solar heating.
    SolarSetup solar;
};

// The scenario's settings, defaults if it has none yet.
const ScenarioSetup &setupOf(const script::Object *scenario);
// The scenario's settings to be changed, made with their defaults when it had none.
ScenarioSetup &setupToChange(const script::Object *scenario);

// Hashed lookups over a scenario's children, for the operations of its parts
// and groups (standin/parts.cpp): null or none when nothing is found.
std::vector<script::Object *> scenarioPartsNamed(const script::Object *scenario, const QString &name);
const EntityRecord *scenarioEntity(const script::Object *scenario, int id, script::Object **part = nullptr);
script::Object *scenarioMaterial(const script::Object *scenario, const QString &name);
// Gives a database material the entities of these ids, taking them from the
// material that held them (what a material's own steering and a script's
// applied copy need, standin/materials.cpp).
void giveMaterialEntityIds(script::Object *scenario, script::Object *material, const std::vector<int> &ids);
// Renames a group of the scenario, keeping its lookups and settings current;
// false, with why, for a blank name or one that another group has.
bool renameGroup(script::Object *scenario, script::Object *group, const QString &name, QString *why);

// The ids in their first order, each once.
std::vector<int> distinct(const std::vector<int> &ids);

// A scenario's settings in a study file, and back. Reading checks the
// settings against the scenario's parts; on a bad file it gives false and
// why, as "where: why".
QJsonObject scenarioSetupToJson(const script::Object *scenario);
bool scenarioSetupFromJson(script::Object *scenario, const QJsonObject &source, const QString &where, QString *why);

// Solar heating (standin/solar.cpp): its settings in a study file (none
// written while they are the defaults) and back, checked as the operations
// check them; and the heat in W that the sun puts into a model whose parts
// fill the box outer (in the study's length unit, scale meters per unit),
// 0.0 while solar heating is off.
bool solarIsDefault(const SolarSetup &solar);
QJsonObject solarToJson(const SolarSetup &solar);
bool solarFromJson(const QJsonValue &source, const QString &where, SolarSetup *solar, QString *why);
double solarHeatGain(const SolarSetup &solar, const Box &outer, double scale);

}  // namespace standin
