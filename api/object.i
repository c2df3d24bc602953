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
class Object {
public:
    %extend {
        Object() { return new script::Object(nullptr, QString("")); }
    }
    virtual ~Object();

    QString name() const;
    script::DesignStudy *designStudy();
    script::Design *design();
    script::Scenario *scenario();
    bool hasProperty(const char *name);
    /* The flag form comes first: with three arguments it is the only fit. */
    script::Variant property(const char *name, bool *ok) const;
    script::Variant property(const char *name) const;
    int setProperty(const char *name, int value);
    int setProperty(const char *name, double value);
    int setProperty(const char *name, const char *value);
    script::PropertyDefinition propertyDefinition(const char *name);
    int properties(PropertyDefinitionList &definitions, VariantList &values);
    int numProperties() const;

    /* Proxies are equal when they stand for the same host object, so that a
       part is found in the list of parts that the host filled. */
    %pythoncode %{
    def __eq__(self, other):
        if not isinstance(other, Object):
            return NotImplemented
        return int(self.this) == int(other.this)

    def __hash__(self):
        return hash(int(self.this))
    %}
};

/* --- Container: the base of the objects that hold others ------------------ */
class Container : public Object {
public:
    %extend {
        Container() { return new script::Container(nullptr, QString("")); }
    }
    virtual ~Container();
};

}  // namespace script
