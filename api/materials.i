/* ==========================================================================
 * Materials and the material environment. A material that a script makes
 * belongs to its proxy, which deletes it when released (there is no
 * delete_Material: the proxy's pointer object deletes it directly); one that
 * a scenario's database holds, found by Material.Create or a lookup, belongs
 * to the application. A material environment is a value: each one a script
 * receives is its own copy. Included by classes.i where the class tree names
 * these classes.
 * ========================================================================== */

%{
#include <script/Object.h>
#include <script/Lists.h>
%}

/* The face lists are only read, yet they are EntityIdList objects all the
   same: a plain Python list is refused, as it is by the scenario. */
%apply SWIGTYPE & { const EntityIdList & };

/* A material that its proxy owns is deleted through the virtual destructor
   when the proxy goes, without a destroy function of its own. */
%setup_delete_directly(script::Material)

namespace script {

/* --- Material --------------------------------------------------------------- */
/// A material that a scenario's parts are made of: a database material of a scenario, or one a script made, which its proxy owns.
class Material : public Object {
public:
    /// A material of this name (a str) for the scenario (None for none), of this type ("" for the application's default), owned by the script.
    Material(const char *name, script::Scenario *scenario = 0, const QString &type = "");
    /// The scenario's database material of this type and subtype, made and added to the database when it has none; None for a None scenario or an empty type. Never owned by a script.
    static script::Material *Create(script::Scenario *scenario, const char *type, const char *subtype);
    /// Renames the material (refused for an empty name, or one that another material of its scenario's database has).
    void setName(const QString &name);
    /// The material's name.
    QString name() const;
    /// The material's property of this name, or None; never owned by a script.
    script::Property *property(const QString &name);
    /// Sets the shell thickness and its units ("mm").
    void setShellThickness(double thickness, const QString &units);
    /// Sets the inlet faces: the entities of these ids, an EntityIdList.
    void setInletFaces(const EntityIdList &faceIds);
    /// Sets the outlet faces: the entities of these ids, an EntityIdList.
    void setOutletFaces(const EntityIdList &faceIds);
    /// Sets the reference gas constant and its units ("J/kg-K").
    void setReferenceGasConstant(double value, const QString &units);
    /// Sets the reference pressure and its units ("Pa").
    void setReferencePressure(double value, const QString &units);
    /// Sets the reference temperature and its units ("C").
    void setReferenceTemperature(double value, const QString &units);
    /// Sets the temperature that triggers the thermostat, and its units ("C").
    void setThermostatTriggerTemperature(double value, const QString &units);
    /// Makes the material's direction the normal of the entity.
    void setDirectionNormalTo(script::Entity *entity);
    /// Reverses the material's direction.
    void reverseDirection();
    /// Sets the material's direction to the vector (x, y, z).
    void setDirection(double x, double y, double z);
    /// Sets the origin of the material's directions.
    void setOrigin(double x, double y, double z);
    /// Names the material's three directions.
    void setDirections(const QString &first, const QString &second, const QString &third);
    /// Makes the material's normal direction the normal of the entity.
    void setNormalDirectionNormalTo(script::Entity *entity);
    /// Sets the material's normal direction to the vector (x, y, z).
    void setNormalDirection(double x, double y, double z);
    /// Fills the list with the parts that the material is applied to (its contents are replaced).
    void parts(script::PartList &parts);
    /// Fills the list with copies of the entities that the material is applied to (its contents are replaced).
    void entities(script::EntityList &entities);
    /// Fills the list with the material's properties, in order (its contents are replaced).
    void properties(script::PropertyList &properties);
    /// A copy of the environment that the material is set in, owned by the proxy.
    script::MaterialEnv materialEnv() const;
};

/* --- MaterialEnv: a value --------------------------------------------------- */
/// The ambient state that materials and a scenario are set in; a value, which its proxy owns.
class MaterialEnv : public Object {
public:
    /// An environment of no scenario, owned by the script.
    MaterialEnv();
    virtual ~MaterialEnv();
};

}  // namespace script
