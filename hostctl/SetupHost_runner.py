"""python -m SetupHost run: runs a script against the stand-in host and prints
what the script asked of the host.

python -m SetupHost runs SetupHost.py as __main__, a second copy of that
module; everything here uses the SetupHost that the script itself imports, so
that the script meets the same Refused class and the same host state.
"""
import os
import runpy
import sys
import traceback

USAGE = """\
usage: python -m SetupHost run [--study FILE] [--journal FILE] [--strict] SCRIPT [ARG ...]

Runs SCRIPT against the stand-in host, as python would run it (its sys.argv is
SCRIPT and its ARGs, its __name__ is "__main__"), then prints the journal of
what it asked of the host, one entry per line.

  --study FILE    open this study file before the script runs; the journal
                  then holds only what the script asked
  --journal FILE  write the journal to FILE instead of printing it
  --strict        every refused operation raises SetupHost.Refused

The options may also follow SCRIPT; an argument of the script that looks like
one of them goes after a "--". Exit status: 0 the script ran to its end, 1 it
raised (its traceback is on stderr), 2 the command was wrong.
"""

_VALUED = ("--study", "--journal")


class _UsageError(Exception):
    pass


class _Help(Exception):
    pass


def _parse(args):
    """The options, the script and its arguments, from the words after "run"."""
    options = {"--study": None, "--journal": None, "--strict": False}
    script = None
    script_args = []
    words = iter(args)
    for word in words:
        if word == "--":
            rest = list(words)
            if script is None:
                if not rest:
                    raise _UsageError("no script was given")
                script = rest.pop(0)
            script_args.extend(rest)
            break
        name, equals, value = word.partition("=")
        if name in _VALUED:
            if options[name] is not None:
                raise _UsageError(f"{name} was given twice")
            if not equals:
                value = next(words, None)
                if value is None:
                    raise _UsageError(f"{name} needs a FILE")
            if not value:
                raise _UsageError(f"{name} needs a FILE")
            options[name] = value
        elif word == "--strict":
            options["--strict"] = True
        elif word in ("-h", "--help") and script is None:
            raise _Help()
        elif script is None:
            if word.startswith("-") and word != "-":
                raise _UsageError(f"unknown option {word}")
            script = word
        else:
            script_args.append(word)
    if script is None:
        raise _UsageError("no script was given")
    return options, script, script_args


def _script_traceback(error, script):
    """The traceback from the script's own first frame on: the runner's and
    runpy's frames only hide where the script went wrong."""
    path = os.path.abspath(script)
    tb = error.__traceback__
    while tb is not None and os.path.abspath(tb.tb_frame.f_code.co_filename) != path:
        tb = tb.tb_next
    return "".join(traceback.format_exception(type(error), error, tb))


def _run_script(script, script_args):
    """Runs the script as python would; gives whether it ran to its end."""
    saved_argv, saved_path = sys.argv[:], sys.path[:]
    sys.argv = [script] + script_args
    sys.path.insert(0, os.path.dirname(os.path.abspath(script)))
    try:
        runpy.run_path(script, run_name="__main__")
        return True
    except SystemExit as error:
        # sys.exit() and sys.exit(0) end a script normally; any other status
        # or message is the script saying that it failed.
        if error.code is None or error.code == 0:
            return True
        if not isinstance(error.code, int):
            print(error.code, file=sys.stderr)
        else:
            print(f"{script} exited with status {error.code}", file=sys.stderr)
        return False
    except BaseException as error:  # the script's failure, whatever it is, is reported
        sys.stderr.write(_script_traceback(error, script))
        return False
    finally:
        sys.argv, sys.path[:] = saved_argv, saved_path


def main(argv):
    """Runs `python -m SetupHost` with these arguments; gives the exit status."""
    import Setup
    import SetupHost

    if argv[:1] in (["-h"], ["--help"]):
        sys.stdout.write(USAGE)
        return 0
    try:
        if argv[:1] != ["run"]:
            raise _UsageError("the command is run")
        options, script, script_args = _parse(argv[1:])
        if not os.path.isfile(script):
            raise _UsageError(f"no script file {script}")
    except _Help:
        sys.stdout.write(USAGE)
        return 0
    except _UsageError as error:
        sys.stderr.write(USAGE)
        print(f"error: {error}", file=sys.stderr)
        return 2

    # A bad journal path is the command's fault, found before the script runs.
    out = None
    if options["--journal"] is not None:
        try:
            out = open(options["--journal"], "w", encoding="utf-8", newline="\n")
        except OSError as error:
            print(f"error: cannot write the journal to {options['--journal']}: {error.strerror}", file=sys.stderr)
            return 2

    try:
        SetupHost.reset()
        if options["--study"] is not None:
            SetupHost.set_strict(True)
            try:
                Setup.DesignStudy.Create().open(options["--study"])
            except SetupHost.Refused as error:
                print(f"error: cannot open the study {options['--study']}: {error}", file=sys.stderr)
                return 2
            finally:
                SetupHost.set_strict(False)
            SetupHost.clear_journal()
        SetupHost.set_strict(options["--strict"])

        ran = _run_script(script, script_args)

        entries = SetupHost.journal()
        if out is not None:
            out.writelines(entry + "\n" for entry in entries)
        else:
            sys.stdout.writelines(entry + "\n" for entry in entries)
        sys.stdout.flush()
        return 0 if ran else 1
    finally:
        if out is not None:
            out.close()
