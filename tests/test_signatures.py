"""What help(), inspect and type checkers know of the modules: every proxy
method, constructor and field has the doc written beside its declaration and
its declared signature; the flat module carries no docs; the stubs name
exactly what the modules have."""
import ast
import inspect
import os
import pydoc
import re
import runpy
import subprocess
import sys
import types
import typing

import pytest

import Setup
import SetupHost
import _Setup

P = inspect.Parameter
TEXT = "str | bytes | os.PathLike[str] | None"
HERE = os.path.dirname(os.path.abspath(__file__))


def parameters(callable_):
    return [(p.name, p.kind, p.default) for p in inspect.signature(callable_).parameters.values()]


def annotation(callable_, name):
    return inspect.formatannotation(inspect.signature(callable_).parameters[name].annotation)


def proxy_classes(module):
    return {name: cls for name, cls in vars(module).items()
            if isinstance(cls, type) and not name.startswith("_") and cls.__module__ == module.__name__}


def held_kind(cls, name, value):
    """What a class member of the proxy module is, or None for what SWIG and
    the frame add to every class (its repr, copies, destructor, slots)."""
    if type(value).__name__ == "instancemethod":
        return "method"
    if type(value).__name__ == "proxy_init":
        return "init"
    if isinstance(value, staticmethod):
        return "static"
    if isinstance(value, property):
        return "field"
    if isinstance(value, types.MemberDescriptorType) and name == "this":
        return "slot"
    if isinstance(value, types.FunctionType) and value.__qualname__ == "%s.%s" % (cls.__qualname__, name):
        return "python"
    if type(value) is int and not name.startswith("__"):
        return "constant"
    return None


# --- Signatures --------------------------------------------------------------------

def test_a_method_shows_its_declaration():
    assert parameters(Setup.DesignStudy.open) == [("self", P.POSITIONAL_ONLY, P.empty),
                                                  ("path", P.POSITIONAL_ONLY, P.empty)]
    assert annotation(Setup.DesignStudy.open, "path") == TEXT
    assert inspect.signature(Setup.DesignStudy.open).return_annotation is None
    assert str(inspect.signature(Setup.DesignStudy.open)) == "(self, path: %s, /) -> None" % TEXT


@pytest.mark.parametrize("method, expected", [
    (Setup.DesignStudy.createFrom, [("path", P.empty), ("withResults", False)]),
    (Setup.DesignStudy.saveShareFile, [("path", P.empty), ("what", "Everything")]),
    (Setup.DesignStudy.createSetupFileOfActiveScenario, [("path", "")]),
    (Setup.DesignStudy.createExternalVolumeForActiveScenario,
     [(name, 0.0) for name in ("xMin", "xMax", "yMin", "yMax", "zMin", "zMax")]),
    (Setup.Design.scenario, [("name", P.empty), ("exact", True)]),
    (Setup.Variant.toInt, [("ok", None)]),
    (Setup.SwigPyIterator.incr, [("n", 1)]),
])
def test_defaults_are_those_declared(method, expected):
    """A function with default arguments shows its longest form, with its defaults."""
    assert [(name, default) for name, kind, default in parameters(method)[1:]] == expected
    assert {kind for _, kind, _ in parameters(method)} == {P.POSITIONAL_ONLY}
    assert "forms" not in method.__doc__


def test_types_follow_the_conversion_rules():
    signature = inspect.signature(Setup.DesignStudy.add)
    assert [inspect.formatannotation(p.annotation) for p in signature.parameters.values()][1:] == [TEXT, TEXT, "bool"]
    assert signature.return_annotation == Setup.Design | None
    assert inspect.signature(Setup.DesignStudy.Create).return_annotation is Setup.DesignStudy
    assert inspect.signature(Setup.Object.property).return_annotation == int | float | str | list[str] | None
    assert inspect.signature(Setup.BoundingBox.center).return_annotation is Setup.Vector
    assert inspect.signature(Setup.Design.boundingBox).return_annotation is Setup.BoundingBox
    assert inspect.signature(Setup.Variant.type).return_annotation is int
    assert inspect.signature(Setup.Variant.toStringList).return_annotation == list[str]
    assert inspect.signature(Setup.DesignStudy.designs).parameters["list"].annotation is Setup.DesignList
    assert inspect.signature(Setup.Object.properties).parameters["values"].annotation is Setup.VariantList
    assert inspect.signature(Setup.DesignList.append).parameters["x"].annotation == Setup.Design | None
    assert inspect.signature(Setup.VectorList.front).return_annotation is Setup.Vector
    assert inspect.signature(Setup.VariantList.pop).return_annotation == int | float | str | list[str] | None
    assert inspect.signature(Setup.EntityIdList.__len__).return_annotation is int
    assert repr(inspect.signature(Setup.DesignStudy.lengthUnits).return_annotation) == "typing.Any"


def test_a_static_method_has_no_receiver():
    assert parameters(Setup.DesignStudy.Create) == []
    assert Setup.DesignStudy.Create.__doc__
    assert isinstance(vars(Setup.DesignStudy)["Create"], staticmethod)
    assert Setup.DesignStudy.Create().Create() == Setup.DesignStudy.Create()  # from an instance too, unbound


def test_a_bound_method_shows_its_arguments():
    study = Setup.DesignStudy.Create()
    assert [name for name, _, _ in parameters(study.add)] == ["name", "scenarioName", "activate"]
    assert study.add.__doc__ == Setup.DesignStudy.add.__doc__
    assert study.add.__name__ == "add" and Setup.DesignStudy.add.__qualname__ == "DesignStudy.add"
    assert Setup.DesignStudy.add.__module__ == "Setup"


def test_overloads_show_one_combined_signature_and_list_their_forms():
    signature = inspect.signature(Setup.Variant)
    (value,) = signature.parameters.values()
    assert value.kind is P.POSITIONAL_ONLY and repr(value.default) == "..."
    for kind in (int, float, str, bytes, bool, Setup.Variant):
        assert kind in typing_args(value.annotation)
    doc = Setup.Variant.__init__.__doc__
    assert doc.startswith("One of 8 forms:") and doc.count("\n  Variant(") == 8
    assert "  Variant(value: int)\n      An int." in doc

    signature = inspect.signature(Setup.Object.setProperty)
    assert [name for name in signature.parameters] == ["self", "name", "value"]
    assert set(typing_args(signature.parameters["value"].annotation)) >= {int, float, str, bytes}
    assert signature.return_annotation is int
    assert Setup.Object.setProperty.__doc__.count("\n  setProperty(") == 3


def test_forms_that_stop_earlier_leave_their_positions_optional():
    vector = parameters(Setup.Vector)
    assert [name for name, _, _ in vector] == ["x_or_other", "y", "z"]
    assert all(repr(default) == "..." for _, _, default in vector)
    insert = inspect.signature(Setup.VectorList.insert)
    assert list(insert.parameters) == ["self", "pos", "x_or_n", "x"]
    assert insert.parameters["pos"].default is P.empty and repr(insert.parameters["x"].default) == "..."
    assert insert.return_annotation == Setup.SwigPyIterator | None
    getitem = inspect.signature(Setup.EntityIdList.__getitem__)
    assert getitem.parameters["slice_or_i"].annotation == slice | int
    assert getitem.return_annotation == Setup.EntityIdList | int


def test_list_types_share_the_templates_docs():
    docs = {name: cls.reserve.__doc__ for name, cls in proxy_classes(Setup).items() if hasattr(cls, "swap")}
    assert len(docs) == 13 and len(set(docs.values())) == 1 and docs["BCList"]
    assert Setup.PartList.__doc__.split("\n\n")[0] == Setup.VectorList.__doc__.split("\n\n")[0]
    constructor = inspect.signature(Setup.EntityIdList)
    assert list(constructor.parameters) == ["count", "value"]
    assert typing.Iterable[int] in typing_args(constructor.parameters["count"].annotation)
    assert Setup.EntityIdList in typing_args(constructor.parameters["count"].annotation)


def test_constructors_show_their_declarations():
    assert inspect.signature(Setup.CTMResults).parameters == {}
    assert Setup.CTMResults.__init__.__doc__
    # SWIG's initialiser of one form names its parameters, so keywords are taken there.
    (scenario,) = inspect.signature(Setup.ThermalComfortParams).parameters.values()
    assert (scenario.name, scenario.kind, scenario.annotation) == ("scenario", P.POSITIONAL_OR_KEYWORD, Setup.Scenario)
    assert parameters(Setup.Vector.__init__)[0] == ("self", P.POSITIONAL_ONLY, P.empty)
    assert Setup.Vector.__init__.__doc__ == Setup.Vector.__doc__.split("\n\n", 1)[1]
    # A class without a constructor keeps SWIG's refusal.
    with pytest.raises(AttributeError, match="No constructor defined"):
        Setup.Design()


def test_fields_have_their_docs():
    assert Setup.Vector.x.__doc__ == "The first component."
    assert Setup.TECResults.COP.__doc__.startswith("The coefficient of performance")


# --- help() -------------------------------------------------------------------------

def help_text(thing):
    """What help() shows, with a signature that it breaks over lines put on one."""
    text = " ".join(re.sub(r"(?m)^ \|", "", pydoc.render_doc(thing, renderer=pydoc.plaintext)).split())
    return re.sub(r"\s+\)", ")", re.sub(r"\(\s+", "(", text))


def test_help_shows_a_methods_signature_and_doc():
    text = help_text(Setup.DesignStudy.open)
    assert "open(self, path: %s, /) -> None" % TEXT in text
    assert "Opens the study file at path" in text
    bound = help_text(Setup.DesignStudy.Create().designs)
    assert "designs(list: Setup.DesignList, /) -> None" in bound and "Fills the list" in bound


def test_help_on_a_class_shows_how_it_is_made_and_its_members():
    text = help_text(Setup.Vector)
    assert "Vector(x_or_other: float | Setup.Vector = ..., y: float = ..., z: float = ..., /)" in text
    assert "A point or a direction in space" in text and "Vector(x: float, y: float, z: float)" in text
    assert "The first component." in text
    text = help_text(Setup.Design)
    assert "scenario(self, name: %s, exact: bool = True, /) -> Setup.Scenario | None" % TEXT in text
    assert "The scenario of this name" in text


# --- Where the docs live --------------------------------------------------------------

def test_the_flat_module_carries_no_docs():
    functions = [f for f in vars(_Setup).values() if isinstance(f, types.BuiltinFunctionType)]
    assert len(functions) > 500
    assert [f.__name__ for f in functions if f.__doc__ is not None] == []


def test_every_proxy_method_constructor_and_field_has_a_doc():
    undocumented = []
    for name, cls in proxy_classes(Setup).items():
        if issubclass(cls, BaseException):
            continue
        for member, value in vars(cls).items():
            kind = held_kind(cls, member, value)
            if kind in ("method", "static", "field", "init") or \
                    (kind == "python" and "No constructor defined" not in value.__code__.co_consts):
                if not inspect.getdoc(getattr(cls, member) if kind != "field" else value):
                    undocumented.append("%s.%s" % (name, member))
        if not cls.__doc__:
            undocumented.append(name)
    assert undocumented == []


def test_every_declared_signature_can_be_built():
    """Each signature is built from its strings on first read, its types read in the module."""
    built = 0
    for name, cls in proxy_classes(Setup).items():
        for member, value in vars(cls).items():
            if held_kind(cls, member, value) in ("method", "static", "init") or member == "__init__" and \
                    "No constructor defined" not in value.__code__.co_consts:
                signature = inspect.signature(getattr(cls, member))
                assert all(p.kind is not P.VAR_POSITIONAL for p in signature.parameters.values()), (name, member)
                built += 1
    assert built > 500
    assert pydoc.render_doc(Setup, renderer=pydoc.plaintext).count("\n") > 3000


def test_keyword_calls_are_still_refused():
    study = Setup.DesignStudy.Create()
    scenario = SetupHost.new_scenario("a")
    for call in (lambda: study.open(path="x.json"), lambda: Setup.DesignStudy.open(study, path="x"),
                 lambda: Setup.DesignStudy.Create(study=None), lambda: scenario.setName(name="b"),
                 lambda: Setup.Vector(x=1.0), lambda: Setup.Variant(value=1), lambda: Setup.EntityIdList(count=2)):
        with pytest.raises(TypeError):
            call()


def test_reading_a_method_from_its_class_gives_the_method_itself():
    held = vars(Setup.Scenario)["setName"]
    assert Setup.Scenario.setName is held and held.__func__ is _Setup.Scenario_setName
    scenario = SetupHost.new_scenario("a")
    bound = scenario.setName
    assert bound.__self__ is scenario and bound.__func__ is held
    Setup.Scenario.setName(scenario, "b")
    bound("c")
    assert [e for e in SetupHost.journal() if "setName" in e][-2:] == \
        ['Analysis::setName("b")', 'Analysis::setName("c")']


# --- Stubs -------------------------------------------------------------------------------

def stub_of(module):
    path = os.path.join(os.path.dirname(module.__file__), "%s-stubs" % module.__name__, "__init__.pyi")
    with open(path, encoding="utf-8") as text:
        return path, ast.parse(text.read())


def stub_names(body):
    names = {}
    for statement in body:
        if isinstance(statement, (ast.FunctionDef, ast.ClassDef)):
            names[statement.name] = statement
        elif isinstance(statement, ast.AnnAssign) and isinstance(statement.target, ast.Name):
            names[statement.target.id] = statement
        elif isinstance(statement, ast.Assign):
            names.update((target.id, statement) for target in statement.targets if isinstance(target, ast.Name))
    # A class's __hash__ = None comes from its own code or from the frame's value manners alike.
    return {name: node for name, node in names.items()
            if (not name.startswith("_") or name.startswith("__")) and name != "__hash__"}


@pytest.mark.parametrize("module", [Setup, SetupHost])
def test_the_stubs_name_exactly_what_the_module_has(module):
    _, tree = stub_of(module)
    stubbed = stub_names(tree.body)
    public = {name: value for name, value in vars(module).items()
              if not name.startswith("_") and not isinstance(value, types.ModuleType)}
    assert sorted(name for name, value in public.items() if isinstance(value, type)) == \
        sorted(name for name, node in stubbed.items() if isinstance(node, ast.ClassDef))
    assert sorted(name for name, value in public.items() if callable(value) and not isinstance(value, type)) == \
        sorted(name for name, node in stubbed.items() if isinstance(node, ast.FunctionDef))
    assert sorted(name for name, value in public.items() if type(value) is int) == \
        sorted(name for name, node in stubbed.items() if isinstance(node, ast.AnnAssign))
    for name, cls in proxy_classes(module).items():
        node = stubbed[name]
        if issubclass(cls, BaseException):
            assert [ast.unparse(base) for base in node.bases] == [base.__name__ for base in cls.__bases__]
            continue
        held = sorted(member for member, value in vars(cls).items()
                      if held_kind(cls, member, value) and member != "__hash__")
        assert held == sorted(stub_names(node.body)), name
        assert [ast.unparse(base) for base in node.bases] == \
            [base.__name__ for base in cls.__bases__ if base is not object], name


def test_the_stubs_overloads_match_the_forms():
    _, tree = stub_of(Setup)
    classes = {node.name: node for node in tree.body if isinstance(node, ast.ClassDef)}
    variant = [node for node in classes["Variant"].body if isinstance(node, ast.FunctionDef) and node.name == "__init__"]
    # The two forms that take pointer objects of other C++ types are one form to a type checker.
    assert len(variant) == 7 and all(ast.unparse(node.decorator_list[0]) == "typing.overload" for node in variant)
    add = [node for node in classes["DesignStudy"].body if isinstance(node, ast.FunctionDef) and node.name == "add"]
    assert [ast.unparse(add[0].args), ast.unparse(add[0].returns)] == \
        ["self, name: _Text, scenarioName: _Text, activate: bool=False, /", "Design | None"]


def test_type_checkers_find_the_stubs_as_stub_only_packages():
    for module in (Setup, SetupHost):
        path, _ = stub_of(module)
        assert os.path.basename(os.path.dirname(path)) == module.__name__ + "-stubs"


def test_the_typed_script_runs():
    runpy.run_path(os.path.join(HERE, "typed_script.py"), run_name="typed")["main"]([])


def mypy(*arguments, cwd):
    return subprocess.run([sys.executable, "-m", "mypy", "--strict", "--cache-dir", os.path.join(cwd, ".cache")]
                          + list(arguments), capture_output=True, text=True, cwd=cwd)


def test_the_stubs_pass_mypy(tmp_path):
    pytest.importorskip("mypy")
    for module in (Setup, SetupHost):
        with open(stub_of(module)[0], encoding="utf-8") as stub:
            (tmp_path / ("%s.pyi" % module.__name__)).write_text(stub.read(), encoding="utf-8")
    done = mypy("Setup.pyi", "SetupHost.pyi", cwd=str(tmp_path))
    assert done.returncode == 0, done.stdout + done.stderr


def test_the_typed_script_passes_mypy_with_the_installed_stubs(tmp_path):
    pytest.importorskip("mypy")
    done = mypy(os.path.join(HERE, "typed_script.py"), cwd=str(tmp_path))
    assert done.returncode == 0, done.stdout + done.stderr
    done = mypy("-c", "import Setup\nSetup.Vector(1.0, 2.0)\nSetup.DesignStudy.Create().open(path='x')",
                cwd=str(tmp_path))
    assert 'No overload variant of "Vector" matches' in done.stdout
    assert 'Unexpected keyword argument "path" for "open" of "DesignStudy"' in done.stdout


def typing_args(annotation):
    return getattr(annotation, "__args__", (annotation,))
