// Host objects that behave as values: entities and boundary and initial
// conditions are copied into and out of the lists that hold them.
#include <script/Object.h>

#include "control.h"
#include "journal.h"
#include "model.h"

#include <QtCore/QVariant>

namespace script {

Object::Object(const Object &other) : QObject(nullptr) {
    standin::track(this);
    *this = other;
}

Object &Object::operator=(const Object &other) {
    if (this == &other) return *this;
    standin::setHeldName(this, standin::heldName(&other));
    standin::copyNode(&other, this);
    return *this;
}

// Journaled, as a script's new_Entity asks for it; the host's own entities are made quietly.
Entity::Entity() : Object(standin::unjournaled(nullptr), QString()) { standin::Call("Entity", "Entity", standin::Reads); }
Entity::Entity(const Entity &other) : Object(other) {}
Entity::~Entity() = default;
Entity &Entity::operator=(const Entity &other) {
    Object::operator=(other);
    return *this;
}

BoundaryCondition::BoundaryCondition() : Object(standin::unjournaled(nullptr), QString()) {}
BoundaryCondition::BoundaryCondition(const QString &name, Analysis *scenario) : Object(standin::unjournaled(nullptr), name) {
    standin::Call("BoundaryCondition", "BoundaryCondition", standin::Reads).arg(name).arg(scenario);
}
BoundaryCondition::BoundaryCondition(const BoundaryCondition &other) : Object(other) {}
BoundaryCondition::~BoundaryCondition() = default;
BoundaryCondition &BoundaryCondition::operator=(const BoundaryCondition &other) {
    Object::operator=(other);
    return *this;
}

InitialCondition::InitialCondition() : Object(standin::unjournaled(nullptr), QString()) {}
InitialCondition::InitialCondition(const QString &name, Analysis *scenario) : Object(standin::unjournaled(nullptr), name) {
    standin::Call("InitialCondition", "InitialCondition", standin::Reads).arg(name).arg(scenario);
}
InitialCondition::InitialCondition(const InitialCondition &other) : Object(other) {}
InitialCondition::~InitialCondition() = default;
InitialCondition &InitialCondition::operator=(const InitialCondition &other) {
    Object::operator=(other);
    return *this;
}

}  // namespace script
