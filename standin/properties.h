// The properties of setting objects (materials, motions) and their
// variations, as the stand-in keeps them (docs/standin-properties.md).
// Internal to the stand-in: the study file and the host-control module reach
// them through these functions.
#pragma once

#include "model.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonValue>
#include <QtCore/QString>

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

namespace script {
class Object;
class Property;
class Variation;
}  // namespace script

namespace standin {

struct NamedValue {
    QString name;
    double value = 0.0;
    QString units;
};

struct MaterialSetup;  // standin/materials.h

// One node's settings. A material or a motion uses the first group, a
// property the second, a variation the third. Lists keep their order; the
// maps find an entry by name without a walk, since a material library may
// give a property many variations.
struct Settings {
    // A setting object: its properties.
    std::vector<script::Property *> properties;
    std::unordered_map<QString, size_t> propertyIndex;

    // A property: the object it belongs to (null for one of none), its
    // variations and the one applied. A variation: its property.
    script::Object *owner = nullptr;
    QString type;  // a property's or a variation's
    std::vector<script::Variation *> variations;
    std::unordered_map<QString, size_t> variationIndex;
    script::Variation *applied = nullptr;

    // A variation.
    QString coreType;
    double value = 0.0;
    QString units;
    std::vector<NamedValue> named;
    std::unordered_map<QString, size_t> namedIndex;
    std::vector<std::array<double, 2>> points;
    QString xUnits;
    QString yUnits;
    std::vector<std::array<double, 4>> velocities;
    bool hasControl = false;
    double controlValue = 0.0;
    QString controlUnits;

    // A material: what its own setters keep, null until one is first used.
    // Only ever replaced whole, never changed in place, so that copies of
    // these settings may share it.
    std::shared_ptr<const MaterialSetup> material;
};

// Steering, as the application's material library and motion area define
// them: each gives null, with the reason, when it cannot be done.
// A property of a material or a motion, with a name no other property of it has.
script::Property *addSettingProperty(script::Object *holder, const QString &name, const QString &type, QString *why);
// A variation of a property, with a name no other variation of it has.
script::Variation *addVariation(script::Property *property, const QString &name, const QString &type,
                                const QString &coreType, QString *why);
// The holder's property of that name, or null; its properties, in order.
script::Property *settingProperty(const script::Object *holder, const QString &name);
std::vector<script::Property *> settingProperties(const script::Object *holder);
// Forgets what steering gave the objects that outlive a reset (motions).
void forgetSteeredSettings();
// Lets go of the properties of a setting object that goes (a script's own
// material or motion): they stay, belonging to nothing, until the process ends.
void dropSettingsOf(script::Object *holder);

// Study files: the "physicalProperties" of a material and of a scenario's
// copy of a motion (docs/study-files.md).
bool hasSettings(const script::Object *holder);
QJsonArray settingsToJson(const script::Object *holder);
QJsonArray settingsToJson(const Settings &settings);
// Reads them into the holder; false, with the place in the file and the reason, for a bad list.
bool settingsFromJson(script::Object *holder, const QJsonValue &value, const QString &where, QString *why);
// Reads them into a list that no object carries (owner null) or that owner
// carries; a bad list adds nothing to it.
bool settingsFromJson(Settings &into, script::Object *owner, const QJsonValue &value, const QString &where, QString *why);

}  // namespace standin
