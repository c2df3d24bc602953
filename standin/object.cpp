#include <script/Object.h>

#include "journal.h"

namespace script {

Object::Object(QObject *parent, const QString &name) : QObject(parent) { setObjectName(name); }

Object::~Object() = default;

QString Object::name() const {
    standin::Call("Object", "name");
    return objectName();
}

Container::Container(QObject *parent, const QString &name) : Object(parent, name) {}

}  // namespace script
