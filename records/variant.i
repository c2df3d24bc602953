/* ==========================================================================
 * Variant and PropertyDefinition: a property's value and description.
 * ========================================================================== */

%{
#include <script/Variant.h>
%}

/* Known to the module only as pointer objects that other modules make. */
class QStringList;
class QVariant;

namespace script {

/* --- Variant ------------------------------------------------------------ */
/* The constructors are declared in the order their overloads are tried: one
   argument is matched against a text list, a Variant, a QVariant, an int, a
   double, a text, and last anything with a truth value. */
class Variant {
public:
    enum Type { Invalid = 0, Bool = 1, Int = 2, Double = 6, String = 10, StringList = 11 };

    Variant();
    Variant(const QStringList &texts);
    Variant(const Variant &other);
    Variant(const QVariant &value);
    Variant(int value);
    Variant(double value);
    Variant(const char *text);
    Variant(bool value);
    ~Variant();

    int toInt(bool *ok = 0) const;
    double toDouble(bool *ok = 0) const;
    bool toBool() const;
    QString toString() const;
    QStringList toStringList() const;
    bool isNull() const;
    bool isValid() const;
    Type type() const;
    QString typeName() const;

    /* Variants are values: equal when they hold the same kind and value. */
    %pythoncode %{
    def __eq__(self, other):
        if not isinstance(other, Variant):
            return NotImplemented
        kind = self.type()
        if kind != other.type():
            return False
        read = _VARIANT_READERS.get(kind)
        return read is None or read(self) == read(other)

    __hash__ = None
    %}
};

/* --- PropertyDefinition ------------------------------------------------- */
class PropertyDefinition {
public:
    PropertyDefinition();
    ~PropertyDefinition();
    QString name() const;
    Variant::Type type() const;

    %pythoncode %{
    def __eq__(self, other):
        if not isinstance(other, PropertyDefinition):
            return NotImplemented
        return (self.name(), self.type()) == (other.name(), other.type())

    __hash__ = None
    %}
};

}  // namespace script

%pythoncode %{
_VARIANT_READERS = {Variant.Bool: Variant.toBool, Variant.Int: Variant.toInt, Variant.Double: Variant.toDouble,
                    Variant.String: Variant.toString, Variant.StringList: Variant.toStringList}
%}
