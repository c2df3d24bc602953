import pytest

import Setup
import SetupHost
import _Setup


@pytest.fixture(autouse=True)
def host():
    """A fresh stand-in host for every test."""
    SetupHost.reset()
    yield SetupHost
    SetupHost.reset()


def raises_text(exc, fn, *args):
    with pytest.raises(exc) as info:
        fn(*args)
    return str(info.value)


@pytest.fixture
def scenario():
    return SetupHost.new_scenario("Airflow")


def prototypes(function, *lines):
    """The overload failure's text for a function of these prototype lines."""
    return (f"Wrong number of arguments for overloaded function '{function}'.\n  Possible C/C++ prototypes are:\n"
            + "".join(f"    {line}\n" for line in lines))


def sent(host_class="Analysis"):
    """What the host was asked of that class, the last time, without its refusal."""
    return [e for e in SetupHost.journal() if e.startswith(host_class + "::")][-1].split(" failed: ")[0]


def chip_and_inlet():
    """A fresh host's study with an active scenario of a chip (entity 11) and an inlet (entity 21)."""
    SetupHost.reset()
    study = Setup.DesignStudy.Create()
    scenario = study.add("D", "S", True).scenario("S")
    SetupHost.add_part(scenario, "Chip", 1, "component")
    SetupHost.add_entity(scenario, "Chip", 11, Setup.Entity.Volume)
    SetupHost.add_part(scenario, "Inlet", 2, "opening")
    SetupHost.add_entity(scenario, "Inlet", 21, Setup.Entity.Surface)
    return study, scenario


__all__ = ["Setup", "SetupHost", "_Setup", "raises_text", "prototypes", "sent", "chip_and_inlet"]


@pytest.fixture
def example_study():
    """The example's study file."""
    import os
    return os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "examples", "enclosure.study.json")


@pytest.fixture
def study():
    """The process's study, holding design "Baseline" with active scenario "Still air"."""
    the = Setup.DesignStudy.Create()
    the.add("Baseline", "Still air", True)
    SetupHost.clear_journal()
    return the
