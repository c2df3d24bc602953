// Base of every named scripting object of the application, and the class tree
// below it. All derivations are single and public, so a pointer to a derived
// object is a valid pointer to each base, unchanged.
#pragma once

#include <Clt/Vector.h>
#include <script/Records.h>
#include <script/Variant.h>

#include <QtCore/QObject>
#include <QtCore/QString>

#include <string>
#include <vector>

namespace script {
class DesignStudy;
class Design;
class Analysis;
class DecisionCenter;
class BoundingBox;
class Part;
class Group;
class Material;
class MaterialEnv;
class Motion;
class Mesh;
class Results;
class BoundaryCondition;
class InitialCondition;
class FanCurve;
class TimeCurve;
class Entity;
class Property;
}  // namespace script

// The lists that the study's filling operations fill, under the application's names.
typedef std::vector<script::Design *> DesignList;
typedef std::vector<script::Analysis *> ScenarioList;
typedef std::vector<script::PropertyDefinition> PropertyDefinitionList;
typedef std::vector<script::Variant> VariantList;

namespace script {

// Properties are named and typed; which ones an object has is the
// application's. Operations that can fail say so through their results.
class Object : public QObject {
    Q_OBJECT
public:
    explicit Object(QObject *parent = nullptr, const QString &name = QString());
    ~Object() override;

    QString name() const;
    DesignStudy *designStudy();
    Design *design();
    Analysis *scenario();

    bool hasProperty(const QString &name) const;
    // An unknown name gives an invalid value, and false through ok.
    Variant property(const QString &name, bool *ok = nullptr) const;
    // 1 when the property took the value, 0 when it is unknown or of another kind.
    int setProperty(const QString &name, int value);
    int setProperty(const QString &name, double value);
    int setProperty(const QString &name, const QString &value);
    PropertyDefinition propertyDefinition(const QString &name) const;
    // Replaces the lists' contents with the object's properties; gives their number.
    int properties(PropertyDefinitionList &definitions, VariantList &values) const;
    int numProperties() const;

protected:
    // Value classes below copy a name and state, never a place in the object
    // tree: a copy has no parent and no children.
    Object(const Object &other);
    Object &operator=(const Object &other);
};

class Container : public Object {
    Q_OBJECT
public:
    explicit Container(QObject *parent = nullptr, const QString &name = QString());
};

// The study that the application holds: one per process.
class DesignStudy : public Container {
public:
    static DesignStudy &Create();

    QString name() const;
    void setName(const QString &name);
    QString path() const;
    void setPath(const QString &path);
    void open(const QString &path);
    void createFrom(const QString &path, bool withResults = false);
    // A new design holding one scenario of the second name (none when it is
    // empty); activate makes that scenario the active one.
    QObject *add(const QString &name, const QString &scenarioName, bool activate = false);
    void remove(const QString &name);
    void save();
    void saveShareFile(const QString &path, const QString &what = QString("Everything"));
    QObject *design(const QString &name);
    Analysis *getActiveScenario();
    void designs(DesignList &list) const;
    DecisionCenter *decisionCenter();
    int createSetupFileOfActiveScenario(const QString &path = QString("")) const;
    Clt::Units::MLENGTHUNITS lengthUnits() const;
    bool createStudyFromAsmTranslator(const QString &assembly, const QString &study);
    double GetLoadTime() const;
    int GetASMTranslateErrorCode() const;
    int createExternalVolumeForActiveScenario(double xMin = 0.0, double xMax = 0.0, double yMin = 0.0,
                                              double yMax = 0.0, double zMin = 0.0, double zMax = 0.0);

    using Container::Container;
};

class Design : public Container {
public:
    std::string getName() const;
    QString name() const;
    void setName(const QString &name);
    std::wstring name_w() const;
    QObject *scenario(const QString &name, bool exact = true);
    QObject *clone(const QString &name);
    QObject *add(const QString &name);
    void scenarios(ScenarioList &list) const;
    void update(const QString &name);
    void remove(const QString &name);
    BoundingBox boundingBox() const;

    using Container::Container;
};
// A part of a scenario's geometry. Its name, id and tag are the import's; its
// temperatures are those of the scenario's last run. The bool * of volume()
// and the temperatures, when given, is set to whether there is a value; the
// int results are 1 when the operation was done (a record filled), else 0.
class Part : public Container {
public:
    using Container::Container;

    QString name() const;
    int id() const;
    QString tag() const;
    int applyMaterial(Material *material);
    double volume(bool *ok = nullptr);
    double minTemp(bool *ok = nullptr);
    double avgTemp(bool *ok = nullptr);
    double maxTemp(bool *ok = nullptr);
    bool isCTM() const;
    bool isTEC() const;
    int ctmResults(CTMResults &results) const;
    int tecResults(TECResults &results) const;
    int setColdSideSurface(int entityId);
    BoundingBox boundingBox() const;
};

// A named group of entities of a scenario, held by their ids, with a type and
// an entity type, both texts.
class Group : public Container {
public:
    using Container::Container;

    void setType(const QString &type);
    QString type() const;
    void setEntityType(const QString &type);
    QString entityType() const;
    void setName(const QString &name);
    QString name() const;
    void getEntities(std::vector<int> &ids) const;
    void add(int entityId);
    // Adds the entities of the parts of this name.
    void add(const QString &partName);
    void remove(int entityId);
    bool contains(int entityId) const;
};

// A point, edge, surface or volume of a part's geometry. A value class: lists
// of entities hold copies.
class Entity : public Object {
public:
    enum Type { Point = 0, Edge = 1, Surface = 2, Volume = 3, Unknown = 4 };
    Entity();
    Entity(const Entity &other);
    ~Entity() override;
    Entity &operator=(const Entity &other);

    // "Point", "Edge", "Surface", "Volume" or "Unknown".
    QString type() const;
    unsigned int id() const;
    unsigned int partID() const;
    QString name() const;
    std::wstring name_w() const;
    QString tagName() const;
    bool isPlanar() const;
    bool isWall() const;
};

// The ambient state that materials and a scenario are set in. A value class.
class MaterialEnv : public Object {
public:
    MaterialEnv();
    MaterialEnv(const MaterialEnv &other);
    ~MaterialEnv() override;
    MaterialEnv &operator=(const MaterialEnv &other);
};

// A material of a scenario's database, or one a script made. Its name,
// property and properties are its own: the property is an object with
// variations, not a value. Values with units take the units as a text of the
// application's ("mm", "J/kg-K", "Pa", "C").
class Material : public Object {
public:
    using Object::Object;
    // A material of that name for the scenario (none when null); the type
    // names what kind of material it is, empty for the application's default.
    Material(const QString &name, Analysis *scenario = nullptr, const QString &type = QString(""));
    ~Material() override;
    // The scenario's database material of that type and subtype, made when
    // it has none; null when the scenario is null or the type is unknown.
    static Material *Create(Analysis *scenario, const char *type, const char *subtype);

    void setName(const QString &name);
    QString name() const;
    // The property of that name, a Property; null when there is none.
    QObject *property(const QString &name);
    void setShellThickness(double thickness, const QString &units);
    void setInletFaces(const std::vector<int> &faceIds);
    void setOutletFaces(const std::vector<int> &faceIds);
    void setReferenceGasConstant(double value, const QString &units);
    void setReferencePressure(double value, const QString &units);
    void setReferenceTemperature(double value, const QString &units);
    void setThermostatTriggerTemperature(double value, const QString &units);
    void setDirectionNormalTo(Entity *entity);
    void reverseDirection();
    void setDirection(double x, double y, double z);
    void setOrigin(double x, double y, double z);
    void setDirections(const QString &first, const QString &second, const QString &third);
    void setNormalDirectionNormalTo(Entity *entity);
    void setNormalDirection(double x, double y, double z);
    // Fill the lists with what the material is applied to, and its properties.
    void parts(std::vector<Part *> &parts);
    void entities(std::vector<Entity> &entities);
    void properties(std::vector<Property *> &properties);
    MaterialEnv materialEnv() const;
};
// A variation of a property of a setting object (a material, a motion): a
// value with units, named values, points with x and y units, velocity
// entries of four numbers and a control value with units. Its type and core
// type are the application's.
class Variation : public Object {
public:
    using Object::Object;

    std::wstring type_w() const;
    std::wstring core_type() const;
    // The variation's own value and units.
    double value() const;
    QString units() const;
    // A named value and its units: 0.0 and "" for a name the variation does
    // not have, with false through ok; a null or empty name is the variation's own.
    double value(const QString &name, bool *ok = nullptr) const;
    QString units(const QString &name, bool *ok = nullptr) const;
    // A null units text keeps the units that the value had.
    void setValue(double value, const QString &units = QString());
    void setValue(const QString &name, double value, const QString &units = QString());
    // The value as a text: a number, optionally followed by its units.
    void setValue(const QString &name, const QString &value);
    void addPoint(double x, double y);
    void setXUnits(const QString &units);
    QString xUnits() const;
    void setYUnits(const QString &units);
    QString yUnits() const;
    void addVelocity(double a, double b, double c = 0.0, double d = 0.0);
    void setControlValue(double value, const QString &units);
    // Forgets the points, velocity entries and named values.
    void clear();
};

// A property of a setting object, with its variations, one of which may be applied.
class Property : public Object {
public:
    using Object::Object;

    QString type() const;
    std::wstring type_w() const;
    void setType(const QString &type);
    // The variation of that name, or with a null or empty name the applied
    // one (else the first); null when there is none.
    QObject *variation(const QString &name = QString());
    // Replaces the list's contents with the property's variations, in order.
    void variations(std::vector<Variation *> &variations);
    // Only a variation of this property can be applied to it.
    void apply(Variation *variation);
};

// A fan's curve: points of flow rate and pressure rise. A boundary condition
// holds it; scripts reach it through the condition only.
class FanCurve : public Object {
public:
    using Object::Object;
    ~FanCurve() override;
    void addPoint(double flow, double pressure);
};

// A value that changes with time: named values and points of time and factor.
class TimeCurve : public Object {
public:
    using Object::Object;
    explicit TimeCurve(const QString &name);
    ~TimeCurve() override;
    void setValue(const QString &name, double value);
    void addPoint(double time, double value);
};

// Boundary and initial conditions are value classes: lists of them hold copies.
// Their values take units as a text of the application's ("W", "C", "m^3/s").
class BoundaryCondition : public Object {
public:
    BoundaryCondition();
    BoundaryCondition(const QString &name, Analysis *scenario);
    BoundaryCondition(const BoundaryCondition &other);
    ~BoundaryCondition() override;
    BoundaryCondition &operator=(const BoundaryCondition &other);

    QString infoString() const;
    std::wstring infoString_w() const;
    void setValue(double value, const QString &units);
    void setPointOnAxis(double x, double y, double z);
    void setAxisDirection(double x, double y, double z);
    // Null takes the time curve away.
    void setTimeCurve(TimeCurve *curve);
    void entities(std::vector<Entity> &entities);
    // The condition's fan curve, or null for a condition that is no fan.
    FanCurve *fanCurve() const;
};
class InitialCondition : public Object {
public:
    InitialCondition();
    InitialCondition(const QString &name, Analysis *scenario);
    InitialCondition(const InitialCondition &other);
    ~InitialCondition() override;
    InitialCondition &operator=(const InitialCondition &other);

    QString infoString() const;
    std::wstring infoString_w() const;
    void setValue(double value, const QString &units);
    void entities(std::vector<Entity> &entities);
};

// The extent of a geometry, in the study's length unit. A value class; a box
// with nothing in it is not valid.
class BoundingBox : public Object {
public:
    BoundingBox();
    BoundingBox(const Clt::Vector &min, const Clt::Vector &max);
    BoundingBox(const BoundingBox &other);
    ~BoundingBox() override;
    BoundingBox &operator=(const BoundingBox &other);

    Clt::Vector getMin() const;
    Clt::Vector getMax() const;
    bool isValid() const;
    Clt::Vector center() const;
    Clt::Vector extent() const;
    double largestExtent() const;
    // 0, 1 or 2 for x, y or z; -1 for a box that is not valid.
    int largestExtentAxis() const;
    // Half the diagonal.
    double radius() const;

private:
    double m_min[3];
    double m_max[3];
    bool m_valid;
};

// A scenario's mesh settings, in four groups, each an object of its own
// whose settings are its properties.
class MeshEnhancement : public Object {
public:
    using Object::Object;
    ~MeshEnhancement() override;
};
class MeshAdvancedControls : public Object {
public:
    using Object::Object;
    ~MeshAdvancedControls() override;
};
class MeshAdaptation : public Object {
public:
    using Object::Object;
    ~MeshAdaptation() override;
};
class MeshDiagnostics : public Object {
public:
    using Object::Object;
    ~MeshDiagnostics() override;
    void restoreMinimumLengthScale();
};
class Mesh : public Object {
public:
    using Object::Object;
    ~Mesh() override;
    MeshEnhancement *meshEnahancement() const;
    MeshAdvancedControls *advancedControls() const;
    MeshAdaptation *adaptation() const;
    MeshDiagnostics *diagnostics() const;
    void refine();
};

// A motion of parts, which a scenario keeps a copy of when it is applied.
// Setters take x, y and z; getters give a Vector. Its property and motion
// component are objects found by name, null when there is none.
class Motion : public Object {
public:
    using Object::Object;
    explicit Motion(const QString &name);
    ~Motion() override;

    QObject *property(const QString &name);
    QObject *motionComponent(const QString &name);
    void setDirection(double x, double y, double z);
    void setDirectionNormalTo(Entity *entity);
    void reverseDirection();
    void setAxisOfRotation(double x, double y, double z);
    void setAxisOfRotationNormalTo(Entity *entity);
    void reverseAxisOfRotation();
    void setCenterOfRotation(double x, double y, double z);
    void setCenterOfRotationToCentroid(Entity *entity);
    void setOrbitAxis(double x, double y, double z);
    void setOrbitAxisNormalTo(Entity *entity);
    void reverseOrbitAxis();
    void setCenterOfOrbit(double x, double y, double z);
    void setTiltAxis(double x, double y, double z);
    void setTiltAxisNormalTo(Entity *entity);
    void reverseTiltAxis();
    void setAxisOfNutation(double x, double y, double z);
    void setAxisOfNutationNormalTo(Entity *entity);
    void reverseAxisOfNutation();
    void setCenterOfNutation(double x, double y, double z);
    void setCenterOfNutationToCentroid(Entity *entity);
    void setForceDirection(double x = 1.0, double y = 0.0, double z = 0.0);
    Clt::Vector forceDirection() const;
    void setForceLocation(double x = 0.0, double y = 0.0, double z = 0.0);
    Clt::Vector forceLocation() const;
    void setGravity(double x = 0.0, double y = 0.0, double z = -1.0);
    Clt::Vector gravity() const;
    void setTimeCurve(const TimeCurve &curve);
};

// Mesh refinement regions: a local mesh size and a uniform flag over a shape.
// The kinds' constructors take their geometry as vectors, which a null
// leaves at the origin, and numbers.
class MeshRegion : public Object {
public:
    using Object::Object;
    MeshRegion();
    ~MeshRegion() override;
    bool uniform() const;
    void setUniform(bool uniform);
    double localMeshSize() const;
    void setLocalMeshSize(double size);
    void spreadChanges();
};
class MeshBoxRegion : public MeshRegion {
public:
    using MeshRegion::MeshRegion;
    MeshBoxRegion(Clt::Vector *first = nullptr, Clt::Vector *second = nullptr, Clt::Vector *third = nullptr);
    ~MeshBoxRegion() override;
};
class MeshCylindricalRegion : public MeshRegion {
public:
    using MeshRegion::MeshRegion;
    MeshCylindricalRegion(Clt::Vector *base = nullptr, double radius = 0.0, double height = 0.0, Clt::Vector *axis = nullptr);
    ~MeshCylindricalRegion() override;
};
class MeshSphericalRegion : public MeshRegion {
public:
    using MeshRegion::MeshRegion;
    MeshSphericalRegion(Clt::Vector *center = nullptr, double radius = 0.0);
    ~MeshSphericalRegion() override;
};

// Heating by the sun of a scenario's outer surfaces, at a site and time of
// the application's: directions and orientations with a text and three
// numbers, latitude and longitude in degrees, minutes and a hemisphere text.
class SolarHeating : public Object {
public:
    explicit SolarHeating(Analysis *scenario);
    ~SolarHeating() override;
    void enable();
    void disable();
    void setCompassDirection(const QString &name, double x, double y, double z);
    void setCelestialOrientation(const QString &name, double x, double y, double z);
    void setLatitude(int degrees, int minutes, const QString &hemisphere);
    void setLongitude(int degrees, int minutes, const QString &hemisphere);
};

// A scenario: one analysis set-up of a design, with its parts, materials,
// conditions, groups, mesh, solver settings and results. Its operations
// report nothing: a refused operation changes nothing, and lookups give null.
class Analysis : public Container {
public:
    using Container::Container;

    // Identity.
    QObject *clone(const QString &name);
    std::string getName() const;
    QString name() const;
    std::wstring name_w() const;
    void setName(const QString &name);
    QString path() const;
    std::wstring path_w() const;
    void activate();

    // Contents and lookup.
    void parts(std::vector<Part *> &parts);
    Part *partByNameAndId(const QString &name, int id = 0);
    Results *results();
    Material *materialOfType(const char *type, const char *subtype = "");
    Material *getMaterial(const QString &name);
    void materials(std::vector<Material *> &materials);
    void bcs(std::vector<BoundaryCondition> &conditions);
    void ics(std::vector<InitialCondition> &conditions);
    QObject *entity(const QString &partName, int id);
    QObject *group(const QString &name);
    Group *createGroup(const std::wstring &name);
    Group *createGroup(const std::wstring &name, const QString &parentName, const QString &attribute);
    void deleteGroup(const std::wstring &name);
    MaterialEnv materialEnv() const;

    // Assignments and settings transfer.
    void applyMaterial(const std::wstring &name, const std::wstring &partName = std::wstring());
    void applyMaterial(Material *material, std::vector<int> &entityIds, const Entity::Type &kind);
    void applyMaterial(const QString &name, std::vector<int> &entityIds, const Entity::Type &kind,
                       const QString &type = QString(""));
    void applyTECMaterial(Material *material, int coldSideId, int hotSideId);
    void applyBoundaryCondition(BoundaryCondition *condition, std::vector<int> &entityIds, const Entity::Type &kind);
    void applyInitialCondition(InitialCondition *condition);
    void applyMeshSize(double size);
    void applyMotion(Motion *motion);
    void importSettingsFrom(Analysis *other);

    // Selection and suppression.
    void selectAll();
    void deselectAll();
    void selectPrevious();
    void select(int id);
    void select(const QString &name);
    void deselect(int id);
    void deselect(const QString &name);
    void selectByAttribute(const QString &attribute);
    void suppressSelectedParts();
    void resumeSelectedParts();
    void resumeAllParts();

    // Mesh size and meshing.
    Mesh *mesh() const;
    void removeMesh();
    void setMaxLengthScale(double length);
    bool tetsInEnahancementLayers();
    void setTetsInEnhancementLayers(bool on);
    void automaticSize();
    void spreadChanges();
    void useUniformSize();
    void applySizeAdjustment(double factor = 1.0, bool refineSmall = false, bool coarsenLarge = false);

    // Extrusion and filling.
    void setAutomaticExtrusion(const QString &mode);
    void setExtrusionGrowth(double growth);
    void setExtrusionDirection(const QString &direction);
    void setExtrusionLayers(int layers);
    void setExtrusionEndLayering(const QString &layering);
    void extrudeMesh();
    void removeExtrusions();
    int fillSurface(const std::vector<int> &entityIds);
    int fillVoid();

    // Physics and solver settings.
    Clt::Vector gravityVector();
    void setGravityVector(double x, double y, double z);
    void setResultsSaveInterval(double interval, const QString &unit = QString("Steps"));
    void setSummarySaveInterval(double interval, const QString &unit = QString("Steps"));
    void addResultsSaveFrequency(double from, double every);
    void addSummarySaveFrequency(double from, double every);
    void setTotalTemperature(double temperature, const QString &unit);
    void setRelaxation(const QString &quantity, double factor);
    void estimateTimeStep();

    // Running.
    void run();
    void start();
    void wait(int timeoutMs = -1, bool processEvents = false);

    // Flags.
    bool flagExists(const QString &name);
    bool addFlag(const QString &name, const QString &value, bool replace = true);
    bool removeFlag(const QString &name);
    QString flagValue(const QString &name, bool *ok = nullptr);

    // Output quantities and post-processing parameters.
    void enableResultQuantity(const QString &quantity);
    void disableResultQuantity(const QString &quantity);
    void setSmokeVisibilityParams(SmokeParams &params);
    void setThermalComfortParams(ThermalComfortParams &params);
};

}  // namespace script
