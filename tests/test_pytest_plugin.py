"""The installed pytest plugin's host fixture, in test runs of their own."""
import pytest

import SetupHost

pytest_plugins = ["pytester"]

SCRIPT_TESTS = '''
import pytest
import Setup


def test_calls_changes_and_refusals(host):
    scenario = host.new_scenario("Airflow")
    scenario.setName("Fan on")
    scenario.name()
    study = Setup.DesignStudy.Create()
    study.add("D", "S", True).setName("")
    assert host.calls("Analysis::setName") == ['Analysis::setName("Fan on")']
    assert host.calls("setName") == ['Analysis::setName("Fan on")', 'Design::setName("") failed: "a name must not be empty"']
    assert host.calls("Analysis::name") == ["Analysis::name()"] and host.calls("Design::name") == []
    assert host.journal(changes_only=True) == host.calls("setName")[:1] + host.calls("add") + host.calls("Design::setName")
    assert host.refusals() == host.calls("Design::setName")


@pytest.mark.parametrize("turn_on", [lambda h: setattr(h, "strict", True), lambda h: h.set_strict(True)])
def test_strict_switch(host, turn_on):
    study = Setup.DesignStudy.Create()
    assert not host.strict
    study.save()
    turn_on(host)
    assert host.strict
    with pytest.raises(host.Refused, match="the study has no path"):
        study.save()


@pytest.mark.parametrize("round", range(6))
def test_each_test_starts_from_a_fresh_host(host, round):
    assert host.journal() == [] and host.refusals() == [] and not host.strict
    study = Setup.DesignStudy.Create()
    host.answer_null(study, "getActiveScenario")
    assert study.getActiveScenario() is None
    host.strict = True
    study.add("Same name in every test", "S", True)   # refused if a design were left over
'''


def test_the_plugin_gives_a_fresh_host_to_each_test_that_asks(pytester):
    pytester.makepyfile(test_script=SCRIPT_TESTS)
    pytester.runpytest("-p", "no:cacheprovider").assert_outcomes(passed=9)


def test_each_xdist_worker_has_a_host_of_its_own(pytester, monkeypatch):
    pytest.importorskip("xdist")
    pytester.makepyfile(test_script=SCRIPT_TESTS)
    # Only the plugins at stake: workers that load every plugin of the
    # environment start slowly, and the run above already loads ours by its entry point.
    monkeypatch.setenv("PYTEST_DISABLE_PLUGIN_AUTOLOAD", "1")
    result = pytester.runpytest_subprocess("-p", "xdist", "-p", "SetupHost_pytest", "-p", "no:cacheprovider", "-n", "2")
    result.stdout.fnmatch_lines(["*2 workers*"])
    result.assert_outcomes(passed=9)


def test_this_repository_conftest_host_overrides_the_plugin(host, request):
    assert request.config.pluginmanager.has_plugin("SetupHost") and host is SetupHost
