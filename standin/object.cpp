#include <script/Object.h>

#include "control.h"
#include "journal.h"
#include "model.h"

#include <QtCore/QJsonObject>
#include <QtCore/QVariant>

namespace standin {
namespace {
// The class a base construction is journaled under; null: not journaled.
const char *g_journalAs = "Object";
}  // namespace

QObject *unjournaled(QObject *parent) {
    g_journalAs = nullptr;
    return parent;
}

QObject *journaledAs(const char *hostClass, QObject *parent) {
    g_journalAs = hostClass;
    return parent;
}
}  // namespace standin

namespace script {

namespace {
standin::Property *findProperty(const Object *object, const QString &name) {
    return standin::node(object).findProperty(name);
}

// A part reads the results of its scenario's last run as properties named by
// their quantities ("Temperature", ...), read-only, for as long as the
// scenario has them; a property of its own of the same name comes first.
bool resultOf(const Object *object, const QString &name, double *value) {
    const standin::Node &held = standin::node(object);
    if (held.kind != standin::Kind::Part || !held.parent) return false;
    const QJsonValue found = standin::node(held.parent).results.value(name).toObject().value(object->objectName());
    if (!found.isDouble()) return false;
    *value = found.toDouble();
    return true;
}
}  // namespace

Object::Object(QObject *parent, const QString &name) : QObject(parent) {
    const char *journalAs = standin::g_journalAs;
    standin::g_journalAs = "Object";
    // A scripting object joins the application's objects, even one that no study holds.
    if (journalAs) standin::Call(journalAs, journalAs, standin::Changes).arg(parent).arg(name);
    standin::setHeldName(this, name);
    standin::track(this);
}

Object::~Object() { standin::untrack(this); }

QString Object::name() const {
    standin::Call("Object", "name", standin::Reads);
    return objectName();
}

DesignStudy *Object::designStudy() {
    standin::Call("Object", "designStudy", standin::Reads);
    if (standin::answer(this, "designStudy")) return nullptr;
    if (standin::node(this).kind == standin::Kind::Study) return static_cast<DesignStudy *>(this);
    return static_cast<DesignStudy *>(standin::ancestor(this, standin::Kind::Study));
}

Design *Object::design() {
    standin::Call("Object", "design", standin::Reads);
    if (standin::answer(this, "design")) return nullptr;
    if (standin::node(this).kind == standin::Kind::Design) return static_cast<Design *>(this);
    return static_cast<Design *>(standin::ancestor(this, standin::Kind::Design));
}

Analysis *Object::scenario() {
    standin::Call("Object", "scenario", standin::Reads);
    if (standin::answer(this, "scenario")) return nullptr;
    if (standin::node(this).kind == standin::Kind::Scenario) return static_cast<Analysis *>(this);
    return static_cast<Analysis *>(standin::ancestor(this, standin::Kind::Scenario));
}

bool Object::hasProperty(const QString &name) const {
    standin::Call("Object", "hasProperty", standin::Reads).arg(name);
    if (const QVariant *answer = standin::answer(this, "hasProperty")) return answer->toBool();
    double result;
    return findProperty(this, name) != nullptr || resultOf(this, name, &result);
}

Variant Object::property(const QString &name, bool *ok) const {
    standin::Call("Object", "property", standin::Reads).arg(name).arg(ok);
    standin::Quiet quiet;
    const standin::Property *found = findProperty(this, name);
    double result = 0.0;
    const bool isResult = !found && resultOf(this, name, &result);
    if (ok) *ok = found != nullptr || isResult;
    return found ? Variant(found->value) : isResult ? Variant(result) : Variant();
}

namespace {
// A property takes a value of its own kind; a whole number is a double too,
// and a bool property takes 0 and 1.
int assign(Object *object, const QString &name, const QVariant &value) {
    standin::Property *found = findProperty(object, name);
    if (!found) return 0;
    const int has = standin::variantKind(found->value);
    const int given = standin::variantKind(value);
    if (has == given) {
        found->value = value;
    } else if (has == Variant::Double && given == Variant::Int) {
        found->value = QVariant(double(value.toInt()));
    } else if (has == Variant::Bool && given == Variant::Int && (value.toInt() == 0 || value.toInt() == 1)) {
        found->value = QVariant(value.toInt() == 1);
    } else {
        return 0;
    }
    return 1;
}
}  // namespace

int Object::setProperty(const QString &name, int value) {
    standin::Call("Object", "setProperty", standin::Changes).arg(name).arg(value);
    if (const QVariant *answer = standin::answer(this, "setProperty")) return answer->toInt();
    return assign(this, name, QVariant(value));
}

int Object::setProperty(const QString &name, double value) {
    standin::Call("Object", "setProperty", standin::Changes).arg(name).arg(value);
    if (const QVariant *answer = standin::answer(this, "setProperty")) return answer->toInt();
    return assign(this, name, QVariant(value));
}

int Object::setProperty(const QString &name, const QString &value) {
    standin::Call("Object", "setProperty", standin::Changes).arg(name).arg(value);
    if (const QVariant *answer = standin::answer(this, "setProperty")) return answer->toInt();
    return assign(this, name, QVariant(value.isNull() ? QStringLiteral("") : value));
}

PropertyDefinition Object::propertyDefinition(const QString &name) const {
    standin::Call("Object", "propertyDefinition", standin::Reads).arg(name);
    standin::Quiet quiet;
    const standin::Property *found = findProperty(this, name);
    if (!found) return PropertyDefinition();
    return PropertyDefinition(found->name, static_cast<Variant::Type>(standin::variantKind(found->value)));
}

int Object::properties(PropertyDefinitionList &definitions, VariantList &values) const {
    standin::Call("Object", "properties", standin::Reads).arg(int(definitions.size())).arg(int(values.size()));
    if (const QVariant *answer = standin::answer(this, "properties")) return answer->toInt();
    standin::Quiet quiet;
    definitions.clear();
    values.clear();
    for (const standin::Property &property : standin::node(this).properties) {
        definitions.emplace_back(property.name, static_cast<Variant::Type>(standin::variantKind(property.value)));
        values.emplace_back(property.value);
    }
    return int(definitions.size());
}

int Object::numProperties() const {
    standin::Call("Object", "numProperties", standin::Reads);
    if (const QVariant *answer = standin::answer(this, "numProperties")) return answer->toInt();
    return int(standin::node(this).properties.size());
}

Container::Container(QObject *parent, const QString &name) : Object(standin::journaledAs("Container", parent), name) {}

}  // namespace script
