// What the host-control module may ask of the stand-in beyond the application's
// own interface: the journal, a fresh host, and objects as the application
// would have made them.
#pragma once

#include <QtCore/QString>

#include <script/Lists.h>

#include <string>
#include <vector>

class QObject;
namespace script {
class Object;
class Design;
class Analysis;
class Part;
class Group;
class MeshBoxRegion;
class Material;
class Property;
class Variation;
class Motion;
}  // namespace script

namespace standin {

// Forgets every object made so far. Objects that scripts may still hold are kept
// alive (but unreachable) until the process ends, so that a stale proxy reads
// stale data instead of freed memory.
void reset();

// Host-owned objects, as the application's model would hold them.
script::Design *makeDesign(const QString &name);
script::Analysis *makeScenario(const QString &name);
script::Part *makePart(const QString &name);
script::Group *makeGroup(const QString &name);
script::MeshBoxRegion *makeMeshBoxRegion(const QString &name);
script::Material *makeMaterial(const QString &name);
script::Property *makeProperty(const QString &name);
script::Variation *makeVariation(const QString &name);
// A new entity that the caller owns; the application makes entities from geometry.
script::Entity *makeEntity(const QString &name);

// Adds one element to each list, as the application's filling operations do,
// after journalling the sizes that the lists had.
void fillLists(script::PartList &parts, IntList &ids, script::MaterialList &materials,
               script::PropertyList &properties, script::VariationList &variations, script::BCList &bcs,
               script::ICList &ics, script::EntityList &entities);

// Steering: one operation of one object answers a chosen result until reset.
// An answer is a null QVariant for a null pointer, or a bool, int or double.
// Gives false, with the reason, when the object has no such operation with
// such a result.
bool setAnswer(const script::Object *object, const QString &operation, const QVariant &answer, QString *why);
// The chosen answer of this operation of this object, or null.
const QVariant *answer(const script::Object *object, const char *operation);

// Steering: gives an object a property as the application's object would have it.
bool giveProperty(script::Object *object, const QString &name, const QVariant &value, QString *why);

// Steering (scenario.cpp): a scenario's geometry, database and results as the
// application's import, material library and runs make them. Each gives
// null or false, with the reason, when it cannot be done.
// A part with a name, an id that no other part of the scenario has, and a tag (its attribute).
script::Part *addPart(script::Analysis *scenario, const QString &name, int id, const QString &tag, QString *why);
// An entity of the scenario's first part of that name (kind: script::Entity::Type), with an id that no
// other entity of the scenario has, a tag name, and whether it is planar and a wall.
bool addEntity(script::Analysis *scenario, const QString &partName, int id, int kind, const QString &name, QString *why,
               const QString &tagName = QString(), bool planar = false, bool wall = false);
// Gives the parts of that name temperatures without a run, as a run would
// have: results "Minimum temperature", "Temperature" and "Maximum temperature".
bool givePartResults(script::Analysis *scenario, const QString &partName, double minimum, double average,
                     double maximum, QString *why);
// A material of the scenario's database, its type and subtype as its properties "Type" and "Subtype".
script::Material *addMaterial(script::Analysis *scenario, const QString &name, const QString &type,
                              const QString &subtype, QString *why);
// Sets one result of one part, as a run would have: results[quantity][partName] = value.
bool giveResults(script::Analysis *scenario, const QString &partName, const QString &quantity, double value,
                 QString *why);
// A motion as the application's motion area makes one, kept for the process.
script::Motion *makeMotion(const QString &name);

// Fills the list with the parts of a scenario, as the scenario's own listing will.
void scenarioParts(script::Analysis *scenario, script::PartList &parts);

// The length unit of the study, as the application sets it.
void setLengthUnit(int code);

// Live host objects by host class: the values (Vector, Variant,
// PropertyDefinition) that constructors made, and every scripting object,
// whoever made it, by the class it was made as.
long liveObjects(const char *hostClass);
void countConstruction(const char *hostClass, int delta);

}  // namespace standin

namespace standin {
// How the journal names a host object: <Class "name">.
std::string describe(const QObject *object);
}  // namespace standin
