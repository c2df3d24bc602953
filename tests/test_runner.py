"""python -m SetupHost run: a script against the stand-in, as a script author runs it."""
import subprocess
import sys
import textwrap

import pytest


def run(tmp_path, body, *args):
    script = tmp_path / "script.py"
    script.write_text(textwrap.dedent(body))
    words = [str(script) if a == "SCRIPT" else a for a in args]
    done = subprocess.run([sys.executable, "-m", "SetupHost", *words], capture_output=True, text=True,
                          cwd=tmp_path, timeout=120)
    return done.returncode, done.stdout.splitlines(), done.stderr


WALK = """
    import sys
    import Setup, SetupHost
    print(sys.argv[1:], __name__)
    study = Setup.DesignStudy.Create()
    study.design("Baseline").setName("Renamed")
"""


def test_runs_the_script_on_the_opened_study_and_prints_its_journal(tmp_path, example_study):
    status, out, err = run(tmp_path, WALK, "run", "SCRIPT", "--study", example_study, "one", "--", "--strict")
    assert (status, err) == (0, "")
    assert out == ["['one', '--strict'] __main__",
                   "DesignStudy::Create()", 'DesignStudy::design("Baseline")', 'Design::setName("Renamed")']


def test_writes_the_journal_to_a_file(tmp_path, example_study):
    status, out, err = run(tmp_path, WALK, "run", "--journal", "j.txt", "SCRIPT", f"--study={example_study}")
    assert (status, out) == (0, ["[] __main__"])
    assert (tmp_path / "j.txt").read_text().splitlines()[-1] == 'Design::setName("Renamed")'


@pytest.mark.parametrize("strict, body, status, last_stderr_line", [
    # The script meets the Refused class and the state of the SetupHost it imports.
    (True, """
        import Setup, SetupHost
        try:
            Setup.DesignStudy.Create().save()
        except SetupHost.Refused as refused:
            assert SetupHost.strict() and str(refused) == "the study has no path"
     """, 0, None),
    (True, "import Setup\nSetup.DesignStudy.Create().save()\n", 1, "SetupHost.Refused: the study has no path"),
    (False, "import Setup\nSetup.DesignStudy.Create().save()\n", 0, None),
    (False, "import sys\nsys.exit(0)\n", 0, None),
    (False, "import sys\nsys.exit(3)\n", 1, "exited with status 3"),
    (False, "raise KeyError('k')\n", 1, "KeyError: 'k'"),
])
def test_exit_status_says_whether_the_script_raised(tmp_path, strict, body, status, last_stderr_line):
    got, out, err = run(tmp_path, body, "run", "SCRIPT", *(["--strict"] if strict else []))
    assert got == status
    if last_stderr_line is None:
        assert err == ""
    else:
        assert err.splitlines()[-1].endswith(last_stderr_line)
    if "save" in body:
        assert out[-1] == 'DesignStudy::save() failed: "the study has no path"'   # printed whatever happened
    if got and "Traceback" in err:
        assert "runpy" not in err and "SetupHost_runner" not in err and 'script.py", line' in err


@pytest.mark.parametrize("args, message", [
    ((), "error: the command is run"),
    (("walk", "SCRIPT"), "error: the command is run"),
    (("run",), "error: no script was given"),
    (("run", "--study"), "error: --study needs a FILE"),
    (("run", "--verbose", "SCRIPT"), "error: unknown option --verbose"),
    (("run", "missing.py"), "error: no script file missing.py"),
    (("run", "SCRIPT", "--study", "missing.json"), "error: cannot open the study missing.json: no such file"),
    (("run", "SCRIPT", "--journal", "no/such/dir/j.txt"), "error: cannot write the journal to no/such/dir/j.txt"),
])
def test_a_wrong_command_is_a_usage_error(tmp_path, args, message):
    status, out, err = run(tmp_path, "print('ran')\n", *args)
    assert status == 2 and out == [] and message in err
