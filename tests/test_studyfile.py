"""Study files: what a study saves is what it opens again, and no bad file
costs the open study anything."""
import errno
import json
import os
import subprocess
import sys

import pytest

import Setup
import SetupHost


def opened(path):
    study = Setup.DesignStudy.Create()
    study.open(str(path))
    return study


def snapshot(study):
    designs = Setup.DesignList()
    study.designs(designs)
    return (study.name(), study.path(), [d.name() for d in designs], study.numProperties(),
            study.getActiveScenario().name() if study.getActiveScenario() else None)


def test_round_trip_keeps_the_whole_model(tmp_path, example_study):
    study = opened(example_study)
    first, second = tmp_path / "first.json", tmp_path / "second.json"
    study.setPath(str(first))
    study.save()
    opened(first).saveShareFile(str(second))
    assert json.loads(first.read_text()) == json.loads(open(example_study).read())
    assert first.read_bytes() == second.read_bytes()
    assert sorted(os.listdir(tmp_path)) == ["first.json", "second.json"]  # nothing left behind


def test_properties_of_every_kind_survive(tmp_path):
    study = Setup.DesignStudy.Create()
    scenario = study.add("D", "S", True).scenario("S")
    values = {"b": False, "i": -7, "d": 0.1, "t": "Wärme \"x\"", "l": ["", "é"]}
    for name, value in values.items():
        SetupHost.give_property(scenario, name, value)
    study.saveShareFile(str(tmp_path / "s.json"))
    SetupHost.reset()
    scenario = opened(tmp_path / "s.json").getActiveScenario()
    assert {name: scenario.property(name) for name in values} == dict(values, b=0)
    assert scenario.propertyDefinition("d").type() == Setup.Variant_Double


def test_create_from_is_a_new_study_without_results(tmp_path, example_study):
    data = json.load(open(example_study))
    data["designs"][0]["scenarios"][0]["results"] = {"Max temperature": 81.5}
    (tmp_path / "r.json").write_text(json.dumps(data))
    for with_results, expected in [(False, {}), (True, {"Max temperature": 81.5})]:
        study = Setup.DesignStudy.Create()
        study.createFrom(str(tmp_path / "r.json"), with_results)
        assert (study.path(), study.name()) == ("", "Router enclosure")
        study.saveShareFile(str(tmp_path / "out.json"))
        assert json.load(open(tmp_path / "out.json"))["designs"][0]["scenarios"][0]["results"] == expected


def test_share_and_setup_files_of_the_active_scenario(tmp_path, example_study):
    study = opened(example_study)
    study.design("Baseline").add("Second")
    study.add("Other", "x")
    study.saveShareFile(str(tmp_path / "share.json"), "ActiveScenario")
    study.setPath(str(tmp_path / "study.json"))
    assert study.createSetupFileOfActiveScenario() == 1
    for name in ("share.json", "study-Natural convection.setup.json"):
        saved = json.load(open(tmp_path / name))
        assert [(d["name"], [s["name"] for s in d["scenarios"]]) for d in saved["designs"]] == \
            [("Baseline", ["Natural convection"])]


def write(path, text):
    path.write_text(text) if isinstance(text, str) else path.write_bytes(text)
    return path


def study_text(**change):
    data = {"format": "Setup study", "version": 1, "name": "N", "designs": []}
    data.update(change)
    return json.dumps(data)


def one_scenario(**scenario):
    return study_text(designs=[{"name": "A", "scenarios": [dict(name="S", **scenario)]}])


BAD_FILES = [
    ("missing", lambda d: d / "missing.json", "no such file"),
    ("directory", lambda d: d, "not a file"),
    ("empty", lambda d: write(d / "f.json", ""), "not JSON: illegal value at byte 0"),
    ("malformed", lambda d: write(d / "f.json", '{"format": '), "not JSON: "),
    ("binary", lambda d: write(d / "f.json", b"\xff\xfe\x00"), "not JSON: "),
    ("array", lambda d: write(d / "f.json", "[]"), "not a study file (not a JSON object)"),
    ("other format", lambda d: write(d / "f.json", study_text(format="Other")), "not a study file"),
    ("newer version", lambda d: write(d / "f.json", study_text(version=3)),
     "version 3 is not supported (this host reads versions 1 to 2)"),
    ("text version", lambda d: write(d / "f.json", study_text(version="1")), 'version \\"1\\" is not supported'),
    ("no version", lambda d: write(d / "f.json", study_text(version=None)), "version null is not supported"),
    ("designs not a list", lambda d: write(d / "f.json", study_text(designs={})), "designs: must be a list"),
    ("same design twice", lambda d: write(d / "f.json", study_text(designs=[{"name": "A"}, {"name": "A"}])),
     'designs[1]: a second one named \\"A\\"'),
    ("bad property", lambda d: write(d / "f.json", study_text(properties=[{"name": "p", "type": "int", "value": 1.5}])),
     "properties[0].value: must be a whole number"),
    ("bad part", lambda d: write(d / "f.json", study_text(designs=[{"name": "A", "scenarios": [
        {"name": "S", "parts": [{"id": 1, "name": "P", "boundingBox": {"min": [0, 0, 0], "max": [1, 1]}}]}]}])),
     "designs[0].scenarios[0].parts[0].boundingBox.max: must be three numbers"),
    ("same part id twice", lambda d: write(d / "f.json", one_scenario(parts=[
        {"id": 1, "name": "P"}, {"id": 2, "name": "P"}, {"id": 1, "name": "Q"}])),
     "designs[0].scenarios[0].parts[2].id: a second part with id 1"),
    ("same group twice", lambda d: write(d / "f.json", one_scenario(groups=[{"name": "G"}, {"name": "G"}])),
     'designs[0].scenarios[0].groups[1]: a second one named \\"G\\"'),
    ("bad entity", lambda d: write(d / "f.json", one_scenario(parts=[{"id": 1, "name": "P", "entities": [
        {"id": 1, "kind": "volume"}, {"id": 2, "kind": "solid"}]}])),
     "designs[0].scenarios[0].parts[0].entities[1].kind: must be point, edge, surface, volume or unknown"),
    ("bad entity id", lambda d: write(d / "f.json", one_scenario(materials=[{"name": "M", "entities": [1, 2, 2.5]}])),
     "designs[0].scenarios[0].materials[0].entities[2]: must be a whole number"),
    ("bad part property", lambda d: write(d / "f.json", one_scenario(parts=[{"id": 1, "name": "P", "properties": [
        {"name": "p", "type": "double", "value": "1"}]}])),
     "designs[0].scenarios[0].parts[0].properties[0].value: must be a number"),
    ("empty length unit", lambda d: write(d / "f.json", study_text(lengthUnit="")),
     'lengthUnit: \\"\\" is no length unit'),
    ("unknown active", lambda d: write(d / "f.json", study_text(activeScenario={"design": "A", "scenario": "S"})),
     "activeScenario: names no scenario of the study"),
]


@pytest.mark.parametrize("make, reason", [case[1:] for case in BAD_FILES], ids=[case[0] for case in BAD_FILES])
@pytest.mark.parametrize("operation", ["open", "createFrom"])
def test_bad_files_are_refused_and_the_study_stays(tmp_path, example_study, operation, make, reason):
    study = opened(example_study)
    scenario = study.getActiveScenario()
    before, alive = snapshot(study), SetupHost.live_objects("Analysis")
    path = str(make(tmp_path))
    SetupHost.clear_journal()
    getattr(study, operation)(path)
    entry = SetupHost.journal()[0]
    assert entry.startswith(f'DesignStudy::{operation}({json.dumps(path)}') and f' failed: "{reason}' in entry
    assert snapshot(study) == before and scenario.design() is not None
    assert SetupHost.live_objects("Analysis") == alive  # nothing half-built was kept


@pytest.mark.skipif(os.geteuid() == 0, reason="permissions do not bind the superuser")
def test_unreadable_file_is_refused(tmp_path):
    path = write(tmp_path / "f.json", study_text())
    path.chmod(0)
    Setup.DesignStudy.Create().open(str(path))
    assert SetupHost.journal()[-1].endswith('failed: "cannot be read: Permission denied")')


def test_a_failed_save_leaves_the_old_file_whole(tmp_path, example_study):
    # A file size limit stands in for a full disk: the write fails half-way.
    target = tmp_path / "study.json"
    target.write_text("old contents")
    script = (
        "import resource, signal, sys, Setup, SetupHost\n"
        "signal.signal(signal.SIGXFSZ, signal.SIG_IGN)\n"
        "s = Setup.DesignStudy.Create(); s.open(sys.argv[1]); s.setPath(sys.argv[2])\n"
        "resource.setrlimit(resource.RLIMIT_FSIZE, (4096, 4096))\n"
        "s.save(); print(SetupHost.journal()[-1])\n")
    result = subprocess.run([sys.executable, "-c", script, example_study, str(target)],
                            capture_output=True, text=True, env=os.environ, check=True)
    # The system's own reason, as for every other refusal.
    assert result.stdout == f'DesignStudy::save() failed: "cannot be written: {os.strerror(errno.EFBIG)}"\n'
    assert target.read_text() == "old contents"
    assert os.listdir(tmp_path) == ["study.json"]


def test_save_without_a_path_or_into_nowhere(tmp_path):
    study = Setup.DesignStudy.Create()
    study.save()
    study.setPath(str(tmp_path / "no" / "dir.json"))
    study.save()
    assert SetupHost.journal()[-3] == 'DesignStudy::save() failed: "the study has no path"'
    assert SetupHost.journal()[-1].startswith('DesignStudy::save() failed: "cannot be written')
