#include <script/Object.h>

#include "journal.h"

#include <QtCore/QVariant>

namespace script {

// QObject keeps no difference between a null and an empty name; the journal shows it.
static const char *const kNullName = "standin.nullName";

Object::Object(QObject *parent, const QString &name) : QObject(parent) {
    setObjectName(name);
    if (name.isNull()) setProperty(kNullName, true);
}

Object::~Object() = default;

QString Object::name() const {
    standin::Call("Object", "name");
    return objectName();
}

Container::Container(QObject *parent, const QString &name) : Object(parent, name) {}

}  // namespace script
