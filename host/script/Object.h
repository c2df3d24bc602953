// Base of every named scripting object of the application, and the class tree
// below it. All derivations are single and public, so a pointer to a derived
// object is a valid pointer to each base, unchanged.
#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

namespace script {

class Object : public QObject {
    Q_OBJECT
public:
    explicit Object(QObject *parent = nullptr, const QString &name = QString());
    ~Object() override;

    QString name() const;

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

// Containers of the study model.
class DesignStudy : public Container {
public:
    using Container::Container;
};
class Design : public Container {
public:
    using Container::Container;
};
class Analysis : public Container {
public:
    using Container::Container;
    void setName(const QString &name);
};
class Part : public Container {
public:
    using Container::Container;
};
class Group : public Container {
public:
    using Container::Container;
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
};

// Objects that scenarios and materials hold; scripts reach them by pointer.
class Material : public Object {
public:
    using Object::Object;
};
class Property : public Object {
public:
    using Object::Object;
};
class Variation : public Object {
public:
    using Object::Object;
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

}  // namespace script
