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
};
class Part : public Container {
public:
    using Container::Container;
};
class Group : public Container {
public:
    using Container::Container;
};

// A point, edge, surface or volume of a part's geometry.
class Entity : public Object {
public:
    enum Type { Point = 0, Edge = 1, Surface = 2, Volume = 3, Unknown = 4 };
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

}  // namespace script
