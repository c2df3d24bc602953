// A scenario's mesh settings and mesh regions, as the stand-in keeps them
// (docs/standin-mesh.md). Internal to the stand-in: the scenario, the study
// file and the host-control module reach them through these functions.
#pragma once

#include "model.h"

#include <QtCore/QJsonObject>
#include <QtCore/QString>

namespace standin {

// A region's geometry, in the study's length unit, with its flag and size.
// The vectors and numbers are the constructor's, in order, for its shape:
//   box:      vectors corner, opposite corner, rotation (degrees about x, y, z)
//   cylinder: vectors base centre, axis; numbers radius, height
//   sphere:   vector centre; number radius
struct RegionSetup {
    double vectors[3][3] = {};
    double numbers[2] = {};
    bool uniform = false;
    double localMeshSize = 0.0;  // 0: none of its own, the mesh's sizes apply
    int spreads = 0;             // how often its settings were spread
};

// The four groups of a mesh's settings: the kind of their objects, their
// names, and their keys in a study file's "mesh".
struct MeshSettingGroup {
    Kind kind;
    const char *name;
    const char *key;
};
extern const MeshSettingGroup kMeshSettingGroups[4];

// Gives a mesh what every mesh of the application has: its own properties
// and its four setting objects, each with every property it lacks at its
// default. Quiet; what it already has stays.
void completeMesh(script::Object *mesh);
// Makes the settings of one mesh those of another: its own properties and
// the properties of its four setting objects, which stay the objects they
// were (proxies of them read the new values). Regions are the caller's.
void copyMeshSettings(const script::Object *from, script::Object *to);

// A region's state, defaults when it was never set.
const RegionSetup &regionOf(const script::Object *region);
// "box", "cylinder" or "sphere", by what the region was made as.
QString regionShape(const script::Object *region);

// Study files: what a region keeps beyond its name, properties and shape
// ("geometry", "uniform", "localMeshSize", "spreads"), and back; reading
// gives false with why, as "where: why", for a bad entry. A file gets only
// what differs from the defaults, so that a region that never had them is
// written as it was read; defaultsToo gives every key.
QJsonObject regionToJson(const script::Object *region, bool defaultsToo = false);
bool regionFromJson(script::Object *region, const QJsonObject &source, const QString &where, QString *why);
// Checks the settings a file gave a mesh and its setting objects: a known
// setting of the wrong kind is refused. What the file left out is made when
// the mesh is handed out (completeMesh).
bool meshSettingsRead(script::Object *mesh, const QString &where, QString *why);

// Steering: gives the scenario's mesh a region of that shape and name, as a
// study file would; null, with why, when it cannot be done.
script::Object *addMeshRegion(script::Object *scenario, const QString &shape, const QString &name, QString *why);

}  // namespace standin
