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

// Objects that scenarios and materials hold; scripts reach them by pointer.
class Material : public Object {
public:
    using Object::Object;
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

// Boundary and initial conditions are value classes: lists of them hold copies.
class BoundaryCondition : public Object {
public:
    BoundaryCondition();
    BoundaryCondition(const QString &name, Analysis *scenario);
    BoundaryCondition(const BoundaryCondition &other);
    ~BoundaryCondition() override;
    BoundaryCondition &operator=(const BoundaryCondition &other);
};
class InitialCondition : public Object {
public:
    InitialCondition();
    InitialCondition(const QString &name, Analysis *scenario);
    InitialCondition(const InitialCondition &other);
    ~InitialCondition() override;
    InitialCondition &operator=(const InitialCondition &other);
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

// A scenario's mesh settings, in four groups, each an object of its own.
class MeshEnhancement : public Object {
public:
    using Object::Object;
};
class MeshAdvancedControls : public Object {
public:
    using Object::Object;
};
class MeshAdaptation : public Object {
public:
    using Object::Object;
};
class MeshDiagnostics : public Object {
public:
    using Object::Object;
};
class Mesh : public Object {
public:
    using Object::Object;
};

// The material environment: the ambient state that materials and a scenario
// are set in. A value class.
class MaterialEnv : public Object {
public:
    MaterialEnv();
    MaterialEnv(const MaterialEnv &other);
    ~MaterialEnv() override;
    MaterialEnv &operator=(const MaterialEnv &other);
};

// A motion of parts, which a scenario keeps a copy of when it is applied.
class Motion : public Object {
public:
    using Object::Object;
};

// Mesh refinement regions.
class MeshRegion : public Object {
public:
    using Object::Object;
};
class MeshBoxRegion : public MeshRegion {
public:
    using MeshRegion::MeshRegion;
};
class MeshCylindricalRegion : public MeshRegion {
public:
    using MeshRegion::MeshRegion;
};
class MeshSphericalRegion : public MeshRegion {
public:
    using MeshRegion::MeshRegion;
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
