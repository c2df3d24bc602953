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

void Analysis::setName(const QString &name) {
    standin::Call("Analysis", "setName").arg(name);
    setObjectName(name);
    // The null-name marker is touched only when it is, or is to be, there.
    if (name.isNull() || property(standin::kNullNameProperty).isValid())
        setProperty(standin::kNullNameProperty, name.isNull() ? QVariant(true) : QVariant());
}

}  // namespace script
