/* ==========================================================================
 * The scenario: one analysis set-up of a design. Scripts receive scenarios
 * from the study, a design or another scenario and never own them. What a
 * scenario hands out is its own (parts, groups, entities, materials, its
 * mesh, its results) and never owned either, except the values it returns by
 * copy (gravity as a Vector, the material environment), which belong to the
 * proxy that receives them.
 * ========================================================================== */

%{
#include <script/Object.h>
#include <script/Records.h>
%}

/* Opaque to scripts: results cross as bare pointer objects, and a motion is
   made and set up by its own area. */
namespace script {
class Results;
class Motion;
}

/* An id list that the host only reads is still an EntityIdList: a plain
   Python list is refused, as it is where the host may change the list. */
%apply SWIGTYPE & { const EntityIdList & };

namespace script {

/* --- Scenario ---------------------------------------------------------------- */
/// A scenario of a design: an analysis of its geometry, with its conditions, materials and mesh; never owned by a script.
class Scenario : public Container {
public:
    /* Identity. */
    /// Adds to the design a copy of the whole set-up under this name; None if refused.
    script::Scenario *clone(const QString &name);
    /// The scenario's name, as UTF-8 bytes in a str.
    std::string getName() const;
    /// The scenario's name.
    QString name() const;
    /// The scenario's name.
    std::wstring name_w() const;
    /// Renames the scenario (refused for an empty name or one that another scenario of the design has).
    void setName(const QString &name);
    /// Where the scenario's files go: the study's path, design and scenario ("" for a study without a path).
    QString path() const;
    /// Where the scenario's files go, as path() gives it.
    std::wstring path_w() const;
    /// Makes the scenario the study's active one.
    void activate();

    /* Contents and lookup. */
    /// Fills the list with the scenario's parts (its contents are replaced).
    void parts(script::PartList &parts);
    /// The part of this name and id (any id when 0), or None.
    script::Part *partByNameAndId(const QString &name, int id = 0);
    /// The results of the last run: a bare pointer object, or None before a run.
    script::Results *results();
    /// The first material of the database of this type (and subtype, unless ""), or None.
    script::Material *materialOfType(const char *type, const char *subtype = "");
    /// The material of the database of this name, or None.
    script::Material *getMaterial(const QString &name);
    /// Fills the list with the materials of the scenario's database (its contents are replaced).
    void materials(script::MaterialList &materials);
    /// Fills the list with copies of the scenario's boundary conditions (its contents are replaced).
    void bcs(script::BCList &conditions);
    /// Fills the list with copies of the scenario's initial conditions (its contents are replaced).
    void ics(script::ICList &conditions);
    /// The entity of this id of the part of this name, or None.
    script::Entity *entity(const char *partName, int id);
    /// The group of this name, or None.
    script::Group *group(const QString &name);
    /// Makes a group of this name holding the selected parts; None if refused.
    script::Group *createGroup(const std::wstring &name);
    /// Makes a group of this name inside parentName ("" for none) holding the parts tagged attribute ("" for the selected parts); None if refused.
    script::Group *createGroup(const std::wstring &name, const QString &parentName, const QString &attribute);
    /// Removes the group of this name.
    void deleteGroup(const std::wstring &name);
    /// A copy of the scenario's material environment, owned by the proxy.
    script::MaterialEnv materialEnv() const;

    /* Assignments and settings transfer. */
    /// Applies the database material of this name to the part named partName, or to the selected parts when partName is "".
    void applyMaterial(const std::wstring &name, const std::wstring &partName = std::wstring());
    /// Applies the material to the entities of these ids, which must be of this kind.
    void applyMaterial(script::Material *material, EntityIdList &entityIds, const script::Entity::Type &kind);
    /// Applies the database material of this name (and type, unless "") to the entities of these ids, of this kind.
    void applyMaterial(const char *name, EntityIdList &entityIds, const script::Entity::Type &kind, const QString &type = "");
    /// Applies the material as a thermoelectric cooler between the entity of coldSideId and that of hotSideId.
    void applyTECMaterial(script::Material *material, int coldSideId, int hotSideId);
    /// Applies a copy of the condition to the entities of these ids, which must be of this kind.
    void applyBoundaryCondition(script::BoundaryCondition *condition, EntityIdList &entityIds, const script::Entity::Type &kind);
    /// Applies a copy of the initial condition to the scenario.
    void applyInitialCondition(script::InitialCondition *condition);
    /// Sets the mesh size of the selected parts (of the whole model when none is selected), in the length unit.
    void applyMeshSize(double size);
    /// Applies a copy of the motion to the selected parts.
    void applyMotion(script::Motion *motion);
    /// Copies another scenario's settings (materials by part name, conditions, mesh and solver settings), not its geometry.
    void importSettingsFrom(script::Scenario *other);

    /* Selection and suppression. */
    /// Selects every part.
    void selectAll();
    /// Selects nothing.
    void deselectAll();
    /// Brings back the selection that the last change replaced.
    void selectPrevious();
    /// Adds the part of this id to the selection.
    void select(int id);
    /// Adds the parts of this name to the selection.
    void select(const char *name);
    /// Takes the part of this id out of the selection.
    void deselect(int id);
    /// Takes the parts of this name out of the selection.
    void deselect(const char *name);
    /// Selects the parts tagged with this attribute.
    void selectByAttribute(const QString &attribute);
    /// Suppresses the selected parts: runs and meshes leave them out.
    void suppressSelectedParts();
    /// Brings the selected parts back into runs and meshes.
    void resumeSelectedParts();
    /// Brings every part back into runs and meshes.
    void resumeAllParts();

    /* Mesh size and meshing. */
    /// The scenario's mesh settings, never owned by a script; None for a scenario without a mesh.
    script::Mesh *mesh() const;
    /// Removes the mesh that meshing made, keeping its settings.
    void removeMesh();
    /// Sets the largest cell size, in the length unit.
    void setMaxLengthScale(double length);
    /// Whether enhancement layers may hold tetrahedra.
    bool tetsInEnahancementLayers();
    /// Lets enhancement layers hold tetrahedra, or not.
    void setTetsInEnhancementLayers(bool on);
    /// Sizes the mesh automatically from the geometry.
    void automaticSize();
    /// Spreads the mesh settings of the selected parts to their neighbours.
    void spreadChanges();
    /// Gives the whole model one uniform mesh size.
    void useUniformSize();
    /// Scales the mesh sizes by factor, refining small gaps and coarsening large spaces if asked.
    void applySizeAdjustment(double factor = 1.0, bool refineSmall = false, bool coarsenLarge = false);

    /* Extrusion and filling. */
    /// Sets automatic extrusion: "Off", "Inlets", "Outlets" or "All".
    void setAutomaticExtrusion(const QString &mode);
    /// Sets the growth factor of extruded layers.
    void setExtrusionGrowth(double growth);
    /// Sets the extrusion direction: "Normal", "X", "Y" or "Z".
    void setExtrusionDirection(const QString &direction);
    /// Sets the number of extruded layers.
    void setExtrusionLayers(int layers);
    /// Sets the layering at the extrusion's end: "Uniform" or "Growth".
    void setExtrusionEndLayering(const QString &layering);
    /// Extrudes the mesh of the selected surfaces.
    void extrudeMesh();
    /// Removes every extrusion.
    void removeExtrusions();
    /// Fills the surfaces bounded by the edges of these ids; the number of surfaces made.
    int fillSurface(const EntityIdList &entityIds);
    /// Fills the closed voids of the model with a fluid volume; the number of volumes made.
    int fillVoid();

    /* Physics and solver settings. */
    /// A copy of the gravity vector, owned by the proxy.
    Clt::Vector gravityVector();
    /// Sets the gravity vector.
    void setGravityVector(double x, double y, double z);
    /// Saves results every interval, in unit ("Steps", "Iterations" or "Seconds").
    void setResultsSaveInterval(double interval, const QString &unit = "Steps");
    /// Saves summaries every interval, in unit ("Steps", "Iterations" or "Seconds").
    void setSummarySaveInterval(double interval, const QString &unit = "Steps");
    /// Also saves results every `every` steps from step `from`.
    void addResultsSaveFrequency(double from, double every);
    /// Also saves summaries every `every` steps from step `from`.
    void addSummarySaveFrequency(double from, double every);
    /// Sets the total temperature, in unit ("K", "C" or "F").
    void setTotalTemperature(double temperature, const QString &unit);
    /// Sets the relaxation factor of a solved quantity.
    void setRelaxation(const QString &quantity, double factor);
    /// Estimates the time step from the mesh size and the flow, and sets it.
    void estimateTimeStep();

    /* Running. */
    /// Runs the solver and returns when it is done.
    void run();
    /// Starts the solver; wait() returns when it is done.
    void start();
    /// Waits for the run that start() began, at most timeoutMs milliseconds (-1: no limit).
    void wait(int timeoutMs = -1, bool processEvents = false);

    /* Flags. */
    /// Whether a flag of this name is set.
    bool flagExists(const QString &name);
    /// Sets the flag to value (an existing one only if replace); whether it was set.
    bool addFlag(const QString &name, const QString &value, bool replace = true);
    /// Removes the flag; whether there was one.
    bool removeFlag(const QString &name);
    /// The flag's value ("" when there is none; ok, when given, is set to whether there is).
    QString flagValue(const QString &name, bool *ok = 0);

    /* Output quantities and post-processing parameters. */
    /// Adds the quantity to the results that a run writes.
    void enableResultQuantity(const QString &quantity);
    /// Takes the quantity out of the results that a run writes.
    void disableResultQuantity(const QString &quantity);
    /// Sets the smoke-visibility parameters from the record.
    void setSmokeVisibilityParams(script::SmokeParams &params);
    /// Sets the thermal-comfort parameters from the record.
    void setThermalComfortParams(script::ThermalComfortParams &params);
};

}  // namespace script
