// The one text conversion that the hand-written, nanobind and pybind11 peers
// share, so that the benchmark compares what each binding adds around it.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <QtCore/QString>

namespace bench {

// A str as a QString, read from the string's own storage.
inline bool textFromPython(PyObject *obj, QString *out) {
    if (!PyUnicode_Check(obj))
        return false;
    const Py_ssize_t length = PyUnicode_GET_LENGTH(obj);
    switch (PyUnicode_KIND(obj)) {
    case PyUnicode_1BYTE_KIND:
        *out = QString::fromLatin1(reinterpret_cast<const char *>(PyUnicode_1BYTE_DATA(obj)), length);
        return true;
    case PyUnicode_2BYTE_KIND:
        *out = QString(reinterpret_cast<const QChar *>(PyUnicode_2BYTE_DATA(obj)), length);
        return true;
    default:
        *out = QString::fromUcs4(reinterpret_cast<const char32_t *>(PyUnicode_4BYTE_DATA(obj)), length);
        return true;
    }
}

// A QString as a str; surrogate pairs become one character.
inline PyObject *textToPython(const QString &text) {
    const char16_t *units = reinterpret_cast<const char16_t *>(text.utf16());
    const Py_ssize_t size = text.size();
    for (Py_ssize_t i = 0; i < size; ++i) {
        if (units[i] >= 0xd800 && units[i] < 0xe000) {
            int byteorder = -1;
            return PyUnicode_DecodeUTF16(reinterpret_cast<const char *>(units), size * 2, "surrogatepass", &byteorder);
        }
    }
    return PyUnicode_FromKindAndData(PyUnicode_2BYTE_KIND, units, size);
}

}  // namespace bench
