// Solar heating of the stand-in (docs/standin-solar-units.md).
//
// A SolarHeating object is a handle: what a script sets through it goes at
// once into its scenario's settings (ScenarioSetup::solar), which the study
// file saves and the run's estimate reads. The scenario keeps no link to the
// handle, so a script may drop the handle whenever it likes; the handle
// follows its scenario through a guarded pointer, so that it refuses its
// operations, rather than reach freed memory, once the scenario is gone.
#include <script/Object.h>

#include "journal.h"
#include "model.h"
#include "scenario.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonObject>
#include <QtCore/QPointer>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace standin {
namespace {

struct Handle {
    QPointer<script::Analysis> scenario;
    bool given = false;  // made for a scenario, which may since have gone
};

std::unordered_map<const script::SolarHeating *, Handle> &handles() {
    static auto *all = new std::unordered_map<const script::SolarHeating *, Handle>();
    return *all;
}

// The settings that the handle changes, or null when the call is refused.
SolarSetup *solarOf(const script::SolarHeating *solar, Call &call) {
    auto found = handles().find(solar);
    if (found == handles().end() || !found->second.scenario) {
        call.failed(found != handles().end() && found->second.given
                        ? QStringLiteral("the solar heating's scenario is gone")
                        : QStringLiteral("the solar heating belongs to no scenario"));
        return nullptr;
    }
    return &setupToChange(found->second.scenario.data()).solar;
}

/* --- The checks, shared by the operations and the study file ---------------------- */

const char *const kCompassPoints[] = {"North", "East", "South", "West"};
const char *const kSkyPoints[] = {"Zenith", "Nadir"};

template <size_t N>
QString pointRefusal(const QString &name, const char *const (&names)[N], const char *what) {
    for (const char *known : names)
        if (name == QLatin1String(known)) return QString();
    QStringList all;
    for (const char *known : names) all << QLatin1String(known);
    return QStringLiteral("\"%1\" is no %2: %3").arg(name, QLatin1String(what), all.join(QStringLiteral(", ")));
}

double length(const double *v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void cross(const double *a, const double *b, double *out) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

QString directionRefusal(const double *v) {
    if (!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2]))
        return QStringLiteral("a direction's components must be finite numbers");
    // Squares of components this small or large would lose the direction.
    const double size = length(v);
    if (!(size > 1e-150) || !std::isfinite(size)) return QStringLiteral("the direction has no length");
    return QString();
}

QString angleRefusal(int degrees, int minutes, const QString &hemisphere, int most, const char *what,
                     const char *const (&sides)[2]) {
    if (degrees < 0 || degrees > most)
        return QStringLiteral("a %1 has from 0 to %2 degrees, not %3").arg(QLatin1String(what)).arg(most).arg(degrees);
    if (minutes < 0 || minutes > 59)
        return QStringLiteral("a %1 has from 0 to 59 minutes, not %2").arg(QLatin1String(what)).arg(minutes);
    if (degrees == most && minutes != 0)
        return QStringLiteral("a %1 is at most %2 degrees 0 minutes").arg(QLatin1String(what)).arg(most);
    if (hemisphere != QLatin1String(sides[0]) && hemisphere != QLatin1String(sides[1]))
        return QStringLiteral("\"%1\" is no hemisphere of a %2: %3 or %4")
            .arg(hemisphere, QLatin1String(what), QLatin1String(sides[0]), QLatin1String(sides[1]));
    return QString();
}

const char *const kLatitudeSides[] = {"N", "S"};
const char *const kLongitudeSides[] = {"E", "W"};

QString latitudeRefusal(int degrees, int minutes, const QString &hemisphere) {
    return angleRefusal(degrees, minutes, hemisphere, 90, "latitude", kLatitudeSides);
}

QString longitudeRefusal(int degrees, int minutes, const QString &hemisphere) {
    return angleRefusal(degrees, minutes, hemisphere, 180, "longitude", kLongitudeSides);
}

QString compassRefusal(const QString &name, const double *v) {
    const QString why = pointRefusal(name, kCompassPoints, "compass point");
    return why.isEmpty() ? directionRefusal(v) : why;
}

QString celestialRefusal(const QString &name, const double *v) {
    const QString why = pointRefusal(name, kSkyPoints, "point of the sky");
    return why.isEmpty() ? directionRefusal(v) : why;
}

}  // namespace

/* --- The study file (docs/study-files.md) ------------------------------------------ */

bool solarIsDefault(const SolarSetup &solar) {
    const SolarSetup defaults;
    return solar.enabled == defaults.enabled && solar.compassName == defaults.compassName &&
           std::equal(solar.compass, solar.compass + 3, defaults.compass) &&
           solar.celestialName == defaults.celestialName &&
           std::equal(solar.celestial, solar.celestial + 3, defaults.celestial) &&
           std::equal(solar.latitude, solar.latitude + 2, defaults.latitude) &&
           solar.latitudeHemisphere == defaults.latitudeHemisphere &&
           std::equal(solar.longitude, solar.longitude + 2, defaults.longitude) &&
           solar.longitudeHemisphere == defaults.longitudeHemisphere;
}

QJsonObject solarToJson(const SolarSetup &solar) {
    auto direction = [](const QString &name, const double *v) {
        return QJsonObject{{"name", name}, {"direction", QJsonArray{v[0], v[1], v[2]}}};
    };
    auto place = [](const int *angle, const QString &hemisphere) {
        return QJsonObject{{"degrees", angle[0]}, {"minutes", angle[1]}, {"hemisphere", hemisphere}};
    };
    return QJsonObject{{"enabled", solar.enabled},
                       {"compass", direction(solar.compassName, solar.compass)},
                       {"celestial", direction(solar.celestialName, solar.celestial)},
                       {"latitude", place(solar.latitude, solar.latitudeHemisphere)},
                       {"longitude", place(solar.longitude, solar.longitudeHemisphere)}};
}

namespace {

// Reads one part of the settings; false with why ("where: what") when it is bad.
class SolarReader {
public:
    SolarReader(const QString &where, QString *why) : m_where(where), m_why(why) {}

    bool object(const QJsonObject &source, const char *key, QJsonObject *out) {
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined()) return true;
        if (!value.isObject()) return bad(key, QStringLiteral("must be an object"));
        *out = value.toObject();
        return true;
    }

    bool text(const QJsonObject &source, const QString &where, const char *key, QString *out) {
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined()) return true;
        if (!value.isString()) return badAt(where + QLatin1Char('.') + QLatin1String(key), QStringLiteral("must be a text"));
        *out = value.toString();
        return true;
    }

    bool whole(const QJsonObject &source, const QString &where, const char *key, int *out) {
        const QJsonValue value = source.value(QLatin1String(key));
        if (value.isUndefined()) return true;
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::floor(number) || std::fabs(number) > 1e9)
            return badAt(where + QLatin1Char('.') + QLatin1String(key), QStringLiteral("must be a whole number"));
        *out = int(number);
        return true;
    }

    bool direction(const QJsonObject &source, const QString &where, double *out) {
        const QJsonValue value = source.value(QLatin1String("direction"));
        if (value.isUndefined()) return true;
        const QJsonArray xyz = value.toArray();
        if (!value.isArray() || xyz.size() != 3 || !xyz.at(0).isDouble() || !xyz.at(1).isDouble() || !xyz.at(2).isDouble())
            return badAt(where + QStringLiteral(".direction"), QStringLiteral("must be three numbers"));
        for (int axis = 0; axis < 3; ++axis) out[axis] = xyz.at(axis).toDouble();
        return true;
    }

    bool check(const char *key, const QString &why) { return why.isEmpty() || bad(key, why); }
    QString at(const char *key) const { return m_where + QLatin1Char('.') + QLatin1String(key); }
    bool bad(const char *key, const QString &what) { return badAt(at(key), what); }
    bool badAt(const QString &where, const QString &what) {
        *m_why = where + QStringLiteral(": ") + what;
        return false;
    }

private:
    QString m_where;
    QString *m_why;
};

}  // namespace

bool solarFromJson(const QJsonValue &source, const QString &where, SolarSetup *solar, QString *why) {
    SolarReader reader(where, why);
    if (!source.isObject()) return reader.badAt(where, QStringLiteral("must be an object"));
    const QJsonObject held = source.toObject();
    SolarSetup read;
    const QJsonValue enabled = held.value(QLatin1String("enabled"));
    if (!enabled.isUndefined() && !enabled.isBool()) return reader.bad("enabled", QStringLiteral("must be true or false"));
    read.enabled = enabled.toBool(false);
    QJsonObject compass, celestial, latitude, longitude;
    if (!reader.object(held, "compass", &compass) || !reader.text(compass, reader.at("compass"), "name", &read.compassName) ||
        !reader.direction(compass, reader.at("compass"), read.compass) ||
        !reader.object(held, "celestial", &celestial) ||
        !reader.text(celestial, reader.at("celestial"), "name", &read.celestialName) ||
        !reader.direction(celestial, reader.at("celestial"), read.celestial) ||
        !reader.object(held, "latitude", &latitude) ||
        !reader.whole(latitude, reader.at("latitude"), "degrees", &read.latitude[0]) ||
        !reader.whole(latitude, reader.at("latitude"), "minutes", &read.latitude[1]) ||
        !reader.text(latitude, reader.at("latitude"), "hemisphere", &read.latitudeHemisphere) ||
        !reader.object(held, "longitude", &longitude) ||
        !reader.whole(longitude, reader.at("longitude"), "degrees", &read.longitude[0]) ||
        !reader.whole(longitude, reader.at("longitude"), "minutes", &read.longitude[1]) ||
        !reader.text(longitude, reader.at("longitude"), "hemisphere", &read.longitudeHemisphere))
        return false;
    if (!reader.check("compass", compassRefusal(read.compassName, read.compass)) ||
        !reader.check("celestial", celestialRefusal(read.celestialName, read.celestial)) ||
        !reader.check("latitude", latitudeRefusal(read.latitude[0], read.latitude[1], read.latitudeHemisphere)) ||
        !reader.check("longitude", longitudeRefusal(read.longitude[0], read.longitude[1], read.longitudeHemisphere)))
        return false;
    *solar = read;
    return true;
}

/* --- The sun in the run's estimate (docs/standin-solar-units.md) ------------------ */

namespace {
// Clear-sky direct irradiance after Meinel & Meinel (1976), with today's
// solar constant (Kopp & Lean, 2011) in place of their 1353 W/m^2.
const double kSolarConstant = 1361.0;      // W/m^2 above the atmosphere
const double kClearSkyTransmittance = 0.7;  // of the air mass straight up
const double kAirMassExponent = 0.678;
const double kAbsorptivity = 0.5;           // of the model's outer surfaces

void normalize(double *v) {
    const double size = length(v);
    for (int axis = 0; axis < 3; ++axis) v[axis] /= size;
}
}  // namespace

double solarHeatGain(const SolarSetup &solar, const Box &outer, double scale) {
    if (!solar.enabled || !outer.valid) return 0.0;
    // Noon at the March equinox: the sun stands 90 degrees less the latitude
    // above the horizon, due south of a northern place, due north of a southern one.
    const double latitude = (solar.latitude[0] + solar.latitude[1] / 60.0) *
                            (solar.latitudeHemisphere == QLatin1String("S") ? -1.0 : 1.0);
    const double pi = 3.14159265358979323846;
    const double elevation = (90.0 - std::fabs(latitude)) * pi / 180.0;
    if (!(std::sin(elevation) > 1e-9)) return 0.0;
    const double airMass = 1.0 / std::sin(elevation);
    const double irradiance = kSolarConstant * std::pow(kClearSkyTransmittance, std::pow(airMass, kAirMassExponent));

    // The model's up and north, from the directions as named.
    double up[3] = {solar.celestial[0], solar.celestial[1], solar.celestial[2]};
    normalize(up);
    if (solar.celestialName == QLatin1String("Nadir"))
        for (double &c : up) c = -c;
    double given[3] = {solar.compass[0], solar.compass[1], solar.compass[2]};
    normalize(given);
    double north[3];
    if (solar.compassName == QLatin1String("East")) {
        cross(up, given, north);
    } else if (solar.compassName == QLatin1String("West")) {
        cross(given, up, north);
    } else {
        const double sign = solar.compassName == QLatin1String("South") ? -1.0 : 1.0;
        for (int axis = 0; axis < 3; ++axis) north[axis] = sign * given[axis];
    }
    const double along = north[0] * up[0] + north[1] * up[1] + north[2] * up[2];
    for (int axis = 0; axis < 3; ++axis) north[axis] -= along * up[axis];
    // A compass direction along the celestial one leaves no north in the
    // horizon (the two are set one at a time, so a script turning the model
    // over passes through such a pair): the model axis nearest the horizon
    // stands in for it.
    if (!(length(north) > 1e-9)) {
        int flattest = 0;
        for (int axis = 1; axis < 3; ++axis)
            if (std::fabs(up[axis]) < std::fabs(up[flattest])) flattest = axis;
        for (int axis = 0; axis < 3; ++axis) north[axis] = (axis == flattest ? 1.0 : 0.0) - up[flattest] * up[axis];
    }
    normalize(north);

    const double toward = latitude >= 0.0 ? -1.0 : 1.0;  // the sun's side at noon
    double sun[3];
    for (int axis = 0; axis < 3; ++axis)
        sun[axis] = std::cos(elevation) * toward * north[axis] + std::sin(elevation) * up[axis];

    // The box's shadow on a plane facing the sun: each face pair counts once.
    const double e[3] = {(outer.max[0] - outer.min[0]) * scale, (outer.max[1] - outer.min[1]) * scale,
                         (outer.max[2] - outer.min[2]) * scale};
    const double shadow = std::fabs(sun[0]) * e[1] * e[2] + std::fabs(sun[1]) * e[0] * e[2] + std::fabs(sun[2]) * e[0] * e[1];
    const double gain = kAbsorptivity * irradiance * shadow;
    return std::isfinite(gain) && gain > 0.0 ? gain : 0.0;
}

}  // namespace standin

namespace script {

SolarHeating::SolarHeating(Analysis *scenario) : Object(standin::unjournaled(nullptr), QString()) {
    standin::Call("SolarHeating", "SolarHeating", standin::Changes).arg(static_cast<const QObject *>(scenario));
    standin::Handle &handle = standin::handles()[this];
    handle.scenario = scenario;
    handle.given = scenario != nullptr;
}

SolarHeating::~SolarHeating() { standin::handles().erase(this); }

void SolarHeating::enable() {
    standin::Call call("SolarHeating", "enable", standin::Changes);
    if (standin::SolarSetup *solar = standin::solarOf(this, call)) solar->enabled = true;
}

void SolarHeating::disable() {
    standin::Call call("SolarHeating", "disable", standin::Changes);
    if (standin::SolarSetup *solar = standin::solarOf(this, call)) solar->enabled = false;
}

void SolarHeating::setCompassDirection(const QString &name, double x, double y, double z) {
    standin::Call call("SolarHeating", "setCompassDirection", standin::Changes);
    call.arg(name).arg(x).arg(y).arg(z);
    standin::SolarSetup *solar = standin::solarOf(this, call);
    if (!solar) return;
    const double v[3] = {x, y, z};
    const QString why = standin::compassRefusal(name, v);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    solar->compassName = name;
    std::copy(v, v + 3, solar->compass);
}

void SolarHeating::setCelestialOrientation(const QString &name, double x, double y, double z) {
    standin::Call call("SolarHeating", "setCelestialOrientation", standin::Changes);
    call.arg(name).arg(x).arg(y).arg(z);
    standin::SolarSetup *solar = standin::solarOf(this, call);
    if (!solar) return;
    const double v[3] = {x, y, z};
    const QString why = standin::celestialRefusal(name, v);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    solar->celestialName = name;
    std::copy(v, v + 3, solar->celestial);
}

void SolarHeating::setLatitude(int degrees, int minutes, const QString &hemisphere) {
    standin::Call call("SolarHeating", "setLatitude", standin::Changes);
    call.arg(degrees).arg(minutes).arg(hemisphere);
    standin::SolarSetup *solar = standin::solarOf(this, call);
    if (!solar) return;
    const QString why = standin::latitudeRefusal(degrees, minutes, hemisphere);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    solar->latitude[0] = degrees;
    solar->latitude[1] = minutes;
    solar->latitudeHemisphere = hemisphere;
}

void SolarHeating::setLongitude(int degrees, int minutes, const QString &hemisphere) {
    standin::Call call("SolarHeating", "setLongitude", standin::Changes);
    call.arg(degrees).arg(minutes).arg(hemisphere);
    standin::SolarSetup *solar = standin::solarOf(this, call);
    if (!solar) return;
    const QString why = standin::longitudeRefusal(degrees, minutes, hemisphere);
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    solar->longitude[0] = degrees;
    solar->longitude[1] = minutes;
    solar->longitudeHemisphere = hemisphere;
}

}  // namespace script
