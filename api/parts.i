/* ==========================================================================
 * The parts of a scenario's geometry, the groups that collect their
 * entities, and the entities themselves. Parts and groups belong to their
 * scenario: their proxies never own them. An entity is a value: one made with
 * Entity() belongs to its proxy; one that a scenario or a list hands out does
 * not. Included by classes.i where the class tree names these classes, so
 * that the entity kinds are installed between the variant kinds and the
 * unit codes.
 * ========================================================================== */

%{
#include <script/Object.h>
#include <script/Records.h>
%}

namespace script {

/* --- Part ------------------------------------------------------------------- */
/// A part of a scenario's geometry, with its entities; never owned by a script.
class Part : public Container {
public:
    /// The part's name.
    QString name() const;
    /// The part's id in its scenario.
    int id() const;
    /// The part's tag, its attribute ("" for none).
    QString tag() const;
    /// Applies the material of the scenario's database to the whole part; 1 if applied, else 0.
    int applyMaterial(script::Material *material);
    /// The volume of the part's bounding box, in the study's length unit cubed (0.0 without geometry); ok, a bool pointer object, is set to whether there is one.
    double volume(bool *ok = 0);
    /// The part's lowest temperature in the last run's results (0.0 without results); ok, a bool pointer object, is set to whether there are results.
    double minTemp(bool *ok = 0);
    /// The part's average temperature in the last run's results (0.0 without results); ok, a bool pointer object, is set to whether there are results.
    double avgTemp(bool *ok = 0);
    /// The part's highest temperature in the last run's results (0.0 without results); ok, a bool pointer object, is set to whether there are results.
    double maxTemp(bool *ok = 0);
    /// Whether the part is a compact thermal model.
    bool isCTM() const;
    /// Whether the part is a thermoelectric cooler.
    bool isTEC() const;
    /// Fills the record with the part's compact-model results; 1 if filled, else 0.
    int ctmResults(script::CTMResults &results) const;
    /// Fills the record with the part's thermoelectric-cooler results; 1 if filled, else 0.
    int tecResults(script::TECResults &results) const;
    /// Makes the part's entity of this id the cold side of its cooler; 1 if set, else 0.
    int setColdSideSurface(int entityId);
    /// A copy of the part's extent, owned by the proxy; not valid for a part without geometry.
    script::BoundingBox boundingBox() const;
};

/* --- Group ------------------------------------------------------------------ */
/// A named group of a scenario's entities, held by their ids; never owned by a script.
class Group : public Container {
public:
    /// Sets the group's type.
    void setType(const char *type);
    /// The group's type ("" until set).
    QString type() const;
    /// Sets the type of the group's entities.
    void setEntityType(const char *type);
    /// The type of the group's entities ("" until set).
    QString entityType() const;
    /// Renames the group (refused for an empty name or one that another group of the scenario has).
    void setName(const QString &name);
    /// The group's name.
    QString name() const;
    /// Fills the list with the ids of the group's entities (its contents are replaced).
    void getEntities(EntityIdList &ids) const;
    /// Adds the entity of this id of the group's scenario.
    void add(int entityId);
    /// Adds the entities of the scenario's parts of this name.
    void add(const char *partName);
    /// Takes the entity of this id out of the group.
    void remove(int entityId);
    /// Whether the group holds the entity of this id.
    bool contains(int entityId) const;
};

/* --- Entity: a value; its kinds are module constants ------------------------ */
/// A point, edge, surface or volume of a part's geometry; a value, which lists of entities copy.
class Entity : public Object {
public:
    enum Type { Point = 0, Edge = 1, Surface = 2, Volume = 3, Unknown = 4 };
    /// An entity of no part, with id 0 and no name, owned by the script.
    Entity();
    ~Entity();
    /// The entity's kind: "Point", "Edge", "Surface", "Volume" or "Unknown" ("" for one of no part).
    QString type() const;
    /// The entity's id, unsigned (0 for one of no part).
    unsigned int id() const;
    /// The id of the entity's part, unsigned (0 for one of no part).
    unsigned int partID() const;
    /// The entity's name.
    QString name() const;
    /// The entity's name.
    std::wstring name_w() const;
    /// The entity's tag name ("" for none).
    QString tagName() const;
    /// Whether the entity is planar.
    bool isPlanar() const;
    /// Whether the entity is a wall.
    bool isWall() const;
};

}  // namespace script
