// The design study, its designs and bounding boxes, as the application's
// scripting interface gives them. Refusals change nothing and say why in the
// journal.
#include <script/Object.h>

#include "control.h"
#include "journal.h"
#include "model.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <cmath>

namespace script {

// Opaque to scripts; the application's decision support hangs off it.
class DecisionCenter {};

namespace {
using standin::Kind;

// A name a design or scenario can take among its siblings, or why not.
QString refusedName(const Object *container, Kind kind, const QString &name, const Object *renamed = nullptr) {
    if (name.trimmed().isEmpty()) return QStringLiteral("a name must not be empty");
    Object *same = standin::childNamed(container, kind, name);
    if (same && same != renamed) return QStringLiteral("the name \"%1\" is taken").arg(name);
    return QString();
}

// The child of that kind and name; when there is none, the call is refused.
Object *namedChild(standin::Call &call, const Object *owner, Kind kind, const QString &name) {
    Object *child = standin::childNamed(owner, kind, name);
    if (!child)
        call.failed(QStringLiteral("no %1 is named \"%2\"")
                        .arg(kind == Kind::Design ? QStringLiteral("design") : QStringLiteral("scenario"), name));
    return child;
}

// Reads a study file into the open study and times it; a file that cannot be
// read refuses the call and leaves the study as it was.
bool loadStudy(standin::Call &call, const QString &path, bool withResults) {
    QElapsedTimer timer;
    timer.start();
    QJsonObject root;
    QString why;
    if (!standin::readStudyFile(path, &root, &why) || !standin::studyFromJson(root, withResults, &why)) {
        call.failed(why);
        return false;
    }
    standin::studyState().loadTime = double(timer.nsecsElapsed()) / 1e9;
    return true;
}

standin::Box geometryBox(const Object *container) {
    standin::Box box;
    for (Object *child : standin::node(container).children) {
        const standin::Node &held = standin::node(child);
        if (held.kind == Kind::Part) box.include(held.box);
        if (held.kind == Kind::Scenario) box.include(geometryBox(child));
    }
    return box;
}

// Where a setup file of the scenario goes when no path is given: beside the study.
QString setupFilePath(const QString &studyPath, const Object *scenario) {
    QFileInfo info(studyPath);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + scenario->objectName() +
                               QStringLiteral(".setup.json"));
}

bool writeScoped(const QString &path, const QString &what, QString *why) {
    const Object *active = standin::studyState().active;
    if (what == QLatin1String("Everything"))
        return standin::writeStudyFile(path, standin::studyToJson(), why);
    if (what == QLatin1String("ActiveScenario")) {
        if (!active) {
            *why = QStringLiteral("there is no active scenario");
            return false;
        }
        return standin::writeStudyFile(path, standin::studyToJson(active), why);
    }
    *why = QStringLiteral("the share file holds \"Everything\" or \"ActiveScenario\"");
    return false;
}
}  // namespace

/* --- DesignStudy ------------------------------------------------------------ */

DesignStudy &DesignStudy::Create() {
    standin::Call("DesignStudy", "Create", standin::Reads);
    return standin::study();
}

QString DesignStudy::name() const {
    standin::Call("DesignStudy", "name", standin::Reads);
    return objectName();
}

void DesignStudy::setName(const QString &name) {
    standin::Call("DesignStudy", "setName", standin::Changes).arg(name);
    setObjectName(name.isNull() ? QStringLiteral("") : name);
}

QString DesignStudy::path() const {
    standin::Call("DesignStudy", "path", standin::Reads);
    return standin::studyState().path;
}

void DesignStudy::setPath(const QString &path) {
    standin::Call("DesignStudy", "setPath", standin::Changes).arg(path);
    standin::studyState().path = path.isNull() ? QStringLiteral("") : path;
}

void DesignStudy::open(const QString &path) {
    standin::Call call("DesignStudy", "open", standin::Changes);
    call.arg(path);
    if (loadStudy(call, path, true)) standin::studyState().path = path;
}

void DesignStudy::createFrom(const QString &path, bool withResults) {
    standin::Call call("DesignStudy", "createFrom", standin::Changes);
    call.arg(path).arg(withResults);
    // A new study: it has no file of its own until it is given one.
    if (loadStudy(call, path, withResults)) standin::studyState().path = QStringLiteral("");
}

QObject *DesignStudy::add(const QString &name, const QString &scenarioName, bool activate) {
    standin::Call call("DesignStudy", "add", standin::Changes);
    call.arg(name).arg(scenarioName).arg(activate);
    if (standin::answer(this, "add")) return nullptr;
    QString why = refusedName(this, Kind::Design, name);
    if (why.isEmpty() && activate && scenarioName.trimmed().isEmpty())
        why = QStringLiteral("a design without a scenario has nothing to activate");
    if (!why.isEmpty()) {
        call.failed(why);
        return nullptr;
    }
    Object *design = standin::makeObject(Kind::Design, name);
    standin::adopt(this, design);
    if (!scenarioName.trimmed().isEmpty()) {
        Object *scenario = standin::makeObject(Kind::Scenario, scenarioName);
        standin::adopt(design, scenario);
        standin::adopt(scenario, standin::makeObject(Kind::Mesh, QStringLiteral("Mesh")));
        if (activate) standin::studyState().active = scenario;
    }
    return design;
}

void DesignStudy::remove(const QString &name) {
    standin::Call call("DesignStudy", "remove", standin::Changes);
    call.arg(name);
    if (Object *design = namedChild(call, this, Kind::Design, name))
        standin::detach(design);
}

void DesignStudy::save() {
    standin::Call call("DesignStudy", "save", standin::Changes);
    QString why;
    const QString &path = standin::studyState().path;
    if (path.isEmpty())
        call.failed(QStringLiteral("the study has no path"));
    else if (!standin::writeStudyFile(path, standin::studyToJson(), &why))
        call.failed(why);
}

void DesignStudy::saveShareFile(const QString &path, const QString &what) {
    standin::Call call("DesignStudy", "saveShareFile", standin::Changes);
    call.arg(path).arg(what);
    QString why;
    if (!writeScoped(path, what, &why)) call.failed(why);
}

QObject *DesignStudy::design(const QString &name) {
    standin::Call("DesignStudy", "design", standin::Reads).arg(name);
    if (standin::answer(this, "design")) return nullptr;
    return standin::childNamed(this, Kind::Design, name);
}

Analysis *DesignStudy::getActiveScenario() {
    standin::Call("DesignStudy", "getActiveScenario", standin::Reads);
    if (standin::answer(this, "getActiveScenario")) return nullptr;
    return static_cast<Analysis *>(standin::studyState().active);
}

void DesignStudy::designs(DesignList &list) const {
    standin::Call("DesignStudy", "designs", standin::Reads).arg(int(list.size()));
    list.clear();
    for (Object *design : standin::childrenOf(this, Kind::Design)) list.push_back(static_cast<Design *>(design));
}

DecisionCenter *DesignStudy::decisionCenter() {
    standin::Call("DesignStudy", "decisionCenter", standin::Reads);
    if (standin::answer(this, "decisionCenter")) return nullptr;
    static DecisionCenter *center = new DecisionCenter();
    return center;
}

int DesignStudy::createSetupFileOfActiveScenario(const QString &path) const {
    standin::Call call("DesignStudy", "createSetupFileOfActiveScenario", standin::Changes);
    call.arg(path);
    if (const QVariant *answer = standin::answer(this, "createSetupFileOfActiveScenario")) return answer->toInt();
    const standin::StudyState &state = standin::studyState();
    QString why;
    QString target = path;
    if (!state.active) {
        why = QStringLiteral("there is no active scenario");
    } else if (target.isEmpty()) {
        if (state.path.isEmpty())
            why = QStringLiteral("no path was given and the study has none");
        else
            target = setupFilePath(state.path, state.active);
    }
    if (why.isEmpty() && standin::writeStudyFile(target, standin::studyToJson(state.active), &why)) return 1;
    call.failed(why);
    return 0;
}

Clt::Units::MLENGTHUNITS DesignStudy::lengthUnits() const {
    standin::Call("DesignStudy", "lengthUnits", standin::Reads);
    return static_cast<Clt::Units::MLENGTHUNITS>(standin::studyState().lengthUnit);
}

bool DesignStudy::createStudyFromAsmTranslator(const QString &assembly, const QString &study) {
    standin::Call call("DesignStudy", "createStudyFromAsmTranslator", standin::Changes);
    call.arg(assembly).arg(study);
    if (const QVariant *answer = standin::answer(this, "createStudyFromAsmTranslator")) return answer->toBool();
    // Translating an assembly needs the application's geometry kernel.
    standin::studyState().translateError = 1;
    call.failed(QStringLiteral("the stand-in has no assembly translator"));
    return false;
}

double DesignStudy::GetLoadTime() const {
    standin::Call("DesignStudy", "GetLoadTime", standin::Reads);
    if (const QVariant *answer = standin::answer(this, "GetLoadTime")) return answer->toDouble();
    return standin::studyState().loadTime;
}

int DesignStudy::GetASMTranslateErrorCode() const {
    standin::Call("DesignStudy", "GetASMTranslateErrorCode", standin::Reads);
    if (const QVariant *answer = standin::answer(this, "GetASMTranslateErrorCode")) return answer->toInt();
    return standin::studyState().translateError;
}

int DesignStudy::createExternalVolumeForActiveScenario(double xMin, double xMax, double yMin, double yMax,
                                                        double zMin, double zMax) {
    standin::Call call("DesignStudy", "createExternalVolumeForActiveScenario", standin::Changes);
    call.arg(xMin).arg(xMax).arg(yMin).arg(yMax).arg(zMin).arg(zMax);
    if (const QVariant *answer = standin::answer(this, "createExternalVolumeForActiveScenario"))
        return answer->toInt();
    Object *scenario = standin::studyState().active;
    const double margins[6] = {xMin, xMax, yMin, yMax, zMin, zMax};
    standin::Box box;
    if (scenario) {
        for (Object *part : standin::childrenOf(scenario, Kind::Part))
            if (part->objectName() != QLatin1String("External volume")) box.include(standin::node(part).box);
    }
    QString why;
    if (!scenario)
        why = QStringLiteral("there is no active scenario");
    else if (!box.valid)
        why = QStringLiteral("the active scenario has no geometry");
    else if (std::any_of(margins, margins + 6, [](double m) { return !(m >= 0.0) || std::isinf(m); }))
        why = QStringLiteral("the margins must be finite and not negative");
    if (!why.isEmpty()) {
        call.failed(why);
        return 0;
    }
    // The external volume surrounds the geometry by the margins, -x, +x, -y, +y, -z, +z.
    for (int axis = 0; axis < 3; ++axis) {
        box.min[axis] -= margins[2 * axis];
        box.max[axis] += margins[2 * axis + 1];
    }
    Object *volume = standin::childNamed(scenario, Kind::Part, QStringLiteral("External volume"));
    if (!volume) {
        int id = 0;
        for (Object *part : standin::childrenOf(scenario, Kind::Part)) id = std::max(id, standin::node(part).id);
        volume = standin::makeObject(Kind::Part, QStringLiteral("External volume"));
        standin::node(volume).id = id + 1;
        standin::node(volume).tag = QStringLiteral("external");
        standin::adopt(scenario, volume);
    }
    standin::node(volume).box = box;
    return 1;
}

/* --- Design ------------------------------------------------------------------ */

std::string Design::getName() const {
    standin::Call("Design", "getName", standin::Reads);
    return objectName().toStdString();
}

QString Design::name() const {
    standin::Call("Design", "name", standin::Reads);
    return objectName();
}

void Design::setName(const QString &name) {
    standin::Call call("Design", "setName", standin::Changes);
    call.arg(name);
    const Object *owner = standin::node(this).parent;
    QString why = owner ? refusedName(owner, Kind::Design, name, this)
                        : (name.trimmed().isEmpty() ? QStringLiteral("a name must not be empty") : QString());
    if (!why.isEmpty()) {
        call.failed(why);
        return;
    }
    setObjectName(name);
}

std::wstring Design::name_w() const {
    standin::Call("Design", "name_w", standin::Reads);
    return objectName().toStdWString();
}

QObject *Design::scenario(const QString &name, bool exact) {
    standin::Call("Design", "scenario", standin::Reads).arg(name).arg(exact);
    if (standin::answer(this, "scenario")) return nullptr;
    return standin::childNamed(this, Kind::Scenario, name, exact ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

QObject *Design::clone(const QString &name) {
    standin::Call call("Design", "clone", standin::Changes);
    call.arg(name);
    if (standin::answer(this, "clone")) return nullptr;
    Object *owner = standin::node(this).parent;
    QString why = owner ? refusedName(owner, Kind::Design, name) : QStringLiteral("the design belongs to no study");
    if (!why.isEmpty()) {
        call.failed(why);
        return nullptr;
    }
    Object *copy = standin::deepCopy(this, name);
    standin::adopt(owner, copy);
    return copy;
}

QObject *Design::add(const QString &name) {
    standin::Call call("Design", "add", standin::Changes);
    call.arg(name);
    if (standin::answer(this, "add")) return nullptr;
    QString why = refusedName(this, Kind::Scenario, name);
    if (!why.isEmpty()) {
        call.failed(why);
        return nullptr;
    }
    Object *scenario = standin::makeObject(Kind::Scenario, name);
    standin::adopt(this, scenario);
    standin::adopt(scenario, standin::makeObject(Kind::Mesh, QStringLiteral("Mesh")));
    return scenario;
}

void Design::scenarios(ScenarioList &list) const {
    standin::Call("Design", "scenarios", standin::Reads).arg(int(list.size()));
    list.clear();
    for (Object *scenario : standin::childrenOf(this, Kind::Scenario)) list.push_back(static_cast<Analysis *>(scenario));
}

void Design::update(const QString &name) {
    standin::Call call("Design", "update", standin::Changes);
    call.arg(name);
    Object *target = namedChild(call, this, Kind::Scenario, name);
    if (!target) return;
    // The scenario takes again every part of the design's geometry that it lacks,
    // without the other scenarios' assignments.
    for (Object *other : standin::childrenOf(this, Kind::Scenario)) {
        for (Object *part : standin::childrenOf(other, Kind::Part)) {
            if (standin::partOfId(target, standin::node(part).id)) continue;
            Object *copy = standin::deepCopy(part, part->objectName());
            standin::node(copy).properties.clear();
            standin::adopt(target, copy);
        }
    }
}

void Design::remove(const QString &name) {
    standin::Call call("Design", "remove", standin::Changes);
    call.arg(name);
    if (Object *scenario = namedChild(call, this, Kind::Scenario, name))
        standin::detach(scenario);
}

BoundingBox Design::boundingBox() const {
    standin::Call("Design", "boundingBox", standin::Reads);
    standin::Quiet quiet;
    const standin::Box box = geometryBox(this);
    if (!box.valid) return BoundingBox();
    return BoundingBox(Clt::Vector(box.min[0], box.min[1], box.min[2]), Clt::Vector(box.max[0], box.max[1], box.max[2]));
}

/* --- BoundingBox ---------------------------------------------------------------- */

BoundingBox::BoundingBox() : Object(standin::unjournaled(nullptr), QString()), m_min{0, 0, 0}, m_max{0, 0, 0}, m_valid(false) {
    standin::Call("BoundingBox", "BoundingBox", standin::Reads);
}

BoundingBox::BoundingBox(const Clt::Vector &min, const Clt::Vector &max)
    : Object(standin::unjournaled(nullptr), QString()), m_min{min.x, min.y, min.z}, m_max{max.x, max.y, max.z},
      m_valid(min.x <= max.x && min.y <= max.y && min.z <= max.z) {
    standin::Call("BoundingBox", "BoundingBox", standin::Reads).arg(min).arg(max);
}

BoundingBox::BoundingBox(const BoundingBox &other) : Object(other) {
    std::copy(other.m_min, other.m_min + 3, m_min);
    std::copy(other.m_max, other.m_max + 3, m_max);
    m_valid = other.m_valid;
}

BoundingBox::~BoundingBox() = default;

BoundingBox &BoundingBox::operator=(const BoundingBox &other) {
    Object::operator=(other);
    std::copy(other.m_min, other.m_min + 3, m_min);
    std::copy(other.m_max, other.m_max + 3, m_max);
    m_valid = other.m_valid;
    return *this;
}

Clt::Vector BoundingBox::getMin() const {
    standin::Call("BoundingBox", "getMin", standin::Reads);
    standin::Quiet quiet;
    return Clt::Vector(m_min[0], m_min[1], m_min[2]);
}

Clt::Vector BoundingBox::getMax() const {
    standin::Call("BoundingBox", "getMax", standin::Reads);
    standin::Quiet quiet;
    return Clt::Vector(m_max[0], m_max[1], m_max[2]);
}

bool BoundingBox::isValid() const {
    standin::Call("BoundingBox", "isValid", standin::Reads);
    if (const QVariant *answer = standin::answer(this, "isValid")) return answer->toBool();
    return m_valid;
}

Clt::Vector BoundingBox::center() const {
    standin::Call("BoundingBox", "center", standin::Reads);
    standin::Quiet quiet;
    if (!m_valid) return Clt::Vector(0.0, 0.0, 0.0);
    return Clt::Vector((m_min[0] + m_max[0]) / 2, (m_min[1] + m_max[1]) / 2, (m_min[2] + m_max[2]) / 2);
}

Clt::Vector BoundingBox::extent() const {
    standin::Call("BoundingBox", "extent", standin::Reads);
    standin::Quiet quiet;
    if (!m_valid) return Clt::Vector(0.0, 0.0, 0.0);
    return Clt::Vector(m_max[0] - m_min[0], m_max[1] - m_min[1], m_max[2] - m_min[2]);
}

double BoundingBox::largestExtent() const {
    standin::Call("BoundingBox", "largestExtent", standin::Reads);
    if (const QVariant *answer = standin::answer(this, "largestExtent")) return answer->toDouble();
    if (!m_valid) return 0.0;
    return std::max({m_max[0] - m_min[0], m_max[1] - m_min[1], m_max[2] - m_min[2]});
}

int BoundingBox::largestExtentAxis() const {
    standin::Call("BoundingBox", "largestExtentAxis", standin::Reads);
    if (const QVariant *answer = standin::answer(this, "largestExtentAxis")) return answer->toInt();
    if (!m_valid) return -1;
    int axis = 0;
    for (int i = 1; i < 3; ++i)
        if (m_max[i] - m_min[i] > m_max[axis] - m_min[axis]) axis = i;
    return axis;
}

double BoundingBox::radius() const {
    standin::Call("BoundingBox", "radius", standin::Reads);
    if (const QVariant *answer = standin::answer(this, "radius")) return answer->toDouble();
    if (!m_valid) return 0.0;
    const double dx = m_max[0] - m_min[0], dy = m_max[1] - m_min[1], dz = m_max[2] - m_min[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz) / 2;
}

}  // namespace script
