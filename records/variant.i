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
/// A property's value: a bool, an int, a double, a text or a text list, or nothing (invalid).
class Variant {
public:
    enum Type { Invalid = 0, Bool = 1, Int = 2, Double = 6, String = 10, StringList = 11 };

    /// An invalid variant: no value.
    Variant();
    /// A text list, from a text list pointer object that another module made.
    Variant(const QStringList &texts);
    /// A copy of another variant.
    Variant(const Variant &other);
    /// The value of a QVariant pointer object that another module made.
    Variant(const QVariant &value);
    /// An int.
    Variant(int value);
    /// A double.
    Variant(double value);
    /// A text.
    Variant(const char *text);
    /// A bool: the truth value of any object.
    Variant(bool value);
    ~Variant();

    /// The value as an int (0 if it is none); ok, a bool pointer object, is set to whether it is one.
    int toInt(bool *ok = 0) const;
    /// The value as a double (0.0 if it is none); ok, a bool pointer object, is set to whether it is one.
    double toDouble(bool *ok = 0) const;
    /// The value as a bool.
    bool toBool() const;
    /// The value as a text.
    QString toString() const;
    /// The value as a list of texts.
    QStringList toStringList() const;
    /// Whether the variant holds no value.
    bool isNull() const;
    /// Whether the variant holds a value of a kind (not Invalid).
    bool isValid() const;
    /// The kind of the value: Variant.Invalid, Bool, Int, Double, String or StringList.
    Type type() const;
    /// The name of the value's kind, as the application writes it.
    QString typeName() const;

    /* Variants are values: equal when they hold the same kind and value. */
    %pythoncode %{
    def __eq__(self, other):
        """Whether other is a Variant that holds the same kind and value."""
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
/// A property's description: its name and the kind of its value.
class PropertyDefinition {
public:
    /// A definition with no name, of kind Variant.Invalid.
    PropertyDefinition();
    ~PropertyDefinition();
    /// The property's name.
    QString name() const;
    /// The kind of the property's value, a Variant kind.
    Variant::Type type() const;

    %pythoncode %{
    def __eq__(self, other):
        """Whether other is a PropertyDefinition of the same name and kind."""
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

%setup_delete_directly(script::Variant)
%setup_delete_directly(script::PropertyDefinition)
