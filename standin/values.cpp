// Host objects that behave as values: entities and boundary and initial
// conditions are copied into and out of the lists that hold them.
#include <script/Object.h>

#include "control.h"
#include "journal.h"

#include <QtCore/QVariant>

namespace script {

Object::Object(const Object &other) : QObject(nullptr) { *this = other; }

Object &Object::operator=(const Object &other) {
    if (this == &other) return *this;
    setObjectName(other.objectName());
    setProperty(standin::kNullNameProperty, other.property(standin::kNullNameProperty));
    return *this;
}

Entity::Entity() : Object(nullptr, QString()) { standin::countConstruction("Entity", 1); }
Entity::Entity(const Entity &other) : Object(other) { standin::countConstruction("Entity", 1); }
Entity::~Entity() { standin::countConstruction("Entity", -1); }
Entity &Entity::operator=(const Entity &other) {
    Object::operator=(other);
    return *this;
}

BoundaryCondition::BoundaryCondition() : Object(nullptr, QString()) {
    standin::countConstruction("BoundaryCondition", 1);
}
BoundaryCondition::BoundaryCondition(const QString &name, Analysis *scenario) : Object(nullptr, name) {
    standin::Call("BoundaryCondition", "BoundaryCondition").arg(name).arg(scenario);
    standin::countConstruction("BoundaryCondition", 1);
}
BoundaryCondition::BoundaryCondition(const BoundaryCondition &other) : Object(other) {
    standin::countConstruction("BoundaryCondition", 1);
}
BoundaryCondition::~BoundaryCondition() { standin::countConstruction("BoundaryCondition", -1); }
BoundaryCondition &BoundaryCondition::operator=(const BoundaryCondition &other) {
    Object::operator=(other);
    return *this;
}

InitialCondition::InitialCondition() : Object(nullptr, QString()) {
    standin::countConstruction("InitialCondition", 1);
}
InitialCondition::InitialCondition(const QString &name, Analysis *scenario) : Object(nullptr, name) {
    standin::Call("InitialCondition", "InitialCondition").arg(name).arg(scenario);
    standin::countConstruction("InitialCondition", 1);
}
InitialCondition::InitialCondition(const InitialCondition &other) : Object(other) {
    standin::countConstruction("InitialCondition", 1);
}
InitialCondition::~InitialCondition() { standin::countConstruction("InitialCondition", -1); }
InitialCondition &InitialCondition::operator=(const InitialCondition &other) {
    Object::operator=(other);
    return *this;
}

}  // namespace script
