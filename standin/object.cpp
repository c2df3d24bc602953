#include <script/Object.h>

#include "journal.h"

#include <QtCore/QVariant>

namespace script {

Object::Object(QObject *parent, const QString &name) : QObject(parent) {
    setObjectName(name);
    if (name.isNull()) setProperty(standin::kNullNameProperty, true);
}

Object::~Object() = default;

QString Object::name() const {
    standin::Call("Object", "name");
    return objectName();
}

Container::Container(QObject *parent, const QString &name) : Object(parent, name) {}

}  // namespace script
