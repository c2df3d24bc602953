#include <script/Variant.h>

#include "control.h"
#include "journal.h"

namespace script {

namespace {
QVariant fromKind(const QVariant &value) {
    // Only the kinds of the scripting interface survive; anything else is no value.
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QStringList:
        return value;
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.canConvert<int>() ? QVariant(value.toInt()) : QVariant(value.toDouble());
    case QMetaType::Float:
        return QVariant(value.toDouble());
    default:
        return QVariant();
    }
}
}  // namespace

Variant::Variant() {
    standin::Call("Variant", "Variant", standin::Reads);
    standin::countConstruction("Variant", 1);
}
Variant::Variant(bool value) : m_value(value) {
    standin::Call("Variant", "Variant", standin::Reads).arg(value);
    standin::countConstruction("Variant", 1);
}
Variant::Variant(int value) : m_value(value) {
    standin::Call("Variant", "Variant", standin::Reads).arg(value);
    standin::countConstruction("Variant", 1);
}
Variant::Variant(double value) : m_value(value) {
    standin::Call("Variant", "Variant", standin::Reads).arg(value);
    standin::countConstruction("Variant", 1);
}
Variant::Variant(const char *text) : m_value(QString::fromUtf8(text)) {
    standin::Call("Variant", "Variant", standin::Reads).arg(text);
    standin::countConstruction("Variant", 1);
}
Variant::Variant(const QStringList &texts) : m_value(texts) {
    standin::Call("Variant", "Variant", standin::Reads).arg(texts);
    standin::countConstruction("Variant", 1);
}
Variant::Variant(const Variant &other) : m_value(other.m_value) {
    standin::Call("Variant", "Variant", standin::Reads).arg(QStringLiteral("<Variant>"));
    standin::countConstruction("Variant", 1);
}
Variant::Variant(const QVariant &value) : m_value(fromKind(value)) {
    standin::Call("Variant", "Variant", standin::Reads).arg(QStringLiteral("<QVariant>"));
    standin::countConstruction("Variant", 1);
}
Variant::~Variant() {
    standin::Call("Variant", "~Variant", standin::Reads);
    standin::countConstruction("Variant", -1);
}
Variant &Variant::operator=(const Variant &other) {
    m_value = other.m_value;
    return *this;
}

int Variant::toInt(bool *ok) const {
    standin::Call("Variant", "toInt", standin::Reads).arg(ok);
    return m_value.toInt(ok);
}
double Variant::toDouble(bool *ok) const {
    standin::Call("Variant", "toDouble", standin::Reads).arg(ok);
    return m_value.toDouble(ok);
}
bool Variant::toBool() const {
    standin::Call("Variant", "toBool", standin::Reads);
    return m_value.toBool();
}
QString Variant::toString() const {
    standin::Call("Variant", "toString", standin::Reads);
    return m_value.toString();
}
QStringList Variant::toStringList() const {
    standin::Call("Variant", "toStringList", standin::Reads);
    return m_value.toStringList();
}
bool Variant::isNull() const {
    standin::Call("Variant", "isNull", standin::Reads);
    return m_value.isNull();
}
bool Variant::isValid() const {
    standin::Call("Variant", "isValid", standin::Reads);
    return m_value.isValid();
}
Variant::Type Variant::type() const {
    standin::Call("Variant", "type", standin::Reads);
    return m_value.isValid() ? static_cast<Type>(m_value.typeId()) : Invalid;
}
QString Variant::typeName() const {
    standin::Call("Variant", "typeName", standin::Reads);
    return m_value.isValid() ? QString::fromLatin1(m_value.typeName()) : QString();
}

PropertyDefinition::PropertyDefinition() : m_type(Variant::Invalid) {
    standin::Call("PropertyDefinition", "PropertyDefinition", standin::Reads);
    standin::countConstruction("PropertyDefinition", 1);
}
PropertyDefinition::PropertyDefinition(const QString &name, Variant::Type type) : m_name(name), m_type(type) {
    standin::Call("PropertyDefinition", "PropertyDefinition", standin::Reads).arg(name).arg(static_cast<int>(type));
    standin::countConstruction("PropertyDefinition", 1);
}
PropertyDefinition::PropertyDefinition(const PropertyDefinition &other) : m_name(other.m_name), m_type(other.m_type) {
    standin::Call("PropertyDefinition", "PropertyDefinition", standin::Reads).arg(QStringLiteral("<PropertyDefinition>"));
    standin::countConstruction("PropertyDefinition", 1);
}
PropertyDefinition::~PropertyDefinition() {
    standin::Call("PropertyDefinition", "~PropertyDefinition", standin::Reads);
    standin::countConstruction("PropertyDefinition", -1);
}
PropertyDefinition &PropertyDefinition::operator=(const PropertyDefinition &other) {
    m_name = other.m_name;
    m_type = other.m_type;
    return *this;
}
QString PropertyDefinition::name() const {
    standin::Call("PropertyDefinition", "name", standin::Reads);
    return m_name;
}
Variant::Type PropertyDefinition::type() const {
    standin::Call("PropertyDefinition", "type", standin::Reads);
    return m_type;
}

}  // namespace script
