"""The fast roads of a call give exactly the answers of SWIG's own: finding a
proxy's pointer object, calling functions of several arguments, methods,
making a proxy, and the journal's forms."""
import gc
import json
import random
import sys

import pytest

import Setup
import SetupHost
import _Setup
from conftest import raises_text

X_GET = "in method 'Vector_x_get', argument 1 of type 'Clt::Vector *'"
NAME = "in method 'Object_name', argument 1 of type 'script::Object const *'"


class Foreign:
    """Not a proxy class at all."""


class SubVector(Setup.Vector):
    pass


class ThisProperty(Setup.Vector):
    """A class of its own whose "this" is computed, not stored."""
    other = Setup.Vector(7.0, 0.0, 0.0)
    this = property(lambda self: ThisProperty.other.this)


class Raising:
    @property
    def this(self):
        raise RuntimeError("no this here")


def foreign_with(this):
    obj = Foreign()
    obj.this = this
    return obj


def proxy_of_proxy():
    outer = Foreign()
    outer.this = Setup.Vector(4.0, 0.0, 0.0)  # "this" is itself a proxy
    return outer


@pytest.mark.parametrize("make, x", [
    (lambda: Setup.Vector(1.0, 2.0, 3.0), 1.0),
    (lambda: SubVector(2.0, 0.0, 0.0), 2.0),
    (lambda: Setup.Vector(3.0, 0.0, 0.0).this, 3.0),
    (lambda: foreign_with(Setup.Vector(5.0, 0.0, 0.0).this), 5.0),
    (proxy_of_proxy, 4.0),
    (lambda: ThisProperty(1.0, 1.0, 1.0), 7.0),
])
def test_pointer_found_as_swig_finds_it(make, x):
    obj = make()
    for _ in range(3):  # the first call learns the class, the next ones use what it learnt
        assert _Setup.Vector_x_get(obj) == x


@pytest.mark.parametrize("make", [
    lambda: 5, lambda: "text", lambda: Foreign(), lambda: foreign_with(5), lambda: Raising(),
    lambda: Setup.Variant(1), lambda: SetupHost.new_scenario("s"),
])
def test_refused_as_swig_refuses(make):
    obj = make()
    for _ in range(3):
        assert raises_text(TypeError, _Setup.Vector_x_get, obj) == X_GET


def test_replaced_this_is_seen_at_once():
    vector, other = Setup.Vector(1.0, 0.0, 0.0), Setup.Vector(2.0, 0.0, 0.0)
    assert vector.x == 1.0
    vector.this = other.this
    assert vector.x == 2.0
    del vector.this
    assert raises_text(TypeError, _Setup.Vector_x_get, vector) == X_GET
    vector.this = Setup.Vector(3.0, 0.0, 0.0).this
    assert vector.x == 3.0


def test_class_changed_after_use_is_asked_again():
    class Later(Setup.Vector):
        pass
    vector = Later(1.0, 0.0, 0.0)
    assert vector.x == 1.0
    kept = Setup.Vector(9.0, 0.0, 0.0)
    Later.this = property(lambda self: kept.this)
    assert _Setup.Vector_x_get(vector) == 9.0


def test_deleted_pointer_is_refused():
    vector = Setup.Vector(1.0, 2.0, 3.0)
    assert vector.x == 1.0
    _Setup.delete_Vector(vector)
    assert raises_text(TypeError, _Setup.Vector_x_get, vector) == X_GET


def test_objects_of_the_other_module():
    scenario, part = SetupHost.new_scenario("Airflow"), SetupHost.new_part("Board")
    for _ in range(3):
        assert _Setup.Object_name(scenario) == "Airflow" and _Setup.Object_name(part) == "Board"
        assert raises_text(TypeError, _Setup.Scenario_setName, part, "x") == \
            "in method 'Scenario_setName', argument 1 of type 'script::Scenario *'"
        assert raises_text(TypeError, _Setup.Object_name, Setup.Vector()) == NAME
    scenario.setName("Cooling")
    assert SetupHost.journal()[-1] == 'Analysis::setName("Cooling")'
    assert scenario.name() == "Cooling"


def test_calls_of_several_arguments():
    vector = Setup.Vector()
    assert raises_text(TypeError, _Setup.Vector_x_set, vector, 1.0, 2.0) == \
        "Vector_x_set expected 2 arguments, got 3"
    assert raises_text(TypeError, _Setup.Vector_x_set, vector) == "Vector_x_set expected 2 arguments, got 1"
    with pytest.raises(TypeError, match=r"^Vector_x_set\(\) takes no keyword arguments$"):
        _Setup.Vector_x_set(vector, value=1.0)
    assert raises_text(TypeError, _Setup.Vector_x_set, vector, "1") == \
        "in method 'Vector_x_set', argument 2 of type 'double'"

    class Truth:
        """Calls the module again from inside a call that is using its tuple."""
        def __bool__(self):
            _Setup.Vector_y_set(vector, 5.0)
            return True
    assert Setup.Variant(Truth()).toBool() is True
    _Setup.Vector_x_set(vector, 4.0)
    assert (vector.x, vector.y) == (4.0, 5.0)


def test_a_call_of_the_same_length_inside_a_call():
    design = SetupHost.new_design("Board")

    class Exact:
        def __bool__(self):
            assert _Setup.Design_scenario(design, "inner", False) is None
            return True
    assert _Setup.Design_scenario(design, "outer", Exact()) is None
    assert _Setup.Design_scenario(design, "after", True) is None
    assert SetupHost.journal()[-3:] == ['Design::scenario("inner", false)', 'Design::scenario("outer", true)',
                                        'Design::scenario("after", true)']


@pytest.mark.parametrize("call, text", [
    (lambda v, t: _Setup.Vector_x_set(v, t), None),
    (lambda v, t: _Setup.Vector_x_set(*(v, t)), None),  # through a tuple of the caller's
    (lambda v, t: _Setup.Vector_x_set(), "Vector_x_set expected 2 arguments, got 0"),
    (lambda v, t: _Setup.Vector_x_set(v, t, t, t, t, t, t, t, t), "Vector_x_set expected 2 arguments, got 9"),
    (lambda v, t: _Setup.Vector_x_set(v, "1"), "in method 'Vector_x_set', argument 2 of type 'double'"),
])
def test_arguments_are_neither_kept_nor_lost(call, text):
    vector, value = Setup.Vector(), 123456.5
    counts = (sys.getrefcount(vector), sys.getrefcount(value))
    for _ in range(5):
        if text is None:
            call(vector, value)
        else:
            assert raises_text(TypeError, call, vector, value) == text
    gc.collect()  # the tracebacks' frames
    assert (sys.getrefcount(vector), sys.getrefcount(value)) == counts


def test_methods_behave_as_instance_methods():
    scenario = SetupHost.new_scenario("a")
    held = Setup.Scenario.__dict__["setName"]
    assert held.__func__ is _Setup.Scenario_setName and held.__name__ == "setName"
    assert Setup.Scenario.setName is held
    bound = scenario.setName
    assert bound.__self__ is scenario and bound.__func__ is held
    held(scenario, "b")
    Setup.Scenario.setName(scenario, "c")
    bound("d")
    assert [e for e in SetupHost.journal() if "setName" in e][-3:] == \
        ['Analysis::setName("b")', 'Analysis::setName("c")', 'Analysis::setName("d")']
    with pytest.raises(TypeError, match="takes no keyword arguments"):
        scenario.setName(name="e")


@pytest.mark.parametrize("cls, name, flat", [(Setup.Object, "name", _Setup.Object_name),
                                             (Setup.Scenario, "setName", _Setup.Scenario_setName)])
@pytest.mark.parametrize("arguments", [(), ("s",), ("v",), ("s", "x"), ("v", "x"), ("s", "x", 1)])
def test_held_methods_answer_as_their_functions(cls, name, flat, arguments):
    objects = {"s": SetupHost.new_scenario("a"), "v": Setup.Vector()}
    values = [objects.get(a, a) for a in arguments]
    held = cls.__dict__[name]
    answers = []
    for call in (held, flat):
        try:
            answers.append(("returned", call(*values)))
        except Exception as error:  # the texts are compared, whatever the kind
            answers.append((type(error), str(error)))
    assert answers[0] == answers[1]


def test_constructor_keeps_swigs_answers():
    assert type(Setup.Vector.__init__).__name__ == "proxy_init"
    assert Setup.Vector.__init__.__qualname__ == "Vector.__init__"
    with pytest.raises(NotImplementedError, match="overloaded function 'new_Vector'"):
        Setup.Vector(1.0, 2.0)
    with pytest.raises(TypeError, match=r"^Vector\.__init__\(\) got an unexpected keyword argument 'x'$"):
        Setup.Vector(1.0, x=2.0)
    assert raises_text(TypeError, Setup.Vector.__init__) == \
        "Vector.__init__() missing 1 required positional argument: 'self'"

    class Made(Setup.Vector):
        def __init__(self):
            super().__init__(4.0, 5.0, 6.0)
    assert (Made().x, Made().z) == (4.0, 6.0)
    vector = Setup.Vector(1.0, 0.0, 0.0)
    vector.__init__(2.0, 0.0, 0.0)  # a second pointer object follows the first, as with SWIG
    assert vector.x == 1.0 and _Setup.Vector_x_get(vector.this.next()) == 2.0
    # A constructor that takes named arguments keeps SWIG's own initialiser.
    assert type(Setup.ThermalComfortParams.__init__).__name__ == "function"


def test_a_class_whose_initialiser_or_new_is_replaced_is_called_the_usual_way(monkeypatch):
    calls = []

    def counting_init(self, *args):
        calls.append(args)
        _Setup.Vector_swiginit(self, _Setup.new_Vector(*args))
    monkeypatch.setattr(Setup.Vector, "__init__", counting_init)
    assert Setup.Vector(1.0, 2.0, 3.0).z == 3.0 and calls == [(1.0, 2.0, 3.0)]
    monkeypatch.undo()

    class Once(Setup.Vector):
        made = 0

        def __new__(cls, *args):
            cls.made += 1
            return super().__new__(cls)
    assert Once(1.0, 1.0, 1.0).x == 1.0 and Once.made == 1
    # many arguments and star-arguments reach the constructor as given
    assert raises_text(NotImplementedError, Setup.Vector, *range(9)).startswith("Wrong number of arguments")
    assert Setup.Vector(*[1.0, 2.0, 3.0]).y == 2.0


def test_constructor_follows_the_module(monkeypatch):
    made = []
    original = _Setup.new_Vector

    def counting(*args):
        made.append(args)
        return original(*args)
    monkeypatch.setattr(_Setup, "new_Vector", counting)
    assert Setup.Vector(1.0, 2.0, 3.0).y == 2.0
    assert made == [(1.0, 2.0, 3.0)]


def test_owned_proxies_are_destroyed_once():
    gc.collect()
    before = SetupHost.live_objects("Vector")
    vectors = [Setup.Vector(float(i), 0.0, 0.0) for i in range(50)]
    assert SetupHost.live_objects("Vector") == before + 50
    del vectors
    gc.collect()
    assert SetupHost.live_objects("Vector") == before


def test_journal_forms_match_python():
    rng = random.Random(6)
    scenario = SetupHost.new_scenario("s")
    values = [rng.uniform(-1e6, 1e6) for _ in range(200)] + [round(rng.uniform(-1e4, 1e4), rng.randint(0, 9))
                                                             for _ in range(200)]
    for value in values:
        SetupHost.clear_journal()
        Setup.Vector(value, 0.5, -3.0)
        assert SetupHost.journal()[0] == f"Vector::Vector({value!r}, 0.5, -3.0)"
    alphabet = [chr(c) for c in range(1, 0x300)] + ["中", "\uffff", "😀"]
    for length in (0, 1, 7, 40, 300):
        text = "".join(rng.choice(alphabet) for _ in range(length))
        SetupHost.clear_journal()
        scenario.setName(text)  # a blank name is refused, and still shown as given
        assert [e.split(" failed: ")[0] for e in SetupHost.journal()] == \
            [f"Analysis::setName({json.dumps(text, ensure_ascii=False)})"]


def test_journal_switched_off_records_nothing():
    SetupHost.set_journal_enabled(False)
    scenario = SetupHost.new_scenario("s")
    scenario.setName("t")
    assert Setup.Vector(1.0, 2.0, 3.0).x == 1.0 and scenario.name() == "t"
    assert SetupHost.journal() == [] and SetupHost.journal_size() == 0
    SetupHost.set_journal_enabled(True)
    scenario.name()
    assert SetupHost.journal() == ["Analysis::name()"] and SetupHost.journal_entry(0) == "Analysis::name()"
