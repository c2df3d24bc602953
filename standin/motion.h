// Motions as the stand-in keeps them (docs/standin-motion.md): the settings
// of a live motion, the copies that a scenario keeps of an applied one, and
// how a motion reads the time curve that it copies. Internal to the stand-in: the
// scenario, the study file and the host-control module reach them here.
#pragma once

#include "conditions.h"
#include "properties.h"

#include <QtCore/QJsonObject>
#include <QtCore/QString>

#include <array>
#include <memory>
#include <vector>

namespace script {
class Object;
class Motion;
class TimeCurve;
}  // namespace script

namespace standin {

// One geometric setting: a vector given as such, or the normal or the
// centroid of an entity, held by its part's id and its own id (never the
// script's Entity, which the script may delete). An entity's setting has no
// value until a scenario that holds the part resolves it.
struct MotionVector {
    enum class From { Given, NormalTo, CentroidOf };
    From from = From::Given;
    double value[3] = {0.0, 0.0, 0.0};
    int partId = 0;
    int entityId = 0;
    bool reversed = false;  // only axes and directions turn around
};

struct MotionSettings {
    MotionVector direction = axis(1.0, 0.0, 0.0);
    MotionVector axisOfRotation = axis(0.0, 0.0, 1.0);
    MotionVector centerOfRotation;
    MotionVector orbitAxis = axis(0.0, 0.0, 1.0);
    MotionVector centerOfOrbit;
    MotionVector tiltAxis = axis(1.0, 0.0, 0.0);
    MotionVector axisOfNutation = axis(0.0, 0.0, 1.0);
    MotionVector centerOfNutation;
    double forceDirection[3] = {1.0, 0.0, 0.0};
    double forceLocation[3] = {0.0, 0.0, 0.0};
    double gravity[3] = {0.0, 0.0, -1.0};
    bool hasTimeCurve = false;
    CurveData timeCurve;

    static MotionVector axis(double x, double y, double z) {
        MotionVector made;
        made.value[0] = x, made.value[1] = y, made.value[2] = z;
        return made;
    }
};

// A scenario's copy of a motion's component: what a motion is, recursively.
struct MotionCopy {
    QString name;
    MotionSettings settings;
    std::shared_ptr<Settings> properties;  // physical properties, null for none
    std::vector<MotionCopy> components;
};

// The motion's settings as a scenario keeps them: entity settings resolved
// against the scenario's parts.
MotionSettings motionSettingsIn(const script::Motion *motion, const script::Object *scenario);
// Copies of the motion's components, in order, resolved the same way.
std::vector<MotionCopy> motionComponentsIn(const script::Motion *motion, const script::Object *scenario);

// Study files: a motion's "motion" and "components" keys, and back. Both are
// optional when read, so that files written before motions kept their
// settings open with the defaults. Reading gives false and "where.key: why"
// for a bad entry.
void motionToJson(const MotionSettings &settings, const std::vector<MotionCopy> &components, QJsonObject &entry);
bool motionFromJson(const QJsonObject &entry, const QString &where, MotionSettings *settings,
                    std::vector<MotionCopy> *components, QString *why);

// Steering: a component of this name (one the motion has not) made as the
// application's motion area makes one; null, with why, when refused.
script::Motion *addMotionComponent(script::Motion *motion, const QString &name, QString *why);
// Takes back the components that steering gave: they belong to no motion
// from then on, yet stay alive for the proxies that scripts may hold.
void forgetSteeredComponents();

}  // namespace standin
