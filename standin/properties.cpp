// The properties of materials and motions and their variations, as the
// application's scripting interface gives them (docs/standin-properties.md).
// Each operation journals itself, a refusal changes nothing and says why, and
// lookups by name go through hashed indexes beside the lists.
#include <script/Object.h>

#include "control.h"
#include "journal.h"
#include "model.h"
#include "properties.h"

#include <QtCore/QJsonObject>

#include <cmath>
#include <unordered_set>

namespace standin {
namespace {

const Settings &noSettings() {
    static const Settings *none = new Settings();
    return *none;
}

const Settings &settingsOf(const script::Object *object) {
    const Node &held = node(object);
    return held.settings ? *held.settings : noSettings();
}

Settings &settingsToChange(const script::Object *object) {
    Node &held = node(object);
    if (!held.settings) held.settings = std::make_shared<Settings>();
    return *held.settings;
}

QString text(const QString &value) { return value.isNull() ? QStringLiteral("") : value; }

const QString kNotFinite = QStringLiteral("a value must be a finite number");

// A named value of the variation, or null; a null or empty name is none.
const NamedValue *namedValue(const Settings &held, const QString &name) {
    auto found = held.namedIndex.find(name);
    return found == held.namedIndex.end() ? nullptr : &held.named[found->second];
}

void setNamed(Settings &held, const QString &name, double value, const QString &units) {
    auto found = held.namedIndex.find(name);
    if (found == held.namedIndex.end()) {
        held.namedIndex.emplace(name, held.named.size());
        held.named.push_back({name, value, text(units)});
        return;
    }
    NamedValue &entry = held.named[found->second];
    entry.value = value;
    if (!units.isNull()) entry.units = units;
}

// A number, optionally followed by units: "205", "205 W/m-K".
bool parseValue(const QString &given, double *value, QString *units) {
    const QString trimmed = given.trimmed();
    const qsizetype space = trimmed.indexOf(QLatin1Char(' '));
    bool ok = false;
    *value = (space < 0 ? trimmed : trimmed.left(space)).toDouble(&ok);
    if (!ok || !std::isfinite(*value)) return false;
    *units = space < 0 ? QString() : trimmed.mid(space + 1).trimmed();
    return true;
}

std::unordered_set<script::Object *> &steered() {
    static auto *holders = new std::unordered_set<script::Object *>();
    return *holders;
}

script::Variation *newVariation(script::Property *property, const QString &name, const QString &type,
                                const QString &coreType) {
    script::Variation *variation = makeVariation(name);
    Settings &held = settingsToChange(variation);
    held.owner = property;
    held.type = text(type);
    held.coreType = text(coreType);
    Settings &list = settingsToChange(property);
    list.variationIndex.emplace(name, list.variations.size());
    list.variations.push_back(variation);
    return variation;
}

// A new property at the end of the list; owner is the object that carries the
// list, null for a list no object carries (a scenario's copy of a motion).
script::Property *newProperty(Settings &list, script::Object *owner, const QString &name, const QString &type) {
    script::Property *property = makeProperty(name);
    Settings &held = settingsToChange(property);
    held.owner = owner;
    held.type = text(type);
    list.propertyIndex.emplace(name, list.properties.size());
    list.properties.push_back(property);
    return property;
}

script::Property *newProperty(script::Object *holder, const QString &name, const QString &type) {
    return newProperty(settingsToChange(holder), holder, name, type);
}

bool isSettingObject(const script::Object *object) {
    return dynamic_cast<const script::Material *>(object) || dynamic_cast<const script::Motion *>(object);
}

}  // namespace

/* --- Steering ------------------------------------------------------------------------------- */

script::Property *addSettingProperty(script::Object *holder, const QString &name, const QString &type, QString *why) {
    if (!isSettingObject(holder))
        *why = QStringLiteral("%1 is no material or motion").arg(QString::fromStdString(describe(holder)));
    else if (name.trimmed().isEmpty())
        *why = QStringLiteral("a property needs a name");
    else if (settingProperty(holder, name))
        *why = QStringLiteral("%1 already has a property \"%2\"").arg(QString::fromStdString(describe(holder)), name);
    if (!why->isEmpty()) return nullptr;
    steered().insert(holder);
    return newProperty(holder, name, type);
}

script::Variation *addVariation(script::Property *property, const QString &name, const QString &type,
                                const QString &coreType, QString *why) {
    const Settings &held = settingsOf(property);
    if (name.trimmed().isEmpty())
        *why = QStringLiteral("a variation needs a name");
    else if (held.variationIndex.count(name))
        *why = QStringLiteral("the property \"%1\" already has a variation \"%2\"").arg(property->objectName(), name);
    if (!why->isEmpty()) return nullptr;
    steered().insert(property);
    return newVariation(property, name, type, coreType);
}

script::Property *settingProperty(const script::Object *holder, const QString &name) {
    const Settings &held = settingsOf(holder);
    auto found = held.propertyIndex.find(name);
    return found == held.propertyIndex.end() ? nullptr : held.properties[found->second];
}

std::vector<script::Property *> settingProperties(const script::Object *holder) { return settingsOf(holder).properties; }

void forgetSteeredSettings() {
    for (script::Object *object : steered()) node(object).settings.reset();
    steered().clear();
}

void dropSettingsOf(script::Object *holder) {
    Node &held = node(holder);
    std::shared_ptr<Settings> going = std::move(held.settings);
    steered().erase(holder);
    // Properties that a copy of the holder shares stay with that copy.
    if (!going || going.use_count() > 1) return;
    // The others outlive their holder, as the model's objects do, belonging
    // to nothing: a list that the holder filled may still point at them.
    static auto *orphans = new std::vector<script::Property *>();
    for (script::Property *property : going->properties) {
        steered().erase(property);
        settingsToChange(property).owner = nullptr;
        orphans->push_back(property);
    }
}

std::shared_ptr<Settings> copySettings(const Settings &settings) {
    auto copy = std::make_shared<Settings>(settings);
    // The copy's properties are its own: new objects holding what the originals hold.
    copy->properties.clear();
    copy->propertyIndex.clear();
    for (script::Property *property : settings.properties) {
        const Settings &from = settingsOf(property);
        script::Property *made = makeProperty(property->objectName());
        Settings &to = settingsToChange(made);
        to.type = from.type;
        for (script::Variation *variation : from.variations) {
            script::Variation *same = makeVariation(variation->objectName());
            Settings &values = settingsToChange(same);
            values = settingsOf(variation);
            values.owner = made;
            to.variationIndex.emplace(same->objectName(), to.variations.size());
            to.variations.push_back(same);
            if (from.applied == variation) to.applied = same;
        }
        copy->propertyIndex.emplace(made->objectName(), copy->properties.size());
        copy->properties.push_back(made);
    }
    return copy;
}

/* --- Study files ----------------------------------------------------------------------------- */

bool hasSettings(const script::Object *holder) { return !settingsOf(holder).properties.empty(); }

QJsonArray settingsToJson(const script::Object *holder) { return settingsToJson(settingsOf(holder)); }

QJsonArray settingsToJson(const Settings &settings) {
    QJsonArray out;
    for (const script::Property *property : settings.properties) {
        const Settings &held = settingsOf(property);
        QJsonArray variations;
        for (const script::Variation *variation : held.variations) {
            const Settings &v = settingsOf(variation);
            QJsonObject entry{{"name", variation->objectName()}, {"type", v.type}, {"coreType", v.coreType},
                              {"value", v.value}, {"units", v.units}};
            // Written only when set, so that a plain variation stays short.
            if (!v.named.empty()) {
                QJsonArray named;
                for (const NamedValue &value : v.named)
                    named.append(QJsonObject{{"name", value.name}, {"value", value.value}, {"units", value.units}});
                entry.insert("values", named);
            }
            if (!v.points.empty()) {
                QJsonArray points;
                for (const auto &p : v.points) points.append(QJsonArray{p[0], p[1]});
                entry.insert("points", points);
            }
            if (!v.xUnits.isEmpty()) entry.insert("xUnits", v.xUnits);
            if (!v.yUnits.isEmpty()) entry.insert("yUnits", v.yUnits);
            if (!v.velocities.empty()) {
                QJsonArray velocities;
                for (const auto &e : v.velocities) velocities.append(QJsonArray{e[0], e[1], e[2], e[3]});
                entry.insert("velocities", velocities);
            }
            if (v.hasControl) entry.insert("control", QJsonObject{{"value", v.controlValue}, {"units", v.controlUnits}});
            variations.append(entry);
        }
        QJsonObject entry{{"name", property->objectName()}, {"type", held.type}, {"variations", variations}};
        if (held.applied) entry.insert("applied", held.applied->objectName());
        out.append(entry);
    }
    return out;
}

namespace {
struct BadSettings {
    QString why;
};
[[noreturn]] void refuse(const QString &where, const QString &what) { throw BadSettings{where + QStringLiteral(": ") + what}; }
QString at(const QString &where, const char *key) { return where + QLatin1Char('.') + QLatin1String(key); }
QString at(const QString &where, qsizetype index) { return where + QStringLiteral("[%1]").arg(index); }

QJsonArray listAt(const QJsonObject &object, const QString &where, const char *key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) return QJsonArray();
    if (!value.isArray()) refuse(at(where, key), QStringLiteral("must be a list"));
    return value.toArray();
}
QJsonObject objectAt(const QJsonValue &value, const QString &where) {
    if (!value.isObject()) refuse(where, QStringLiteral("must be an object"));
    return value.toObject();
}
QString textAt(const QJsonObject &object, const QString &where, const char *key, bool required = false) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() && !required) return QStringLiteral("");
    if (!value.isString()) refuse(at(where, key), QStringLiteral("must be a text"));
    return value.toString();
}
double numberAt(const QJsonValue &value, const QString &where) {
    if (!value.isDouble()) refuse(where, QStringLiteral("must be a number"));
    return value.toDouble();
}
double numberAt(const QJsonObject &object, const QString &where, const char *key) {
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isUndefined() ? 0.0 : numberAt(value, at(where, key));
}
template <size_t N>
std::array<double, N> numbersAt(const QJsonValue &value, const QString &where) {
    const QJsonArray items = value.toArray();
    if (!value.isArray() || items.size() != qsizetype(N))
        refuse(where, QStringLiteral("must be %1 numbers").arg(N));
    std::array<double, N> numbers{};
    for (size_t i = 0; i < N; ++i) numbers[i] = numberAt(items.at(qsizetype(i)), where);
    return numbers;
}
QString uniqueName(const QJsonObject &entry, const QString &where, std::unordered_set<QString> &seen) {
    const QString name = textAt(entry, where, "name", true);
    if (name.trimmed().isEmpty()) refuse(at(where, "name"), QStringLiteral("must not be empty"));
    if (!seen.insert(name).second) refuse(at(where, "name"), QStringLiteral("\"%1\" is there twice").arg(name));
    return name;
}
}  // namespace

bool settingsFromJson(script::Object *holder, const QJsonValue &value, const QString &where, QString *why) {
    // Read into a list of the holder's own, so that a refused list leaves the holder as it was.
    Settings read;
    if (!settingsFromJson(read, holder, value, where, why)) return false;
    Settings &held = settingsToChange(holder);
    for (script::Property *property : read.properties) {
        held.propertyIndex.emplace(property->objectName(), held.properties.size());
        held.properties.push_back(property);
    }
    return true;
}

bool settingsFromJson(Settings &into, script::Object *owner, const QJsonValue &value, const QString &where, QString *why) {
    try {
        if (!value.isArray()) refuse(where, QStringLiteral("must be a list"));
        const QJsonArray properties = value.toArray();
        std::unordered_set<QString> propertyNames;
        // Checked whole before the holder is given anything.
        for (qsizetype i = 0; i < properties.size(); ++i) {
            const QString here = at(where, i);
            const QJsonObject entry = objectAt(properties.at(i), here);
            uniqueName(entry, here, propertyNames);
            textAt(entry, here, "type");
            std::unordered_set<QString> variationNames;
            const QJsonArray variations = listAt(entry, here, "variations");
            for (qsizetype j = 0; j < variations.size(); ++j) {
                const QString vHere = at(at(here, "variations"), j);
                const QJsonObject v = objectAt(variations.at(j), vHere);
                uniqueName(v, vHere, variationNames);
                textAt(v, vHere, "type");
                textAt(v, vHere, "coreType");
                textAt(v, vHere, "units");
                numberAt(v, vHere, "value");
                std::unordered_set<QString> valueNames;
                const QJsonArray named = listAt(v, vHere, "values");
                for (qsizetype k = 0; k < named.size(); ++k) {
                    const QString nHere = at(at(vHere, "values"), k);
                    const QJsonObject n = objectAt(named.at(k), nHere);
                    uniqueName(n, nHere, valueNames);
                    numberAt(n, nHere, "value");
                    textAt(n, nHere, "units");
                }
                const QJsonArray points = listAt(v, vHere, "points");
                for (qsizetype k = 0; k < points.size(); ++k) numbersAt<2>(points.at(k), at(at(vHere, "points"), k));
                const QJsonArray velocities = listAt(v, vHere, "velocities");
                for (qsizetype k = 0; k < velocities.size(); ++k)
                    numbersAt<4>(velocities.at(k), at(at(vHere, "velocities"), k));
                textAt(v, vHere, "xUnits");
                textAt(v, vHere, "yUnits");
                if (v.contains(QLatin1String("control"))) {
                    const QJsonObject control = objectAt(v.value(QLatin1String("control")), at(vHere, "control"));
                    numberAt(control, at(vHere, "control"), "value");
                    textAt(control, at(vHere, "control"), "units");
                }
            }
            const QString applied = textAt(entry, here, "applied");
            if (!applied.isEmpty() && !variationNames.count(applied))
                refuse(at(here, "applied"), QStringLiteral("\"%1\" is none of the property's variations").arg(applied));
        }
        for (const QJsonValue &item : properties) {
            const QJsonObject entry = item.toObject();
            script::Property *property =
                newProperty(into, owner, entry.value(QLatin1String("name")).toString(), textAt(entry, QString(), "type"));
            const QString applied = textAt(entry, QString(), "applied");
            for (const QJsonValue &vItem : entry.value(QLatin1String("variations")).toArray()) {
                const QJsonObject v = vItem.toObject();
                script::Variation *variation =
                    newVariation(property, v.value(QLatin1String("name")).toString(), textAt(v, QString(), "type"),
                                 textAt(v, QString(), "coreType"));
                Settings &held = settingsToChange(variation);
                held.value = v.value(QLatin1String("value")).toDouble();
                held.units = textAt(v, QString(), "units");
                for (const QJsonValue &n : v.value(QLatin1String("values")).toArray())
                    setNamed(held, n.toObject().value(QLatin1String("name")).toString(),
                             n.toObject().value(QLatin1String("value")).toDouble(), textAt(n.toObject(), QString(), "units"));
                for (const QJsonValue &p : v.value(QLatin1String("points")).toArray())
                    held.points.push_back(numbersAt<2>(p, QString()));
                for (const QJsonValue &e : v.value(QLatin1String("velocities")).toArray())
                    held.velocities.push_back(numbersAt<4>(e, QString()));
                held.xUnits = textAt(v, QString(), "xUnits");
                held.yUnits = textAt(v, QString(), "yUnits");
                if (v.contains(QLatin1String("control"))) {
                    const QJsonObject control = v.value(QLatin1String("control")).toObject();
                    held.hasControl = true;
                    held.controlValue = control.value(QLatin1String("value")).toDouble();
                    held.controlUnits = textAt(control, QString(), "units");
                }
                if (variation->objectName() == applied) settingsToChange(property).applied = variation;
            }
        }
        return true;
    } catch (const BadSettings &bad) {
        *why = bad.why;
        return false;
    }
}

}  // namespace standin

namespace script {

using standin::Call;
using standin::Changes;
using standin::Reads;

/* --- Variation --------------------------------------------------------------------------------- */

std::wstring Variation::type_w() const {
    Call("Variation", "type_w", Reads);
    return standin::settingsOf(this).type.toStdWString();
}

std::wstring Variation::core_type() const {
    Call("Variation", "core_type", Reads);
    return standin::settingsOf(this).coreType.toStdWString();
}

double Variation::value() const {
    Call("Variation", "value", Reads);
    return standin::settingsOf(this).value;
}

QString Variation::units() const {
    Call("Variation", "units", Reads);
    return standin::text(standin::settingsOf(this).units);
}

double Variation::value(const QString &name, bool *ok) const {
    Call("Variation", "value", Reads).arg(name).arg(ok);
    const standin::Settings &held = standin::settingsOf(this);
    if (name.isEmpty()) {
        if (ok) *ok = true;
        return held.value;
    }
    const standin::NamedValue *found = standin::namedValue(held, name);
    if (ok) *ok = found != nullptr;
    return found ? found->value : 0.0;
}

QString Variation::units(const QString &name, bool *ok) const {
    Call("Variation", "units", Reads).arg(name).arg(ok);
    const standin::Settings &held = standin::settingsOf(this);
    if (name.isEmpty()) {
        if (ok) *ok = true;
        return standin::text(held.units);
    }
    const standin::NamedValue *found = standin::namedValue(held, name);
    if (ok) *ok = found != nullptr;
    return found ? found->units : QStringLiteral("");
}

void Variation::setValue(double value, const QString &units) {
    Call call("Variation", "setValue", Changes);
    call.arg(value).arg(units);
    if (!standin::finite({value})) {
        call.failed(standin::kNotFinite);
        return;
    }
    standin::Settings &held = standin::settingsToChange(this);
    held.value = value;
    if (!units.isNull()) held.units = units;
}

void Variation::setValue(const QString &name, double value, const QString &units) {
    Call call("Variation", "setValue", Changes);
    call.arg(name).arg(value).arg(units);
    if (!standin::finite({value})) {
        call.failed(standin::kNotFinite);
        return;
    }
    standin::Settings &held = standin::settingsToChange(this);
    if (name.isEmpty()) {
        held.value = value;
        if (!units.isNull()) held.units = units;
        return;
    }
    standin::setNamed(held, name, value, units);
}

void Variation::setValue(const QString &name, const QString &value) {
    Call call("Variation", "setValue", Changes);
    call.arg(name).arg(value);
    double number = 0.0;
    QString units;
    if (!standin::parseValue(value, &number, &units)) {
        call.failed(QStringLiteral("\"%1\" is no number, with or without units").arg(standin::text(value)));
        return;
    }
    standin::Settings &held = standin::settingsToChange(this);
    if (name.isEmpty()) {
        held.value = number;
        if (!units.isNull()) held.units = units;
        return;
    }
    standin::setNamed(held, name, number, units);
}

void Variation::addPoint(double x, double y) {
    Call call("Variation", "addPoint", Changes);
    call.arg(x).arg(y);
    if (!standin::finite({x, y})) {
        call.failed(standin::kNotFinite);
        return;
    }
    standin::settingsToChange(this).points.push_back({x, y});
}

void Variation::setXUnits(const QString &units) {
    Call("Variation", "setXUnits", Changes).arg(units);
    standin::settingsToChange(this).xUnits = standin::text(units);
}

QString Variation::xUnits() const {
    Call("Variation", "xUnits", Reads);
    return standin::text(standin::settingsOf(this).xUnits);
}

void Variation::setYUnits(const QString &units) {
    Call("Variation", "setYUnits", Changes).arg(units);
    standin::settingsToChange(this).yUnits = standin::text(units);
}

QString Variation::yUnits() const {
    Call("Variation", "yUnits", Reads);
    return standin::text(standin::settingsOf(this).yUnits);
}

void Variation::addVelocity(double a, double b, double c, double d) {
    Call call("Variation", "addVelocity", Changes);
    call.arg(a).arg(b).arg(c).arg(d);
    if (!standin::finite({a, b, c, d})) {
        call.failed(standin::kNotFinite);
        return;
    }
    standin::settingsToChange(this).velocities.push_back({a, b, c, d});
}

void Variation::setControlValue(double value, const QString &units) {
    Call call("Variation", "setControlValue", Changes);
    call.arg(value).arg(units);
    if (!standin::finite({value})) {
        call.failed(standin::kNotFinite);
        return;
    }
    standin::Settings &held = standin::settingsToChange(this);
    held.hasControl = true;
    held.controlValue = value;
    held.controlUnits = standin::text(units);
}

void Variation::clear() {
    Call("Variation", "clear", Changes);
    standin::Settings &held = standin::settingsToChange(this);
    held.points.clear();
    held.velocities.clear();
    held.named.clear();
    held.namedIndex.clear();
}

/* --- Property ---------------------------------------------------------------------------------- */

QString Property::type() const {
    Call("Property", "type", Reads);
    return standin::text(standin::settingsOf(this).type);
}

std::wstring Property::type_w() const {
    Call("Property", "type_w", Reads);
    return standin::settingsOf(this).type.toStdWString();
}

void Property::setType(const QString &type) {
    Call call("Property", "setType", Changes);
    call.arg(type);
    if (type.trimmed().isEmpty()) {
        call.failed(QStringLiteral("a property type must not be empty"));
        return;
    }
    standin::settingsToChange(this).type = type;
}

QObject *Property::variation(const QString &name) {
    Call("Property", "variation", Reads).arg(name);
    const standin::Settings &held = standin::settingsOf(this);
    if (name.isEmpty()) {
        if (held.applied) return held.applied;
        return held.variations.empty() ? nullptr : held.variations.front();
    }
    auto found = held.variationIndex.find(name);
    return found == held.variationIndex.end() ? nullptr : held.variations[found->second];
}

void Property::variations(std::vector<Variation *> &variations) {
    Call("Property", "variations", Reads).arg(int(variations.size()));
    variations = standin::settingsOf(this).variations;
}

void Property::apply(Variation *variation) {
    Call call("Property", "apply", Changes);
    call.arg(variation);
    QString why;
    if (!variation)
        why = QStringLiteral("no variation was given");
    else if (standin::settingsOf(variation).owner != this)
        why = QStringLiteral("the variation \"%1\" is not one of the property's").arg(variation->objectName());
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    standin::settingsToChange(this).applied = variation;
}

}  // namespace script
