// The benchmark's calls bound by nanobind, with the same text conversion as
// the hand-written peer.
#include "text.h"

#include <Clt/Vector.h>
#include <control.h>
#include <script/Object.h>

#include <nanobind/nanobind.h>

namespace nb = nanobind;

namespace nanobind::detail {
template <> struct type_caster<QString> {
    NB_TYPE_CASTER(QString, const_name("str"))
    bool from_python(handle src, uint8_t, cleanup_list *) noexcept { return bench::textFromPython(src.ptr(), &value); }
    static handle from_cpp(const QString &text, rv_policy, cleanup_list *) noexcept {
        return bench::textToPython(text);
    }
};
}  // namespace nanobind::detail

NB_MODULE(bench_nanobind, m) {
    nb::set_leak_warnings(false);
    nb::class_<Clt::Vector>(m, "Vector")
        .def(nb::init<double, double, double>())
        .def_rw("x", &Clt::Vector::x);
    nb::class_<script::Object>(m, "Object").def("name", &script::Object::name);
    nb::class_<script::Container, script::Object>(m, "Container");
    nb::class_<script::Analysis, script::Container>(m, "Scenario").def("setName", &script::Analysis::setName);

    m.def("Vector_x_get", [](const Clt::Vector &vector) { return vector.x; });
    m.def("Object_name", [](const script::Object &object) { return object.name(); });
    m.def("Scenario_setName", [](script::Analysis &scenario, const QString &name) { scenario.setName(name); });
    m.def("new_scenario", &standin::makeScenario, nb::rv_policy::reference);
}
