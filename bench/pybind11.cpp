// The benchmark's calls bound by pybind11, with the same text conversion as
// the hand-written peer.
#include "text.h"

#include <Clt/Vector.h>
#include <control.h>
#include <script/Object.h>

#include <pybind11/pybind11.h>

namespace py = pybind11;

namespace pybind11::detail {
template <> struct type_caster<QString> {
    PYBIND11_TYPE_CASTER(QString, const_name("str"));
    bool load(handle src, bool) { return bench::textFromPython(src.ptr(), &value); }
    static handle cast(const QString &text, return_value_policy, handle) { return bench::textToPython(text); }
};
}  // namespace pybind11::detail

PYBIND11_MODULE(bench_pybind11, m) {
    py::class_<Clt::Vector>(m, "Vector")
        .def(py::init<double, double, double>())
        .def_readwrite("x", &Clt::Vector::x);
    py::class_<script::Object, std::unique_ptr<script::Object, py::nodelete>>(m, "Object")
        .def("name", &script::Object::name);
    py::class_<script::Container, script::Object, std::unique_ptr<script::Container, py::nodelete>>(m, "Container");
    py::class_<script::Analysis, script::Container, std::unique_ptr<script::Analysis, py::nodelete>>(m, "Scenario")
        .def("setName", &script::Analysis::setName);

    m.def("Vector_x_get", [](const Clt::Vector &vector) { return vector.x; });
    m.def("Object_name", [](const script::Object &object) { return object.name(); });
    m.def("Scenario_setName", [](script::Analysis &scenario, const QString &name) { scenario.setName(name); });
    m.def("new_scenario", &standin::makeScenario, py::return_value_policy::reference);
}
