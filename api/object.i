/* ==========================================================================
 * Named objects with typed properties, and the containers among them.
 * Property names cross as byte strings; values come back by the variant
 * result rule.
 * ========================================================================== */

%{
#include <script/Object.h>
%}

namespace script {

class DesignStudy;
class Design;
class Scenario;
class PropertyDefinition;
class Variant;

/* --- Object: the root of the class tree ---------------------------------- */
/* Made by scripts with no parent and the empty name, so that no container
   lists or deletes it; destroyed with its owning proxy. */
/// A named object of the application, with typed properties; the root of the class tree.
class Object {
public:
    %extend {
        /// An object with the empty name and no parent, owned by the script.
        Object() { return new script::Object(nullptr, QString("")); }
    }
    virtual ~Object();

    /// The object's name.
    QString name() const;
    /// The study that the object belongs to, or None.
    script::DesignStudy *designStudy();
    /// The design that the object belongs to, or None.
    script::Design *design();
    /// The scenario that the object belongs to, or None.
    script::Scenario *scenario();
    /// Whether the object has a property of this name.
    bool hasProperty(const char *name);
    /* The flag form comes first: with three arguments it is the only fit. */
    /// The property's value, or None for a missing property; ok, a bool pointer object, is set to whether it is found.
    script::Variant property(const char *name, bool *ok) const;
    /// The property's value (a bool property reads as 0 or 1), or None for a missing property.
    script::Variant property(const char *name) const;
    /// Sets an int property (or a double one, or a bool one to 0 or 1); 1 if taken, 0 if unknown or of another kind.
    int setProperty(const char *name, int value);
    /// Sets a double property; 1 if taken, 0 if unknown or of another kind.
    int setProperty(const char *name, double value);
    /// Sets a text property; 1 if taken, 0 if unknown or of another kind.
    int setProperty(const char *name, const char *value);
    /// The definition (name and kind) of the property of this name.
    script::PropertyDefinition propertyDefinition(const char *name);
    /// Fills the lists with the definitions and values of all the object's properties; gives their number.
    int properties(PropertyDefinitionList &definitions, VariantList &values);
    /// The number of the object's properties.
    int numProperties() const;

    /* Proxies are equal when they stand for the same host object, so that a
       part is found in the list of parts that the host filled. */
    %pythoncode %{
    def __eq__(self, other):
        """Whether other stands for the same host object."""
        if not isinstance(other, Object):
            return NotImplemented
        return int(self.this) == int(other.this)

    def __hash__(self):
        """The hash of the host object's address."""
        return hash(int(self.this))
    %}
};

/* --- Container: the base of the objects that hold others ------------------ */
/// An object that holds others: the study, designs, scenarios, parts and groups.
class Container : public Object {
public:
    %extend {
        /// A container with the empty name and no parent, owned by the script.
        Container() { return new script::Container(nullptr, QString("")); }
    }
    virtual ~Container();
};

}  // namespace script
