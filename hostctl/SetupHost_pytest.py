"""The pytest plugin of the stand-in host, installed with the package: the
`host` fixture, for tests of scripts that run against the stand-in.

A test asks for it by name; it is not used unless asked for. Each test that
uses it gets a fresh host (an empty study, an empty journal, no steered
answers, strict mode off), and the host is reset again after the test. Under
pytest-xdist every worker is a process of its own with a host of its own.

SetupHost is imported by the first test that asks for the host, so that
pytest runs of the environment that never do load no host.
"""
import pytest

SetupHost = None  # imported by the fixture


class Host:
    """The stand-in host of one test. Beside what is defined here, every
    function of SetupHost is reached through it: host.new_scenario("S"),
    host.answer_null(obj, "design"), ..."""

    def journal(self, changes_only=False):
        """The journal entries, oldest first; changes_only leaves out the
        operations that only read."""
        return SetupHost.journal(changes_only)

    def clear_journal(self):
        SetupHost.clear_journal()

    def calls(self, operation):
        """The journal entries of one operation, oldest first, by
        "Class::operation" (that class's operation, the class as the journal
        names it: "Analysis::setName") or by "operation" alone (that operation
        of every class: "setName")."""
        qualified = "::" in operation
        found = []
        for entry in SetupHost.journal():
            head = entry[:entry.find("(")]
            if head == operation or (not qualified and head[head.find("::") + 2:] == operation):
                found.append(entry)
        return found

    def refusals(self):
        """The journal entries of the refused operations since the journal
        was last cleared."""
        return SetupHost.refusals()

    @property
    def strict(self):
        """Whether a refused operation raises SetupHost.Refused; off at the
        start of every test."""
        return SetupHost.strict()

    @strict.setter
    def strict(self, on):
        SetupHost.set_strict(bool(on))

    def set_strict(self, on):
        SetupHost.set_strict(bool(on))

    def __getattr__(self, name):
        return getattr(SetupHost, name)


@pytest.fixture
def host():
    """A fresh stand-in host for this test, reset again after it."""
    global SetupHost
    import SetupHost

    SetupHost.reset()
    yield Host()
    SetupHost.reset()
