#!/usr/bin/env python3
"""Generates what help(), inspect and type checkers know of the proxy modules,
from the declarations of their interface files as SWIG reads them.

    signatures.py SOURCE_DIR OUT_DIR MODULE.xml...

Each MODULE.xml is SWIG's XML of one module's interface (swig -c++ -python
-doxygen -xmlout MODULE.xml, run apart from the wrapper's own run so that the
/// comments reach the XML and never the flat module). For each module this
writes OUT_DIR/MODULE-stubs/__init__.pyi, its stubs, and for a module with
proxy classes OUT_DIR/_MODULE_signatures.py, which the proxy module reads as it
registers each class: the one-line docs written beside the declarations and
the parameters, defaults and types of each method and constructor, a set of
overloads as one signature that lists its forms in its doc. SOURCE_DIR tells
the interface's own typemaps from SWIG's library.
"""
import ast
import keyword
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

TEXT = "str | bytes | os.PathLike[str] | None"
# What a Variant result gives: the variant's own Python value.
VALUE = "int | float | str | list[str] | None"
ANY = "typing.Any"

INTEGERS = {"int", "long", "short", "long long", "unsigned int", "unsigned long", "unsigned short",
            "unsigned long long", "size_t", "ptrdiff_t", "signed char", "unsigned char", "int8_t", "int16_t",
            "int32_t", "int64_t", "uint8_t", "uint16_t", "uint32_t", "uint64_t"}
FLOATS = {"double", "float"}
# Texts cross by the string rules of frame/strings.i: any of these is taken
# from a str, bytes, a path or None, and given back as a str.
TEXTS = {"QString", "std::string", "std::wstring"}
CHARACTERS = {"char", "wchar_t"}
# What the rules below convert by name; another result type that the
# interface converts by a typemap of its own comes out as a bare pointer object.
VOCABULARY = INTEGERS | FLOATS | TEXTS | CHARACTERS | {
    "bool", "void", "QStringList", "PyObject", "PySliceObject", "script::Variant", "Setup_list::Place",
    "Setup_list::Handover"}

# The bases of the exception classes that the frame makes in C, where no
# declaration shows them: the pythoncode that publishes one names it (the
# stubs' test holds these to the classes themselves).
RUNTIME_CLASSES = {
    "OverloadError": "NotImplementedError, TypeError",
    "Refused": "RuntimeError",
}

# The data model's methods that a proxy class's own Python code defines
# (%pythoncode), with the types Python gives them; %s is the class.
DUNDERS = {
    "__eq__": ("(self, other: object)", "bool"),
    "__ne__": ("(self, other: object)", "bool"),
    "__hash__": ("(self)", "int"),
    "__contains__": ("(self, item: object)", "bool"),
    "__iter__": ("(self)", "%s"),
    "__len__": ("(self)", "int"),
    "__bool__": ("(self)", "bool"),
    "__repr__": ("(self)", "str"),
}


# --- SWIG's type strings -----------------------------------------------------

def split_type(text):
    """SWIG's encoded type ("r.q(const).QString") as its prefix tokens
    (["r.", "q(const)."]) and its base ("QString")."""
    tokens = []
    while text:
        if text[:2] in ("p.", "r.", "z."):
            tokens.append(text[:2])
            text = text[2:]
        elif text[:2] in ("q(", "a(", "m(", "f("):
            depth, end = 0, 1
            for end, character in enumerate(text[1:], 1):
                depth += character == "("
                depth -= character == ")"
                if depth == 0:
                    break
            if text[end + 1:end + 2] != ".":
                break
            tokens.append(text[:end + 2])
            text = text[end + 2:]
        else:
            break
    return tokens, text


def template_arguments(base):
    """The arguments of a template name written as SWIG does ("X<(a,b)>")."""
    inner = base[base.index("<(") + 2:base.rindex(")>")]
    arguments, depth, start = [], 0, 0
    for at, character in enumerate(inner):
        depth += character in "(<"
        depth -= character in ")>"
        if character == "," and depth == 0:
            arguments.append(inner[start:at])
            start = at + 1
    arguments.append(inner[start:])
    return arguments


def plain_template(base):
    """A vector named without its default allocator, as its class is."""
    if base.startswith("std::vector<(") and base.endswith(")>"):
        return "std::vector<(%s)>" % template_arguments(base)[0]
    return base


def result_tokens(decl):
    """The prefix tokens of a function's result, from its decl."""
    tokens, _ = split_type(decl)
    for index, token in enumerate(tokens):
        if token.startswith("f("):
            return tokens[index + 1:]
    return tokens


def doc_text(raw):
    """A /// comment's text as one paragraph."""
    if not raw:
        return ""
    lines = [line.strip().lstrip("*/!<").strip() for line in raw.strip().splitlines()]
    return " ".join(line for line in lines if line)


# --- Reading a module's XML --------------------------------------------------

class Form:
    """One form of a function: its parameters (name, C++ type), the defaults
    written for them, its result and its doc."""

    def __init__(self, node, attributes):
        self.name = attributes.get("sym_name")
        self.doc = doc_text(attributes.get("doxygen"))
        self.result = (attributes.get("type"), attributes.get("decl", ""))
        self.newobject = attributes.get("feature_new") == "1"
        self.parameters = []
        parmlist = node.find("attributelist/parmlist")
        for parm in parmlist if parmlist is not None else ():
            values = {a.get("name"): a.get("value") for a in parm.iter("attribute")}
            self.parameters.append((python_name(values.get("name")) or "arg%d" % len(self.parameters),
                                    values.get("type", ""), values.get("value")))


def python_name(name):
    """A C++ parameter name that Python reserves (from, lambda, ...) takes a trailing underscore."""
    return name + "_" if name and keyword.iskeyword(name) else name


class Class:
    def __init__(self, attributes, scope):
        self.name = attributes["sym_name"]
        self.cname = attributes["name"]
        self.scope = scope
        self.doc = doc_text(attributes.get("doxygen"))
        self.bases = []
        self.element = None  # a list's element type
        self.constructors = []
        self.methods = {}  # name -> [Form]
        self.statics = set()
        self.fields = {}  # name -> (C++ type, writable, doc)
        self.constants = {}  # name -> value
        self.code = []  # the class's own Python code


class Module:
    def __init__(self, path, source_dir):
        self.source_dir = os.path.realpath(source_dir)
        root = ElementTree.parse(path).getroot()
        self.name = attributes_of(root)["name"]
        self.classes = {}  # C++ name -> Class, in declaration order
        self.functions = {}  # name -> [Form]
        self.constants = {}  # module-level name -> value
        self.typedefs = {}
        self.enums = set()
        self.code = []  # module-level Python code, in order
        self.begin = []
        self.skipped = set()  # (type, name) of parameters that take no argument
        self.any_list = set()  # (type, name) of list parameters that take any sequence of elements
        self.custom_in = set()  # (type, name) of parameters that a typemap of their own converts
        self.custom_out = set()  # (type, name) of results that a typemap of their own makes
        self.converted_out = set()  # result types that the interface converts by typemaps of its own
        self.imports = []
        self._walk(root, [], None, "")

    def _ours(self, path):
        return os.path.realpath(path).startswith(self.source_dir + os.sep)

    def _walk(self, node, scope, cls, path):
        for child in node:
            tag = child.tag
            if tag in ("attributelist", "template"):
                continue
            attributes = attributes_of(child)
            if tag == "include":
                self._walk(child, scope, cls, attributes.get("name", path))
            elif tag == "namespace":
                self._walk(child, scope + [attributes.get("name", "")], cls, path)
            elif tag == "class" and "sym_name" in attributes:
                self._class(child, attributes, scope, path)
            elif tag == "extend":
                self._walk(child, scope, cls, path)
            elif tag == "enum":
                self.enums.add(attributes.get("enumtype") or attributes.get("name"))
                value = -1
                for item in child.findall("enumitem"):
                    value = self._constant(attributes_of(item), cls, value + 1 if value is not None else None)
            elif tag == "cdecl":
                self._cdecl(child, attributes, scope, cls)
            elif tag == "constructor" and cls is not None and "wrap_name" in attributes:
                if "defaultargs" not in attributes:
                    cls.constructors.append(Form(child, attributes))
            elif tag == "insert" and attributes.get("section") in ("python", "pythonbegin"):
                target = cls.code if cls is not None else (
                    self.code if attributes["section"] == "python" else self.begin)
                target.append(attributes.get("code", ""))
            elif tag in ("typemap", "apply") and self._ours(path):
                self._typemap(child, attributes)

    def _class(self, node, attributes, scope, path):
        cls = Class(attributes, scope)
        for base in node.findall("attributelist/baselist/base"):
            cls.bases.append(base.get("name"))
        parms = node.find("attributelist/templateparms")
        if parms is not None and len(parms):
            cls.element = {a.get("name"): a.get("value") for a in parms[0].iter("attribute")}.get("type")
        self.classes[cls.cname] = cls
        self._walk(node, scope, cls, path)

    def _constant(self, attributes, cls, following):
        """Records an enumerator, given the value that follows the one
        before; returns its value (None where it is an expression)."""
        value = attributes.get("enumvalue")
        if value is None:
            value = following
        else:
            try:
                value = int(value, 0)
            except ValueError:
                value = None
        name = attributes["sym_name"]
        if cls is not None:
            cls.constants[name] = value
            self.constants["%s_%s" % (cls.name, name)] = value
        else:
            self.constants[name] = value
        return value

    def _cdecl(self, node, attributes, scope, cls):
        kind = attributes.get("kind")
        if kind == "typedef":
            name = attributes["name"]
            if "::" not in name:  # SWIG names a namespace's typedefs in full, a class's not
                name = "::".join(([cls.cname] if cls is not None else scope) + [name])
            self.typedefs[name] = attributes.get("decl", "") + attributes.get("type", "")
        elif "wrap_name" not in attributes or "defaultargs" in attributes:
            return
        elif kind == "function":
            form = Form(node, attributes)
            if cls is None:
                self.functions.setdefault(form.name, []).append(form)
            else:
                cls.methods.setdefault(form.name, []).append(form)
                if attributes.get("storage") == "static":
                    cls.statics.add(form.name)
        elif kind == "variable" and cls is not None:
            writable = attributes.get("feature_immutable") != "1"
            cls.fields[attributes["sym_name"]] = (attributes.get("decl", "") + attributes.get("type", ""), writable,
                                                  doc_text(attributes.get("doxygen")))

    def _typemap(self, node, attributes):
        """What the interface's own typemaps say of the Python side: a
        parameter that takes no argument, a list parameter that takes any
        sequence, and parameters and results converted by a typemap written
        for them by name."""
        patterns = []
        for item in node.iter("typemapitem"):
            pattern = item.find("attributelist/parmlist")  # the next parmlist holds the typemap's locals
            for parm in pattern.findall("parm") if pattern is not None else ():
                values = {a.get("name"): a.get("value") for a in parm.iter("attribute")}
                patterns.append((values.get("type"), values.get("name")))
        if node.tag == "apply":
            source = {a.get("name"): a.get("value") for a in node.find("attributelist/parmlist/parm").iter("attribute")}
            if split_type(source.get("type", ""))[1] == "Setup_AnyList":
                self.any_list.update(patterns)
            return
        method = attributes.get("method")
        kwargs = {}
        for item in node.iter("kwargs"):
            for sub in [item] + list(item.iter("kwargssitem")):
                values = {a.get("name"): a.get("value") for a in sub.findall("attributelist/attribute")}
                if "name" in values:
                    kwargs[values["name"]] = values.get("value")
        named = [pattern for pattern in patterns if pattern[1]]
        if method == "in" and kwargs.get("numinputs") == "0":
            self.skipped.update(named)
        elif method == "in":
            for pattern in named:
                if split_type(pattern[0])[1] == "Setup_AnyList":
                    self.any_list.add(pattern)
                else:
                    self.custom_in.add(pattern)
        elif method == "out":
            self.custom_out.update(named)
            self.converted_out.update(split_type(pattern[0])[1] for pattern in patterns if not pattern[1])


def attributes_of(node):
    found = node.find("attributelist")
    return {} if found is None else {a.get("name"): a.get("value") for a in found.findall("attribute")}


# --- C++ types as Python types -------------------------------------------------

class Types:
    """The Python side of the C++ types of one module, by the conversion
    rules of the frame (see the README's rules for texts, numbers, objects and
    lists); what no rule covers is a bare pointer object, typing.Any."""

    def __init__(self, module, others):
        self.module = module
        self.classes = {}  # C++ name -> (Python name as written in this module's stub, Class)
        self.enums = set(module.enums)
        self.typedefs = dict(module.typedefs)
        self.converted_out = set(module.converted_out)
        for other in others:
            if other.name in module.imports:
                for cname, cls in other.classes.items():
                    self.classes[cname] = ("%s.%s" % (other.name, cls.name), cls)
                self.enums |= other.enums
                self.converted_out |= other.converted_out
                for name, value in other.typedefs.items():
                    self.typedefs.setdefault(name, value)
        for cname, cls in module.classes.items():
            self.classes[cname] = (cls.name, cls)

    def resolve(self, text, cls=None):
        """The type with its typedefs replaced, as (prefix tokens, base)."""
        tokens, base = split_type(text)
        for _ in range(20):
            base = plain_template(base)
            candidates = [base]
            if cls is not None:
                candidates.insert(0, "%s::%s" % (cls.cname, base))
                candidates[1:1] = ["::".join(cls.scope[:n] + [base]) for n in range(len(cls.scope), 0, -1)]
            for candidate in candidates:
                if candidate in self.typedefs and self.typedefs[candidate] != base:
                    more, base = split_type(self.typedefs[candidate])
                    tokens = tokens + more
                    break
            else:
                break
        tokens = [token for token in tokens if not token.startswith("q(")]
        return tokens, base.replace("enum ", "")

    def find_class(self, base):
        if base in self.classes:
            return self.classes[base]
        for cname, found in self.classes.items():
            if cname.endswith("::" + base):
                return found
        return None

    def is_enum(self, base):
        return base in self.enums or any(enum.endswith("::" + base) for enum in self.enums)

    def element(self, cls, role):
        """A list's element, as an argument or as what reading it gives."""
        return self.convert(cls.element, role, None)

    def convert(self, text, role, cls, context=None):
        """The Python type of a C++ type as an argument ("arg"), a result
        ("result") or a list's element read back ("read")."""
        tokens, base = self.resolve(text, cls)
        pointer = tokens.count("p.")
        if base == "void" and not pointer:
            return "None"
        # A number or truth value that the host writes through a reference is
        # passed as a pointer object, as one it writes through a pointer is.
        if text.startswith("r.") and not text.startswith("r.q(const).") and not pointer and \
                base in INTEGERS | FLOATS | {"bool"}:
            return ANY
        if base == "Setup_list::Place" and cls is not None:
            return self.element(cls, "read")
        if base == "Setup_list::Handover":
            return self.classes.get("swig::SwigPyIterator", ("SwigPyIterator",))[0]
        if base in TEXTS and pointer == 0:
            return TEXT if role == "arg" else "str"
        if base in CHARACTERS and pointer == 1:
            return TEXT if role == "arg" else "str"
        if base == "QStringList" and role != "arg" and pointer == 0:
            return "list[str]"
        if base == "PySliceObject" and pointer == 1:
            return "slice"
        if base == "PyObject" and pointer == 1:
            return ANY
        if role != "arg" and pointer == 0 and base in self.converted_out and base not in VOCABULARY:
            return ANY
        if pointer == 0 and (base in INTEGERS or self.is_enum(base)):
            return "int"
        if pointer == 0 and base in FLOATS:
            return "float"
        if pointer == 0 and base == "bool":
            return "bool"
        found = self.find_class(base)
        if found is None or pointer > 1:
            return ANY
        name, target = found
        if base == "script::Variant" and role == "result" and pointer == 0 and "r." not in tokens:
            return VALUE
        if target.element is not None and role == "arg" and context in ("any-sequence", "any-iterable"):
            return "%s | typing.%s[%s]" % (name, "Iterable" if context == "any-iterable" else "Sequence",
                                           self.element(target, "arg"))
        if pointer == 1 and not (role == "result" and context == "made"):
            return name + " | None"
        return name


# --- What a function shows ------------------------------------------------------

def python_default(value, annotation):
    """A C++ default as the Python literal that stands for it."""
    if value is None:
        return None
    value = value.strip()
    if value in ("0", "NULL", "nullptr") and ("None" in annotation or annotation == ANY):
        return "None"
    if value in ("true", "false"):
        return repr(value == "true")
    if annotation == "bool":
        return repr(value not in ("0", "0.0"))
    if value.startswith('"') and value.endswith('"'):
        return repr(ast.literal_eval(value))
    try:
        number = ast.literal_eval(value.rstrip("fFlLuU") if not value.startswith("0x") else value)
    except (ValueError, SyntaxError):
        return "..."
    if annotation == "float":
        return repr(float(number))
    return repr(number)


class Signature:
    """One form as Python sees it: its parameters (name, type, default or
    None), its result and its doc."""

    def __init__(self, parameters, result, doc):
        self.parameters = parameters
        self.result = result
        self.doc = doc

    def text(self, first=None, positional=True):
        """The parameter list as a def writes it, after first (self) if given:
        positional-only, as the flat module takes its arguments."""
        parts = [first] if first else []
        for name, annotation, default in self.parameters:
            parts.append("%s: %s%s" % (name, annotation, " = %s" % default if default is not None else ""))
        if positional and self.parameters:
            parts.append("/")
        return "(%s)" % ", ".join(parts)


def signature_of(form, types, cls, constructor=False):
    parameters = []
    for name, ctype, default in form.parameters:
        key = (ctype, name)
        if key in types.module.skipped:
            continue
        if key in types.module.custom_in:
            annotation = ANY
        elif key in types.module.any_list:
            # The proxy's own initialiser makes a Python list of any iterable.
            annotation = types.convert(ctype, "arg", cls, "any-iterable" if constructor else "any-sequence")
        else:
            annotation = types.convert(ctype, "arg", cls)
        parameters.append((name, annotation, python_default(default, annotation)))
    text = "".join(result_tokens(form.result[1])) + (form.result[0] or "void")
    if constructor:
        result = "None"
    elif (text, form.name) in types.module.custom_out:
        result = ANY  # whatever the function's own typemap makes
    elif form.name == "__iter__" and cls is not None and cls.element is not None:
        result = "typing.Iterator[%s]" % types.element(cls, "read")  # a list's own iterator
    else:
        # A %newobject function makes what it returns: never a null pointer.
        result = types.convert(text, "result", cls, "made" if form.newobject else None)
    return Signature(parameters, result, form.doc)


def union(annotations):
    """The union of some types, each part once, None last as the rules write it."""
    seen = []
    for annotation in annotations:
        for part in split_union(annotation):
            if part not in seen:
                seen.append(part)
    for last in (ANY, "None"):
        if last in seen:
            seen.remove(last)
            seen.append(last)
    return " | ".join(seen)


def split_union(annotation):
    parts, depth, start = [], 0, 0
    for at, character in enumerate(annotation):
        depth += character == "["
        depth -= character == "]"
        if character == "|" and depth == 0:
            parts.append(annotation[start:at].strip())
            start = at + 1
    parts.append(annotation[start:].strip())
    return parts


def position_name(names, taken):
    """A parameter's name where the forms name it differently: the name most
    forms give it, else all of theirs joined; never one already taken."""
    distinct = list(dict.fromkeys(names))
    counts = sorted((names.count(name) for name in distinct), reverse=True)
    if len(distinct) == 1 or counts[0] > counts[1]:
        name = max(distinct, key=names.count)
    else:
        name = "_or_".join(distinct)
    while name in taken:
        name += "_"
    return name


def combined(signatures, title, constructor=False):
    """An overload set as one positional signature: per position the union of
    its types, a default where some form stops earlier (or the default that
    every form gives); its doc lists the forms."""
    if len(signatures) == 1:
        return signatures[0]
    width = max(len(s.parameters) for s in signatures)
    shortest = min(len(s.parameters) for s in signatures)
    parameters = []
    for position in range(width):
        present = [s.parameters[position] for s in signatures if len(s.parameters) > position]
        name = position_name([p[0] for p in present], {p[0] for p in parameters})
        defaults = {p[2] for p in present}
        default = None
        if position >= shortest or None not in defaults:
            default = defaults.pop() if len(defaults) == 1 and None not in defaults else "..."
        parameters.append((name, union(p[1] for p in present), default))
    return Signature(parameters, union(s.result for s in signatures), forms_doc(signatures, title, constructor))


def forms_doc(signatures, title, constructor=False):
    """The doc of a function of several forms: each form, with its own doc."""
    docs = [s.doc for s in signatures]
    shared = docs[0] if len(set(docs)) == 1 else ""
    lines = [shared + "\n" if shared else "", "Forms:" if shared else "One of %d forms:" % len(signatures)]
    for s in signatures:
        lines.append("  %s%s%s" % (title, s.text(positional=False), "" if constructor else " -> %s" % s.result))
        if s.doc and not shared:
            lines.append("      " + s.doc)
    return "\n".join(lines).strip("\n")


# --- The data module -------------------------------------------------------------

RUNTIME = '''
class _Omitted:
    """Stands for an argument that a shorter form of the call leaves out."""
    __slots__ = ()

    def __repr__(self):
        return "..."


OMITTED = _Omitted()
_namespaces = {}
_described = {}


class Declaration:
    """What a proxy method or initialiser wraps: its declaration in the
    interface files. inspect reaches it through the proxy's __wrapped__, and
    the signature is built from its strings when first read."""
    __slots__ = ("_parameters", "_returns", "_module", "_receiver", "_keywords", "_signature")

    def __init__(self, parameters, returns, module, receiver, keywords):
        self._parameters = parameters
        self._returns = returns
        self._module = module
        self._receiver = receiver
        self._keywords = keywords
        self._signature = None

    @property
    def __signature__(self):
        if self._signature is None:
            import inspect
            kind = inspect.Parameter.POSITIONAL_OR_KEYWORD if self._keywords else inspect.Parameter.POSITIONAL_ONLY
            names = _namespace(self._module)
            parameters = [inspect.Parameter("self", kind)] if self._receiver else []
            for name, annotation, default in self._parameters:
                default = inspect.Parameter.empty if default is None else \\
                    OMITTED if default == "..." else eval(default, names)
                parameters.append(inspect.Parameter(name, kind, default=default, annotation=eval(annotation, names)))
            self._signature = inspect.Signature(parameters, return_annotation=eval(self._returns, names))
        return self._signature


def _namespace(module):
    """Where the types of the signatures are read: the proxy module's names."""
    names = _namespaces.get(module["__name__"])
    if names is None:
        names = _namespaces[module["__name__"]] = dict(module, os=os, typing=typing)
    return names


def describe(cls, module):
    """Gives a proxy class, as it is registered, and its methods, fields and
    initialiser their docs, names and declarations; module is the proxy
    module's namespace, where the signatures' types are read."""
    entry = CLASSES.get(cls.__name__)
    if entry is None or cls.__module__ != module.get("__name__"):
        return
    doc, members = entry
    if doc:
        cls.__doc__ = doc
    own = vars(cls)
    # A class is registered again remade with slots, holding the same members.
    held = tuple(id(own.get(name)) for name in members)
    if _described.get(cls.__qualname__) == held:
        return
    _described[cls.__qualname__] = held
    for name, (doc, parameters, returns) in members.items():
        value = own.get(name)
        if value is None:
            continue
        if isinstance(value, property):
            value.__doc__ = doc
            continue
        static = isinstance(value, staticmethod)
        target = value.__func__ if static else value
        if isinstance(target, types.FunctionType):
            code = target.__code__
            keywords = not code.co_posonlyargcount and \\
                code.co_varnames[1:code.co_argcount] == tuple(p[0] for p in parameters)
        else:
            keywords = False
            for holder in (target, value) if static else (target,):
                holder.__name__ = name
                holder.__qualname__ = "%s.%s" % (cls.__qualname__, name)
                holder.__module__ = cls.__module__
        target.__doc__ = doc
        if static:
            value.__doc__ = doc
        target.__wrapped__ = Declaration(parameters, returns, module, not static, keywords)
'''


def data_module(module, types, missing):
    classes = {}
    for cls in module.classes.values():
        members = {}
        constructors = [signature_of(form, types, cls, constructor=True) for form in cls.constructors]
        if constructors:
            if not all(made.doc for made in constructors):
                missing.append("%s.%s()" % (module.name, cls.name))
            members["__init__"] = combined(constructors, cls.name, constructor=True)
        for name, forms in cls.methods.items():
            made = [signature_of(form, types, cls) for form in forms]
            if not any(s.doc for s in made):
                missing.append("%s.%s.%s" % (module.name, cls.name, name))
            members[name] = combined(made, name)
        entries = {}
        for name, s in members.items():
            entries[name] = (s.doc, tuple(s.parameters), s.result)
        for name, (ctype, writable, doc) in cls.fields.items():
            if not doc:
                missing.append("%s.%s.%s" % (module.name, cls.name, name))
            entries[name] = (doc, (), types.convert(ctype, "result", cls))
        if not cls.doc:
            missing.append("%s.%s" % (module.name, cls.name))
        doc = cls.doc
        if constructors:
            # A class's doc tells how it is made, as the interpreter's own
            # classes do: pydoc reads no doc of an initialiser of SWIG's.
            made = forms_doc(constructors, cls.name, constructor=True) if len(constructors) > 1 else \
                "%s%s\n    %s" % (cls.name, constructors[0].text(positional=False), constructors[0].doc)
            doc = "\n\n".join(part for part in (doc, made) if part)
        classes[cls.name] = (doc, entries)
    lines = ['"""Docs and signatures of the proxies of %s, for help() and inspect: the one-line' % module.name,
             "docs written beside its declarations, and their parameters, defaults and types.",
             'Generated by tools/signatures.py from the interface files; every edit is lost."""',
             "import os", "import types", "import typing", "", "CLASSES = {"]
    for name, (doc, entries) in classes.items():
        lines.append("    %r: (%r, {" % (name, doc))
        for member, entry in entries.items():
            lines.append("        %r: %r," % (member, entry))
        lines.append("    }),")
    lines.append("}")
    return "\n".join(lines) + "\n" + RUNTIME


# --- The stubs -------------------------------------------------------------------

BUILTIN_NAMES = {"int", "float", "str", "bytes", "bool", "list", "slice", "object", "type", "property"}


def qualify(annotation, shadowed):
    """Builtin names that a class's own members hide, written as builtins.NAME."""
    for name in shadowed & BUILTIN_NAMES:
        annotation = re.sub(r"(?<![\w.])%s\b" % name, "builtins." + name, annotation)
    return annotation


def specificity(signature):
    """Orders overloads for a type checker: narrower parameter types first
    (bool before int before float), forms taking anything last."""
    rank = {"bool": 0, "int": 1, "float": 2}
    return [3 if ANY in p[1] else rank.get(p[1], 0) for p in signature.parameters]


def docstring(text, indent):
    if not text:
        return " ..."
    text = text.replace("\\", "\\\\").replace('"""', '\\"\\"\\"')
    if "\n" not in text and len(text) + indent + 10 < 110:
        return '\n%s"""%s"""' % (" " * indent, text)
    body = "\n".join((" " * indent + line).rstrip() for line in text.splitlines())
    return '\n%s"""\n%s\n%s"""' % (" " * indent, body, " " * indent)


def python_defs(code, owner, shadowed):
    """The stub lines of what a %pythoncode block defines."""
    lines = []
    try:
        tree = ast.parse(code.strip("\n") if owner is None else "class _:\n" + code.strip("\n"))
    except SyntaxError:
        return lines
    body = tree.body if owner is None else tree.body[0].body
    indent = "" if owner is None else "    "
    for statement in body:
        if isinstance(statement, ast.FunctionDef) and (not statement.name.startswith("_") or
                                                       statement.name.startswith("__")):
            if owner is not None and statement.name in DUNDERS:
                arguments, result = DUNDERS[statement.name]
                result = result % owner if "%s" in result else result
                lines.append("%sdef %s%s -> %s:%s" % (indent, statement.name, arguments, qualify(result, shadowed),
                                                      docstring(ast.get_docstring(statement), len(indent) + 4)))
                continue
            lines.append("%sdef %s(%s) -> %s:%s" % (indent, statement.name, arguments_of(statement.args, owner),
                                                     annotation_of(statement.returns),
                                                     docstring(ast.get_docstring(statement), len(indent) + 4)))
        elif isinstance(statement, ast.Assign):
            for target in statement.targets:
                if not isinstance(target, ast.Name) or (target.id.startswith("_") and not target.id.startswith("__")):
                    continue
                if target.id == "__hash__" and isinstance(statement.value, ast.Constant) and statement.value.value is None:
                    lines.append("%s__hash__: typing.ClassVar[None]  # type: ignore[assignment]" % indent)
                elif target.id in RUNTIME_CLASSES:
                    lines.append("%sclass %s(%s): ..." % (indent, target.id, RUNTIME_CLASSES[target.id]))
                elif not target.id.startswith("__"):
                    lines.append("%s%s: typing.Any" % (indent, target.id))
    return lines


def python_defs_names(codes):
    names = set()
    for code in codes:
        try:
            body = ast.parse(code.strip("\n")).body
        except SyntaxError:
            continue
        names.update(statement.name for statement in body if isinstance(statement, ast.FunctionDef))
    return names


def annotation_of(node):
    return ANY if node is None else ast.unparse(node)


def arguments_of(arguments, owner):
    parts = []
    positional = arguments.posonlyargs + arguments.args
    defaults = [None] * (len(positional) - len(arguments.defaults)) + list(arguments.defaults)
    for index, (argument, default) in enumerate(zip(positional, defaults)):
        if index == 0 and owner is not None:
            parts.append(argument.arg)
            continue
        annotation = annotation_of(argument.annotation) if argument.annotation else (
            type(default.value).__name__ if isinstance(default, ast.Constant) and default.value is not None else ANY)
        parts.append("%s: %s%s" % (argument.arg, annotation,
                                   " = %s" % ast.unparse(default) if default is not None else ""))
        if arguments.posonlyargs and argument is arguments.posonlyargs[-1]:
            parts.append("/")
    if arguments.vararg:
        parts.append("*%s: typing.Any" % arguments.vararg.arg)
    if arguments.kwarg:
        parts.append("**%s: typing.Any" % arguments.kwarg.arg)
    return ", ".join(parts)


def stub_module(module, types):
    lines = ["# Generated by tools/signatures.py from the interface files of %s; every edit is lost." % module.name,
             "import builtins", "import os", "import typing"]
    for name in module.imports:
        lines.append("import %s" % name)
    lines += ["", "# A text argument, by the string rules: str, UTF-8 bytes, a path, or None (the null string).",
              "_Text: typing.TypeAlias = %s" % TEXT,
              "# What a Variant result gives: the variant's own value.",
              "_Value: typing.TypeAlias = %s" % VALUE, ""]
    for name, value in module.constants.items():
        lines.append("%s: typing.Final%s" % (name, " = %d" % value if value is not None else "[int]"))
    for cls in module.classes.values():
        lines += [""] + stub_class(cls, module, types)
    defined = python_defs_names(module.code)  # the proxy module's own Python replaces a flat function
    for name, forms in module.functions.items():
        if name not in defined:
            made = [signature_of(form, types, None) for form in forms]
            lines += [""] + stub_function(name, made, "", None, set())
    for code in module.code:
        lines += [""] + python_defs(code, None, set())
    return "\n".join(lines) + "\n"


def alias(annotation):
    """A type as the stubs write it: the text and value unions by their names."""
    return {TEXT: "_Text", VALUE: "_Value"}.get(annotation, annotation)


def stub_function(name, signatures, indent, first, shadowed, decorator=None, keywords=False, ignore=""):
    """The stub of a function, one def per form (overloads); ignore names the
    type checker's findings that the C++ declarations make on purpose."""
    lines = []
    if len(signatures) > 1:
        # Forms that a type checker cannot tell apart (pointer objects of
        # different C++ types) are one form to it.
        distinct = {}
        for signature in signatures:
            distinct.setdefault(tuple(p[1] for p in signature.parameters), signature)
        signatures = sorted(distinct.values(), key=specificity)
    for signature in signatures:
        if len(signatures) > 1:
            lines.append(indent + "@typing.overload")
        if decorator:
            lines.append(indent + decorator)
        parameters = [(n, qualify(alias(a), shadowed), d) for n, a, d in signature.parameters]
        text = Signature(parameters, signature.result, "").text(first, positional=not keywords)
        if not ignore and name in ("__eq__", "__ne__") and "object" not in text:
            ignore = "override"  # a comparison of proxies takes only its own kind, where object's takes anything
        if ignore:
            ignore = "  # type: ignore[%s]" % ignore
        body = docstring(signature.doc, len(indent) + 4)
        body = body + ignore if body == " ..." else ignore + body
        lines.append("%sdef %s%s -> %s:%s" % (indent, name, text, qualify(alias(signature.result), shadowed), body))
    return lines


def deliberate(cls, name, signatures, types):
    """What a type checker finds in a method that the C++ declarations mean:
    a class's method that hides a base class's of another signature (C++
    hides by name), or an in-place operator that differs from its plain one."""
    if len(signatures) != 1:
        return ""
    signature = signatures[0]
    if name.startswith("__i") and "__%s" % name[3:] in cls.methods:
        plain = [signature_of(form, types, cls) for form in cls.methods["__%s" % name[3:]]]
        if len(plain) != 1 or (plain[0].result, [p[1] for p in plain[0].parameters]) != \
                (signature.result, [p[1] for p in signature.parameters]):
            return "misc"
    for base in ancestors(cls, types):
        if name in base.methods:
            # A base's set of forms is hidden whole: each form must still be taken.
            inherited = [signature_of(form, types, base) for form in base.methods[name]]
            return "" if all(accepts(signature, form) for form in inherited) else "override"
    return ""


def ancestors(cls, types):
    for base in cls.bases:
        found = types.find_class(base)
        if found is not None:
            yield found[1]
            yield from ancestors(found[1], types)


def accepts(signature, inherited):
    """Whether a method can stand where the inherited one is called: it takes
    every call the inherited one takes, and gives what it gives."""
    mine, theirs = signature.parameters, inherited.parameters
    required = sum(1 for p in mine if p[2] is None)
    if len(mine) < len(theirs) or required > sum(1 for p in theirs if p[2] is None):
        return False
    if any(set(split_union(t[1])) - set(split_union(m[1])) and ANY not in m[1] for m, t in zip(mine, theirs)):
        return False
    return not set(split_union(signature.result)) - set(split_union(inherited.result)) or ANY in inherited.result


def stub_class(cls, module, types):
    bases = []
    for base in cls.bases:
        found = types.find_class(base)
        bases.append(found[0] if found else "object")
    lines = ["class %s%s:%s" % (cls.name, "(%s)" % ", ".join(bases) if bases else "",
                                docstring(cls.doc, 4) if cls.doc else "")]
    members = set(cls.methods) | set(cls.fields) | set(cls.constants)
    indent = "    "
    if not bases:
        lines.append(indent + "this: typing.Any")
    lines.append(indent + "thisown: bool")
    for name, value in cls.constants.items():
        lines.append("%s%s: typing.Final%s" % (indent, name, " = %d" % value if value is not None else "[int]"))
    for name, (ctype, writable, doc) in cls.fields.items():
        annotation = qualify(alias(types.convert(ctype, "result", cls)), members)
        if writable:
            lines.append("%s%s: %s" % (indent, name, annotation))
        else:
            lines += [indent + "@builtins.property",
                      "%sdef %s(self) -> %s:%s" % (indent, name, annotation, docstring(doc, 8))]
    if cls.constructors:
        made = [signature_of(form, types, cls, constructor=True) for form in cls.constructors]
        # SWIG names the parameters of an initialiser of one form, which then takes keywords.
        lines += stub_function("__init__", made, indent, "self", members, keywords=len(made) == 1)
    else:
        lines.append("%sdef __init__(self, no_constructor: typing.Never, /) -> None:%s" % (
            indent, docstring("No constructor: the application makes %s objects." % cls.name, 8)))
    for name, forms in cls.methods.items():
        made = [signature_of(form, types, cls) for form in forms]
        static = name in cls.statics
        lines += stub_function(name, made, indent, None if static else "self", members,
                               "@staticmethod" if static else None, ignore=deliberate(cls, name, made, types))
    for code in cls.code:
        lines += python_defs(code, cls.name, members)
    return lines


# --- Main ------------------------------------------------------------------------------

def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    source_dir, out_dir, paths = argv[0], argv[1], argv[2:]
    modules = [Module(path, source_dir) for path in paths]
    for module in modules:
        for code in module.begin + module.code:
            try:
                tree = ast.parse(code.strip("\n"))
            except SyntaxError:
                continue
            for statement in tree.body:
                if isinstance(statement, ast.Import):
                    module.imports += [alias.name for alias in statement.names
                                       if any(alias.name == other.name for other in modules)]
    missing = []
    for module in modules:
        types = Types(module, modules)
        stubs = os.path.join(out_dir, "%s-stubs" % module.name)
        os.makedirs(stubs, exist_ok=True)
        write(os.path.join(stubs, "__init__.pyi"), stub_module(module, types))
        if module.classes:
            write(os.path.join(out_dir, "_%s_signatures.py" % module.name), data_module(module, types, missing))
    for name in missing:
        sys.stderr.write("signatures.py: no /// doc for %s\n" % name)
    return 0


def write(path, text):
    with open(path + ".new", "w", encoding="utf-8") as made:
        made.write(text)
    os.replace(path + ".new", path)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
