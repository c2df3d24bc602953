"""The text rules, through functions that take and return each kind of text."""
import pathlib

import pytest

import Setup
import SetupHost
import _Setup
from conftest import raises_text


@pytest.mark.parametrize("given, received", [
    ("Airflow", '<Analysis "Airflow">'),
    ("Kühlung ✓ 😀", '<Analysis "Kühlung ✓ 😀">'),
    (b"UTF-8 \xc3\xa9", '<Analysis "UTF-8 é">'),
    ("cut\x00here", '<Analysis "cut">'),
    ("", '<Analysis "">'),
    (None, "<Analysis null>"),
])
def test_string_argument(given, received):
    assert SetupHost.describe(SetupHost.new_scenario(given)) == received


def test_string_argument_from_wide_pointer():
    assert SetupHost.describe(SetupHost.new_scenario(SetupHost.new_wcharp("wide ✓"))) == '<Analysis "wide ✓">'


@pytest.mark.parametrize("given", [5, 2.5, b"\xff\xfe", ["a"], Setup.Vector(), SetupHost.new_charp(b"x")])
def test_bad_string(given):
    assert raises_text(RuntimeError, SetupHost.new_scenario, given) == "Bad string input to call"


@pytest.mark.parametrize("given, received", [
    ("abc", 'Variant::Variant("abc")'),
    ("é", 'Variant::Variant("é")'),
    (b"ab\xc3\xa9", 'Variant::Variant("abé")'),
    ("a\x00b", 'Variant::Variant("a")'),
])
def test_byte_string_argument(given, received):
    Setup.Variant(given)
    assert SetupHost.journal()[0] == received


def test_byte_string_argument_from_char_pointer_and_none():
    assert SetupHost.charp_value(SetupHost.new_charp(b"raw\xff")) == "raw\udcff"
    assert SetupHost.charp_value(None) == ""


@pytest.mark.parametrize("given", [5, 1.5, ["x"], SetupHost.new_wcharp("w"), "\udc80"])
def test_byte_string_refused(given):
    assert raises_text(TypeError, SetupHost.charp_value, given) == \
        "in method 'charp_value', argument 1 of type 'char const *'"


@pytest.mark.parametrize("given, back", [
    ("plain", "plain"), ("x😀y", "x😀y"), (b"\xc3\xa9", "é"), ("", ""),
])
def test_wide_string_argument_and_result(given, back):
    assert SetupHost.wstring_value(given) == back
    assert SetupHost.wstring_value(SetupHost.new_wstringp(given)) == back


def test_wide_string_refusals():
    assert raises_text(ValueError, SetupHost.wstring_value, None) == \
        "invalid null reference in method 'wstring_value', argument 1 of type 'std::wstring const &'"
    for bad in (5, b"\xff", SetupHost.new_charp(b"x")):
        assert raises_text(TypeError, SetupHost.wstring_value, bad) == \
            "in method 'wstring_value', argument 1 of type 'std::wstring const &'"


@pytest.mark.parametrize("text", ["ascii", "Grüße", "日本", "x😀y", "", "\udc80lone"])
def test_string_result(text):
    variant = Setup.Variant(SetupHost.new_qvariant_text(text))
    result = variant.toString()
    assert type(result) is str
    assert result == text


def test_string_result_cut_at_nul():
    assert Setup.Variant(SetupHost.new_qvariant_text("ab\x00cd")).toString() == "ab"
    assert Setup.Variant(SetupHost.new_qvariant_text("é\x00cd")).toString() == "é"


def test_string_list_result_is_a_new_list_each_time():
    variant = Setup.Variant(SetupHost.new_stringlistp(["a", "é", "😀", ""]))
    first, second = variant.toStringList(), variant.toStringList()
    assert first == ["a", "é", "😀", ""] and first is not second


def test_byte_string_result_round_trips_bytes():
    assert SetupHost.charp_value(b"\xc3\xa9\x80") == "é\udc80"


class Named:
    """A path-like object of a script's own."""

    def __init__(self, path):
        self.path = path

    def __fspath__(self):
        return self.path


class Unreadable:
    def __fspath__(self):
        raise OSError("no path")


@pytest.mark.parametrize("given, text", [
    (pathlib.PurePosixPath("studies/a.json"), "studies/a.json"),
    (Named("é.json"), "é.json"),
    (Named(b"b\xc3\xa9.json"), "bé.json"),
])
def test_a_path_is_a_text_of_every_kind(given, text):
    # QString
    assert SetupHost.describe(SetupHost.new_scenario(given)) == f'<Analysis "{text}">'
    # char const *, held for the call
    assert SetupHost.charp_value(given) == text
    # std::wstring
    assert SetupHost.wstring_value(given) == text
    # and a text when an overload is chosen: the text form of Variant
    variant = Setup.Variant(given)
    assert SetupHost.journal()[-1] == f'Variant::Variant("{text}")' and variant.toString() == text


def test_a_path_that_cannot_be_had_is_refused_as_any_bad_text():
    assert raises_text(RuntimeError, SetupHost.new_scenario, Unreadable()) == "Bad string input to call"
    with pytest.raises(TypeError):
        SetupHost.charp_value(Unreadable())
    with pytest.raises(TypeError):
        SetupHost.wstring_value(Named(5))
