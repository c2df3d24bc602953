"""A scenario's mesh, its settings and mesh regions as a script calls them:
every form and its defaults as the host received them, prototype lines,
const receivers, views that never delete, owned regions deleted once through
their own kind, and what the stand-in keeps, refuses, copies and saves."""
import gc
import json

import pytest

import Setup
import SetupHost
import _Setup
from conftest import prototypes, raises_text, sent

CLASSES = ("Mesh", "MeshEnhancement", "MeshAdvancedControls", "MeshAdaptation", "MeshDiagnostics",
           "MeshRegion", "MeshBoxRegion", "MeshCylindricalRegion", "MeshSphericalRegion")
V = "(1.0, 2.0, 3.0)"


class BadTruth:
    def __bool__(self):
        raise RuntimeError("no truth")


def region_state(region):
    return json.loads(SetupHost.mesh_region_json(region))


@pytest.fixture
def mesh(scenario):
    m = scenario.mesh()
    SetupHost.clear_journal()
    return m


def test_the_classes_have_their_33_functions_and_make_only_regions():
    names = [n for n in dir(_Setup) if callable(getattr(_Setup, n)) and not n.endswith("_swiginit")
             and (n.split("_")[0] in CLASSES or n.split("_", 1)[-1] in CLASSES)]
    assert len(names) == 33
    made = {n for n in names if n.startswith("new_")}
    assert made == {"new_MeshRegion", "new_MeshBoxRegion", "new_MeshCylindricalRegion", "new_MeshSphericalRegion"}


@pytest.mark.parametrize("function, args, host", [
    ("new_MeshRegion", (), "MeshRegion::MeshRegion()"),
    ("new_MeshBoxRegion", (), "MeshBoxRegion::MeshBoxRegion(null, null, null)"),
    ("new_MeshBoxRegion", ("v",), f"MeshBoxRegion::MeshBoxRegion({V}, null, null)"),
    ("new_MeshBoxRegion", (None, "v"), f"MeshBoxRegion::MeshBoxRegion(null, {V}, null)"),
    ("new_MeshBoxRegion", ("v", None, "v"), f"MeshBoxRegion::MeshBoxRegion({V}, null, {V})"),
    ("new_MeshCylindricalRegion", (), "MeshCylindricalRegion::MeshCylindricalRegion(null, 0.0, 0.0, null)"),
    ("new_MeshCylindricalRegion", ("v",), f"MeshCylindricalRegion::MeshCylindricalRegion({V}, 0.0, 0.0, null)"),
    ("new_MeshCylindricalRegion", ("v", 2), f"MeshCylindricalRegion::MeshCylindricalRegion({V}, 2.0, 0.0, null)"),
    ("new_MeshCylindricalRegion", (None, 2, 3.5), "MeshCylindricalRegion::MeshCylindricalRegion(null, 2.0, 3.5, null)"),
    ("new_MeshCylindricalRegion", ("v", 2, 3, "v"), f"MeshCylindricalRegion::MeshCylindricalRegion({V}, 2.0, 3.0, {V})"),
    ("new_MeshSphericalRegion", (), "MeshSphericalRegion::MeshSphericalRegion(null, 0.0)"),
    ("new_MeshSphericalRegion", ("v",), f"MeshSphericalRegion::MeshSphericalRegion({V}, 0.0)"),
    ("new_MeshSphericalRegion", (None, 4), "MeshSphericalRegion::MeshSphericalRegion(null, 4.0)"),
])
def test_each_constructor_form_sends_its_arguments_and_the_defaults(function, args, host):
    vector = Setup.Vector(1, 2, 3)
    region = getattr(_Setup, function)(*[vector if a == "v" else a for a in args])
    assert sent(host.split("::")[0]) == host
    assert region.own()


@pytest.mark.parametrize("call, host", [
    (lambda m, r: m.meshEnahancement(), "Mesh::meshEnahancement()"),
    (lambda m, r: m.advancedControls(), "Mesh::advancedControls()"),
    (lambda m, r: m.adaptation(), "Mesh::adaptation()"),
    (lambda m, r: m.diagnostics(), "Mesh::diagnostics()"),
    (lambda m, r: m.refine(), "Mesh::refine()"),
    (lambda m, r: m.diagnostics().restoreMinimumLengthScale(), "MeshDiagnostics::restoreMinimumLengthScale()"),
    (lambda m, r: r.setUniform(1), "MeshRegion::setUniform(true)"),
    (lambda m, r: r.setLocalMeshSize(2), "MeshRegion::setLocalMeshSize(2.0)"),
    (lambda m, r: r.uniform(), "MeshRegion::uniform()"),
    (lambda m, r: r.localMeshSize(), "MeshRegion::localMeshSize()"),
    (lambda m, r: r.spreadChanges(), "MeshRegion::spreadChanges()"),
])
def test_each_operation_reaches_the_host(mesh, call, host):
    call(mesh, Setup.MeshSphericalRegion())
    assert sent(host.split("::")[0]) == host


@pytest.mark.parametrize("function, args, lines", [
    ("new_MeshBoxRegion", (1,), ["script::MeshBoxRegion(Clt::Vector *,Clt::Vector *,Clt::Vector *)",
                                 "script::MeshBoxRegion(Clt::Vector *,Clt::Vector *)",
                                 "script::MeshBoxRegion(Clt::Vector *)", "script::MeshBoxRegion()"]),
    ("new_MeshBoxRegion", (None,) * 4, None),
    ("new_MeshCylindricalRegion", (None, "x"), ["script::MeshCylindricalRegion(Clt::Vector *,double,double,Clt::Vector *)",
                                                "script::MeshCylindricalRegion(Clt::Vector *,double,double)",
                                                "script::MeshCylindricalRegion(Clt::Vector *,double)",
                                                "script::MeshCylindricalRegion(Clt::Vector *)",
                                                "script::MeshCylindricalRegion()"]),
    ("new_MeshCylindricalRegion", (None, 1, 2, 3), None),
    ("new_MeshSphericalRegion", (None, 1, 2), ["script::MeshSphericalRegion(Clt::Vector *,double)",
                                               "script::MeshSphericalRegion(Clt::Vector *)",
                                               "script::MeshSphericalRegion()"]),
    ("new_MeshSphericalRegion", (2.0,), None),
])
def test_a_form_that_fits_no_overload_lists_the_prototypes_longest_first(function, args, lines):
    text = raises_text(Setup.OverloadError, getattr(_Setup, function), *args)
    if lines:
        assert text == prototypes(function, *lines)
    assert SetupHost.journal() == []


@pytest.mark.parametrize("function, args, message", [
    ("Mesh_refine", ("region",), "in method 'Mesh_refine', argument 1 of type 'script::Mesh *'"),
    ("Mesh_meshEnahancement", ("region",), "in method 'Mesh_meshEnahancement', argument 1 of type 'script::Mesh const *'"),
    ("Mesh_diagnostics", (None,), "in method 'Mesh_diagnostics', argument 1 of type 'script::Mesh const *'"),
    ("MeshDiagnostics_restoreMinimumLengthScale", ("mesh",),
     "in method 'MeshDiagnostics_restoreMinimumLengthScale', argument 1 of type 'script::MeshDiagnostics *'"),
    ("MeshRegion_uniform", ("mesh",), "in method 'MeshRegion_uniform', argument 1 of type 'script::MeshRegion const *'"),
    ("MeshRegion_localMeshSize", ("mesh",), "in method 'MeshRegion_localMeshSize', argument 1 of type 'script::MeshRegion const *'"),
    ("MeshRegion_setUniform", ("region", BadTruth()), "in method 'MeshRegion_setUniform', argument 2 of type 'bool'"),
    ("MeshRegion_setLocalMeshSize", ("region", "1"), "in method 'MeshRegion_setLocalMeshSize', argument 2 of type 'double'"),
])
def test_wrong_arguments_raise_the_argument_failure_with_const_receivers(mesh, function, args, message):
    objects = {"mesh": mesh, "region": Setup.MeshBoxRegion()}
    args = [objects.get(a, a) if isinstance(a, str) and a in objects else a for a in args]
    SetupHost.clear_journal()
    assert raises_text(TypeError, getattr(_Setup, function), *args) == message
    assert SetupHost.journal() == []


def test_the_settings_are_views_of_one_object_each_or_none_when_the_host_has_none(mesh):
    for accessor, cls, name in [("meshEnahancement", Setup.MeshEnhancement, "Enhancement"),
                                ("advancedControls", Setup.MeshAdvancedControls, "Advanced controls"),
                                ("adaptation", Setup.MeshAdaptation, "Adaptation"),
                                ("diagnostics", Setup.MeshDiagnostics, "Diagnostics")]:
        first, again = getattr(mesh, accessor)(), getattr(mesh, accessor)()
        assert type(first) is cls and first == again and not first.this.own() and first.name() == name
        SetupHost.answer_null(mesh, accessor)
        assert getattr(mesh, accessor)() is None


@pytest.mark.parametrize("delete, get", [
    (_Setup.delete_Mesh, lambda s: s.mesh()),
    (_Setup.delete_MeshEnhancement, lambda s: s.mesh().meshEnahancement()),
    (_Setup.delete_MeshAdvancedControls, lambda s: s.mesh().advancedControls()),
    (_Setup.delete_MeshAdaptation, lambda s: s.mesh().adaptation()),
    (_Setup.delete_MeshDiagnostics, lambda s: s.mesh().diagnostics()),
])
def test_deleting_the_scenarios_own_mesh_objects_only_clears_the_proxy(example_study, tmp_path, delete, get):
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    scenario = study.getActiveScenario()
    view = get(scenario)
    delete(view)
    delete(view)
    with pytest.raises(TypeError):
        _Setup.Object_name(view)
    mesh = scenario.mesh()
    mesh.meshEnahancement().setProperty("Enhancement layers", 4)
    mesh.refine()
    assert get(scenario).name() and mesh.diagnostics().property("Minimum length scale") == 0.001
    study.setPath(str(tmp_path / "a.json")), study.save(), study.open(str(tmp_path / "a.json"))
    scenario = study.getActiveScenario()
    scenario.run()
    assert scenario.mesh().meshEnahancement().property("Enhancement layers") == 4
    assert SetupHost.refusals() == []


@pytest.mark.parametrize("make, kind", [
    (lambda: Setup.MeshRegion(), "MeshRegion"),
    (lambda: Setup.MeshBoxRegion(Setup.Vector()), "MeshBoxRegion"),
    (lambda: Setup.MeshCylindricalRegion(None, 1.0), "MeshCylindricalRegion"),
    (lambda: Setup.MeshSphericalRegion(None, 1.0), "MeshSphericalRegion"),
])
def test_a_region_is_deleted_once_through_its_own_kind(make, kind):
    before = SetupHost.live_objects(kind)  # the model's own regions stay for the process
    region = make()
    assert SetupHost.live_objects(kind) == before + 1
    _Setup.delete_MeshRegion(region)
    assert SetupHost.live_objects(kind) == before
    _Setup.delete_MeshRegion(region)
    del region
    getattr(_Setup, "delete_" + kind)(make())
    make()  # released at once
    gc.collect()
    assert SetupHost.live_objects(kind) == before


def test_a_region_keeps_copies_of_its_vectors(scenario):
    base, axis = Setup.Vector(1, 2, 3), Setup.Vector(0, 0, 1)
    region = Setup.MeshCylindricalRegion(base, 2.5, 4, axis)
    del base, axis
    gc.collect()
    assert region_state(region) == {"shape": "cylinder", "uniform": False, "localMeshSize": 0, "spreads": 0,
                                    "geometry": {"base": [1, 2, 3], "axis": [0, 0, 1], "radius": 2.5, "height": 4}}
    sphere = Setup.MeshSphericalRegion(Setup.Vector(5, 5, 5))
    sphere.setLocalMeshSize(0.5)  # through a MeshRegion function, the sphere itself
    assert region_state(sphere)["geometry"] == {"center": [5, 5, 5], "radius": 0} and sphere.localMeshSize() == 0.5


def test_regions_read_back_what_is_set_and_refuse_bad_values():
    region = Setup.MeshBoxRegion()
    assert region.uniform() is False
    region.setUniform(True)
    assert region.uniform() is True
    region.spreadChanges()
    for bad in (-1.0, float("nan"), float("inf")):
        region.setLocalMeshSize(bad)
    region.setLocalMeshSize(0.25), region.spreadChanges()
    assert region.localMeshSize() == 0.25 and region_state(region)["spreads"] == 1
    assert [r.split(" failed: ")[1] for r in SetupHost.refusals()] == [
        '"the region has no local mesh size to spread"'] + ['"a local mesh size must be a finite number of at least 0"'] * 3
    SetupHost.clear_journal()
    bad = Setup.MeshCylindricalRegion(Setup.Vector(1, 1, 1), -2.0, 1.0)
    assert SetupHost.refusals()[0].endswith('failed: "a radius must be a finite number of at least 0"')
    assert region_state(bad)["geometry"]["base"] == [0, 0, 0]


def test_settings_defaults_refinement_and_restore(mesh):
    diagnostics, enhancement = mesh.diagnostics(), mesh.meshEnahancement()
    assert enhancement.numProperties() == 4 and enhancement.property("Layer growth") == 1.3
    assert diagnostics.setProperty("Minimum length scale", 0.5) == 1 and enhancement.setProperty("Layer growth", "x") == 0
    diagnostics.restoreMinimumLengthScale()
    assert diagnostics.property("Minimum length scale") == 0.001
    for _ in range(9):
        mesh.refine()
    assert mesh.property("Refinement passes") == 8
    assert SetupHost.refusals() == ['Mesh::refine() failed: "the mesh was refined 8 times, as often as it can be"']


def test_study_files_clone_and_import_keep_the_mesh(study, tmp_path):
    scenario = study.getActiveScenario()
    mesh = scenario.mesh()
    mesh.adaptation().setProperty("Cycles", 5), mesh.refine()
    fins = SetupHost.add_mesh_region(scenario, "cylinder", "Fins")
    assert not fins.this.own()
    fins.setUniform(True), fins.setLocalMeshSize(0.5), fins.spreadChanges()
    _Setup.delete_MeshRegion(fins)  # a view: the mesh keeps its region
    study.setPath(str(tmp_path / "a.json")), study.save()
    saved = json.loads((tmp_path / "a.json").read_text())["designs"][0]["scenarios"][0]["mesh"]
    assert saved["regions"][0]["uniform"] is True and saved["regions"][0]["localMeshSize"] == 0.5
    study.open(str(tmp_path / "a.json"))
    study.setPath(str(tmp_path / "b.json")), study.save()
    assert (tmp_path / "b.json").read_text() == (tmp_path / "a.json").read_text()
    opened = study.getActiveScenario()
    copies = [opened.clone("Copy"), study.design("Baseline").add("Other")]
    copies[1].mesh().adaptation().setProperty("Cycles", 1)
    copies[1].importSettingsFrom(opened)
    for copy in copies:
        assert copy.mesh().adaptation().property("Cycles") == 5 and copy.mesh().property("Refinement passes") == 1
    study.setPath(str(tmp_path / "c.json")), study.save()
    again = json.loads((tmp_path / "c.json").read_text())["designs"][0]["scenarios"]
    assert [s["mesh"]["regions"] for s in again[1:]] == [saved["regions"]] * 2
    assert SetupHost.refusals() == []


@pytest.mark.parametrize("change, where", [
    (lambda m: m.__setitem__("enhancement", {"properties": [{"name": "Enhancement layers", "type": "text", "value": "2"}]}),
     'mesh.enhancement.properties: \\"Enhancement layers\\" must be an int'),
    (lambda m: m["regions"][0].__setitem__("localMeshSize", -1), "mesh.regions[0].localMeshSize: must be a number"),
    (lambda m: m["regions"][0].__setitem__("geometry", {"axis": [1, 2]}), "mesh.regions[0].geometry.axis: must be three"),
    (lambda m: m["regions"][0].__setitem__("spreads", 1.5), "mesh.regions[0].spreads: must be a whole number"),
])
def test_a_bad_mesh_in_a_file_is_refused_whole(study, tmp_path, change, where):
    SetupHost.add_mesh_region(study.getActiveScenario(), "cylinder", "Fins")
    study.getActiveScenario().mesh()
    study.setPath(str(tmp_path / "a.json")), study.save()
    data = json.loads((tmp_path / "a.json").read_text())
    change(data["designs"][0]["scenarios"][0]["mesh"])
    (tmp_path / "bad.json").write_text(json.dumps(data))
    study.open(str(tmp_path / "bad.json"))
    assert where in SetupHost.journal()[-1] and study.path().endswith("a.json")


def test_add_mesh_region_refuses_what_a_study_file_could_not_hold(scenario):
    SetupHost.add_mesh_region(scenario, "box", "A")
    for shape, name in [("cone", "B"), ("box", ""), ("sphere", "A")]:
        with pytest.raises(ValueError):
            SetupHost.add_mesh_region(scenario, shape, name)
    with pytest.raises(TypeError):
        SetupHost.add_mesh_region(None, "box", "C")
