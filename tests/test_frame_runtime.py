"""Start-up, the shared type table, registration and the calling convention."""
import subprocess
import sys

import pytest

import Setup
import SetupHost
import _Setup
from conftest import raises_text

CONSTANTS = {
    "Variant_Invalid": 0, "Variant_Bool": 1, "Variant_Int": 2, "Variant_Double": 6,
    "Variant_String": 10, "Variant_StringList": 11,
    "Entity_Point": 0, "Entity_Edge": 1, "Entity_Surface": 2, "Entity_Volume": 3, "Entity_Unknown": 4,
    "Units_QZTU_NONE": -1, "Units_QZTU_VELOCITY": 0, "Units_QZTU_TIME": 14, "Units_QZTU_LENGTH": 23,
    "Units_QZTU_ANGLE": 38, "Units_QZTU_MASSFLUX": 43, "Units_MCU_UNKNOWN": -1, "Units_MCU_MKS": 0,
    "Units_MCU_IWC": 5,
}


def test_constants():
    ints = [n for n, v in vars(_Setup).items() if type(v) is int]
    assert len(ints) == 63
    assert len([n for n in ints if n.startswith("Units_QZTU_")]) == 45
    assert len([n for n in ints if n.startswith("Units_MCU_")]) == 7
    for name, value in CONSTANTS.items():
        assert getattr(_Setup, name) == value and getattr(Setup, name) == value


def test_shared_table_is_published_under_both_names():
    runtime = sys.modules["swig_runtime_data4"]
    assert type(runtime.type_pointeriQZt).__name__ == "PyCapsule"
    stock = [m for m in sys.modules if m.startswith("swig_runtime_data") and m != "swig_runtime_data4"]
    assert any(hasattr(sys.modules[m], "type_pointer_capsuleiQZt") for m in stock)


def test_second_import_leaves_the_table_alone():
    code = (
        "import sys, importlib, Setup, SetupHost\n"
        "table = sys.modules['swig_runtime_data4'].type_pointeriQZt\n"
        "del sys.modules['_Setup']\n"
        "importlib.import_module('_Setup')\n"
        "assert sys.modules['swig_runtime_data4'].type_pointeriQZt is table\n"
        "print(SetupHost.describe(SetupHost.new_scenario('S')))\n"
    )
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True)
    assert out.stdout.strip() == '<Analysis "S">'


def test_objects_of_the_other_module_come_back_as_registered_proxies(scenario):
    # SetupHost registers no classes: the binding's registration serves both modules.
    assert type(scenario) is Setup.Scenario
    assert type(SetupHost.new_mesh_box_region("Fine")) is Setup.MeshBoxRegion


def test_unregistered_type_comes_back_bare_until_registered():
    code = (
        "import _Setup, _SetupHost\n"
        "print(type(_SetupHost.new_group('G')).__name__)\n"
        "class Group: pass\n"
        "_Setup.Group_swigregister(Group)\n"
        "print(type(_SetupHost.new_group('G')).__name__)\n"
    )
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True)
    assert out.stdout.split() == ["SwigPyObject", "Group"]


@pytest.mark.parametrize("maker, accepts", [
    (SetupHost.new_scenario, SetupHost.describe),          # Scenario -> Container -> Object
    (SetupHost.new_mesh_box_region, SetupHost.describe),   # MeshBoxRegion -> MeshRegion -> Object
    (SetupHost.new_mesh_box_region, SetupHost.describe_region),
    (SetupHost.new_group, SetupHost.describe_group),
])
def test_class_tree_accepts_classes_below(maker, accepts):
    assert accepts(maker("N")).endswith('"N">')


@pytest.mark.parametrize("maker, refuses, text", [
    (SetupHost.new_part, SetupHost.describe_group, "in method 'describe_group', argument 1 of type 'script::Group *'"),
    (SetupHost.new_design, Setup.ThermalComfortParams,
     "in method 'new_ThermalComfortParams', argument 1 of type 'script::Scenario &'"),
    (lambda name: Setup.Vector(), SetupHost.describe, "in method 'describe', argument 1 of type 'script::Object *'"),
])
def test_class_tree_refuses_siblings_and_outsiders(maker, refuses, text):
    assert raises_text(TypeError, refuses, maker("N")) == text


@pytest.mark.parametrize("fn, args", [
    (_Setup.Vector_x_get, ()), (_Setup.Vector_x_get, (1, 2)), (_Setup.Vector_x_set, (1,)),
    (_Setup.new_ThermalComfortParams, ()), (_Setup.Vector_swigregister, ()),
])
def test_count_failure_names_the_function(fn, args):
    assert fn.__name__ in raises_text(TypeError, fn, *args)


@pytest.mark.parametrize("fn, args", [(_Setup.Vector_x_get, ()), (_Setup.new_Vector, ()), (_Setup.new_Variant, ())])
def test_keyword_arguments_are_refused(fn, args):
    with pytest.raises(TypeError):
        fn(*args, value=1)


def test_overload_failure_is_both_not_implemented_and_type_error():
    assert issubclass(Setup.OverloadError, NotImplementedError)
    assert issubclass(Setup.OverloadError, TypeError)
    with pytest.raises(Setup.OverloadError):  # one class for every module of ours
        SetupHost.new_boolp(1, 2)


def test_every_overloaded_function_reports_the_overload_failure():
    odd = object()
    for name, fn in vars(_Setup).items():
        if not callable(fn) or name.startswith("SWIG_") or name.endswith(("_swigregister", "_swiginit")):
            continue
        for count in range(0, 5):
            try:
                fn(*[odd] * count)
            except Setup.OverloadError as e:
                assert str(e).startswith(f"Wrong number of arguments for overloaded function '{name}'.\n"), name
            except (TypeError, ValueError, RuntimeError):
                pass
