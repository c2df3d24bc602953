"""Strict mode, the refusals and the journal of changes, as a script's test sees them."""
import json
import runpy

import pytest

import Setup
import SetupHost
import _Setup
import _SetupHost


REFUSED = [
    (lambda s, tmp: s.open(str(tmp / "missing.json")), "DesignStudy::open"),
    (lambda s, tmp: s.add("", "S", True), "DesignStudy::add"),
    (lambda s, tmp: s.add("Baseline", "S"), "DesignStudy::add"),
    (lambda s, tmp: s.remove("Nothing"), "DesignStudy::remove"),
    (lambda s, tmp: s.save(), "DesignStudy::save"),
    (lambda s, tmp: s.saveShareFile(str(tmp / "x.json"), "Some"), "DesignStudy::saveShareFile"),
    (lambda s, tmp: s.createStudyFromAsmTranslator("a.asm", "b.json"), "DesignStudy::createStudyFromAsmTranslator"),
    (lambda s, tmp: s.createExternalVolumeForActiveScenario(-1.0), "DesignStudy::createExternalVolumeForActiveScenario"),
    (lambda s, tmp: s.design("Baseline").setName(" "), "Design::setName"),
    (lambda s, tmp: s.design("Baseline").clone("Baseline"), "Design::clone"),
    (lambda s, tmp: s.design("Baseline").add("Still air"), "Design::add"),
    (lambda s, tmp: s.design("Baseline").update("Nothing"), "Design::update"),
    (lambda s, tmp: _Setup.Design_remove(s.design("Baseline"), "Nothing"), "Design::remove"),
]


@pytest.mark.parametrize("refuse, operation", REFUSED)
def test_strict_mode_raises_each_refusal_with_its_reason(study, tmp_path, refuse, operation):
    refuse(study, tmp_path)                          # off: the application never raises
    entry = SetupHost.journal()[-1]
    assert entry.startswith(operation + "(") and SetupHost.refusals() == [entry]
    reason = json.loads(entry.split(" failed: ", 1)[1])

    SetupHost.clear_journal()
    SetupHost.set_strict(True)
    with pytest.raises(SetupHost.Refused) as raised:
        refuse(study, tmp_path)
    assert str(raised.value) == reason and isinstance(raised.value, RuntimeError)
    assert SetupHost.refusals() == [entry] and SetupHost.journal()[-1] == entry


@pytest.mark.parametrize("call", [
    lambda s, sc: s.design("Nothing"),                      # lookups that find nothing
    lambda s, sc: s.design("Baseline").scenario("Nothing"),
    lambda s, sc: sc.property("Nothing"),
    lambda s, sc: sc.setProperty("Nothing", 1),             # an unknown property answers 0
    lambda s, sc: (SetupHost.answer_null(s, "add"), s.add("Baseline", "S")),   # steered answers
    lambda s, sc: (SetupHost.answer_int(s, "createSetupFileOfActiveScenario", 0),
                   s.createSetupFileOfActiveScenario()),
])
def test_lookups_and_steered_answers_are_no_refusals(study, call):
    SetupHost.set_strict(True)
    call(study, study.getActiveScenario())
    assert SetupHost.refusals() == []


def test_a_refusal_made_with_strict_mode_off_is_never_raised_later(study):
    design = study.design("Baseline")
    design.setName("")
    SetupHost.set_strict(True)
    assert design.name() == "Baseline"
    design.setName("Renamed")
    assert SetupHost.journal(True)[-1] == 'Design::setName("Renamed")'
    SetupHost.reset()
    assert not SetupHost.strict()
    design.setName("")                                   # reset switched strict mode off
    assert SetupHost.refusals() == ['Design::setName("") failed: "a name must not be empty"']


def test_with_the_journal_off_strict_mode_still_raises_and_nothing_is_kept(study):
    SetupHost.set_journal_enabled(False)
    study.remove("Nothing")
    SetupHost.set_strict(True)
    with pytest.raises(SetupHost.Refused, match="the study has no path"):
        study.save()
    assert SetupHost.journal() == [] and SetupHost.refusals() == []


def test_refused_is_one_class_however_the_module_is_loaded():
    copy = runpy.run_path(SetupHost.__file__, run_name="SetupHost_copy")   # as python -m SetupHost does
    assert copy["Refused"] is SetupHost.Refused is _SetupHost.Refused
    assert SetupHost.Refused.__module__ == "SetupHost" and issubclass(SetupHost.Refused, RuntimeError)


@pytest.mark.parametrize("call, changes", [
    (lambda s: s.name(), False),
    (lambda s: s.design("Baseline"), False),
    (lambda s: s.getActiveScenario(), False),
    (lambda s: s.designs(Setup.DesignList()), False),
    (lambda s: s.design("Baseline").boundingBox(), False),
    (lambda s: s.getActiveScenario().property("Nothing"), False),
    (lambda s: Setup.Vector(1.0, 2.0, 3.0), False),
    (lambda s: Setup.Variant(1).toInt(), False),
    (lambda s: s.setName("Study"), True),
    (lambda s: s.setPath("/tmp/p.json"), True),
    (lambda s: s.design("Baseline").setName(""), True),        # refused, still a change asked for
    (lambda s: s.getActiveScenario().setProperty("Nothing", 2.5), True),
    (lambda s: s.getActiveScenario().setName("Fan"), True),
    (lambda s: s.createSetupFileOfActiveScenario(), True),     # const in C++, yet writes a file
    (lambda s: Setup.Container(), True),
])
def test_journal_of_changes_leaves_out_the_reads(study, call, changes):
    call(study)
    journal = SetupHost.journal()
    assert journal and journal == SetupHost.journal(changes_only=False)
    assert SetupHost.journal(changes_only=True) == (journal[-1:] if changes else [])
