// Host objects that behave as values: entities are copied into and out of
// the lists that hold them (conditions, in conditions.cpp, too).
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

}  // namespace script
