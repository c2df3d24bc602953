// The application's tagged property value and a property's description.
#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

namespace script {

class Variant {
public:
    // The same numbers as QVariant's type ids for these kinds.
    enum Type { Invalid = 0, Bool = 1, Int = 2, Double = 6, String = 10, StringList = 11 };

    Variant();
    Variant(bool value);
    Variant(int value);
    Variant(double value);
    Variant(const char *text);
    Variant(const QStringList &texts);
    Variant(const Variant &other);
    Variant(const QVariant &value);
    ~Variant();
    Variant &operator=(const Variant &other);

    int toInt(bool *ok = nullptr) const;
    double toDouble(bool *ok = nullptr) const;
    bool toBool() const;
    QString toString() const;
    QStringList toStringList() const;
    bool isNull() const;
    bool isValid() const;
    Type type() const;
    QString typeName() const;

private:
    QVariant m_value;
};

class PropertyDefinition {
public:
    PropertyDefinition();
    PropertyDefinition(const QString &name, Variant::Type type);
    PropertyDefinition(const PropertyDefinition &other);
    ~PropertyDefinition();
    PropertyDefinition &operator=(const PropertyDefinition &other);

    QString name() const;
    Variant::Type type() const;

private:
    QString m_name;
    Variant::Type m_type;
};

}  // namespace script
