// What a material of the stand-in keeps beyond its properties and their
// variations (docs/standin-materials.md), and what the scenario, the study
// file and the host-control module ask of materials. Internal to the stand-in.
#pragma once

#include "model.h"

#include <QtCore/QJsonObject>
#include <QtCore/QString>

#include <memory>
#include <vector>

namespace script {
class Object;
class Material;
class Part;
}  // namespace script

namespace standin {

// A value with the units it was given in, a text of the application's.
struct Quantity {
    bool set = false;
    double value = 0.0;
    QString units;
};

// An entity named by its part's id and its own id: never the script's
// Entity object, which the script may drop at any time.
struct EntityRef {
    bool set = false;
    int partId = 0;
    int id = 0;
};

// A direction is either a vector or the normal of an entity, whichever was
// given last; reversing flips the one in use.
struct Direction {
    bool hasVector = false;
    double vector[3] = {0.0, 0.0, 0.0};
    EntityRef normalTo;
    bool reversed = false;
};

struct MaterialSetup {
    Quantity shellThickness;
    Quantity referenceGasConstant;
    Quantity referencePressure;
    Quantity referenceTemperature;
    Quantity thermostatTriggerTemperature;
    Direction direction;
    bool hasOrigin = false;
    double origin[3] = {0.0, 0.0, 0.0};
    bool hasDirections = false;
    QString directions[3];
    Direction normalDirection;
    std::vector<int> inletFaces;
    std::vector<int> outletFaces;
};

// The material's settings; defaults for one that has none.
const MaterialSetup &materialSetupOf(const script::Object *material);

// What a scenario applies when a script gives one of its operations a
// material: a material of the scenario's database is itself; a script's own
// material (made by its constructor) is copied into the database under its
// name, replacing the settings of the one of that name, and that copy is
// applied; any other material stands for the database's material of its name.
// materialRefusal says why the material cannot be applied (nothing when it
// can); databaseMaterialFor, called only once the whole operation is known
// to go ahead, makes the copy and gives the database material.
QString materialRefusal(const script::Object *scenario, const script::Material *material);
script::Object *databaseMaterialFor(script::Object *scenario, script::Material *material);

// Study files: a material's settings as the keys of its entry (only those
// that were set), and back; reading gives false, with "where: why", for a
// bad entry and then changes nothing.
void materialSetupToJson(const script::Object *material, QJsonObject &entry);
bool materialSetupFromJson(script::Object *material, const QJsonObject &entry, const QString &where, QString *why);

// Steering, as the application's import assigns materials: the scenario's
// parts of these ids take the database material, and the material holds the
// entities of these ids (taking them from the material that held them).
// Each gives false, with why, when it cannot be done; reset() takes back what
// they gave.
bool giveMaterialParts(script::Material *material, const std::vector<int> &partIds, QString *why);
bool giveMaterialEntities(script::Material *material, const std::vector<int> &entityIds, QString *why);
void forgetSteeredMaterials();

}  // namespace standin
