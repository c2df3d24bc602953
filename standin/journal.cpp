#include "journal.h"

#include <Clt/Vector.h>
#include <script/Object.h>

#include <QtCore/QObject>
#include <QtCore/QVariant>
#include "control.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace standin {

namespace {
std::vector<std::string> g_entries;
bool g_enabled = true;

void appendJsonEscaped(std::string &out, const char *data, size_t size) {
    out += '"';
    for (size_t i = 0; i < size; ++i) {
        unsigned char c = static_cast<unsigned char>(data[i]);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

std::string hostClassName(const QObject *object) {
    const char *mangled = typeid(*object).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}
}  // namespace

const char *const kNullNameProperty = "standin.nullName";

std::string reprDouble(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // Shortest round-trip digits, laid out as Python's repr does: positional
    // for decimal exponents from -4 to 15, scientific otherwise.
    char sci[64];
    auto res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
    std::string s(sci, res.ptr);
    bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    size_t e = s.find('e');
    int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.') digits += s[i];
    std::string out = negative ? "-" : "";
    if (exponent >= -4 && exponent < 16) {
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            size_t intLen = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= intLen) {
                out += digits;
                out.append(intLen - digits.size(), '0');
                out += ".0";
            } else {
                out += digits.substr(0, intLen);
                out += '.';
                out += digits.substr(intLen);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        char exp[16];
        std::snprintf(exp, sizeof exp, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += exp;
    }
    return out;
}

std::string quoted(const QString &text) {
    if (text.isNull()) return "null";
    QByteArray utf8 = text.toUtf8();
    std::string out;
    appendJsonEscaped(out, utf8.constData(), static_cast<size_t>(utf8.size()));
    return out;
}

Call::Call(const char *hostClass, const char *operation) : m_text(g_enabled ? &m_buffer : nullptr) {
    if (!m_text) return;
    m_buffer.reserve(64);
    m_text->append(hostClass).append("::").append(operation).append("(");
}

Call::~Call() {
    if (!m_text) return;
    m_text->push_back(')');
    m_text->append(m_failure);
    g_entries.push_back(std::move(m_buffer));
}

void Call::separate() {
    if (!m_first) m_text->append(", ");
    m_first = false;
}

Call &Call::failed(const QString &why) {
    if (m_text) m_failure = " failed: " + quoted(why);
    return *this;
}

Quiet::Quiet() : m_was(g_enabled) { g_enabled = false; }
Quiet::~Quiet() { g_enabled = m_was; }

Call &Call::arg(int value) {
    if (!m_text) return *this;
    separate();
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    m_text->append(buf, res.ptr);
    return *this;
}

Call &Call::arg(bool value) {
    if (!m_text) return *this;
    separate();
    m_text->append(value ? "true" : "false");
    return *this;
}

Call &Call::arg(double value) {
    if (!m_text) return *this;
    separate();
    m_text->append(reprDouble(value));
    return *this;
}

Call &Call::arg(const QString &text) {
    if (!m_text) return *this;
    separate();
    m_text->append(quoted(text));
    return *this;
}

Call &Call::arg(const char *text) {
    if (!m_text) return *this;
    separate();
    if (!text)
        m_text->append("null");
    else
        appendJsonEscaped(*m_text, text, std::strlen(text));
    return *this;
}

Call &Call::arg(const QStringList &texts) {
    if (!m_text) return *this;
    separate();
    m_text->push_back('[');
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i) m_text->append(", ");
        m_text->append(quoted(texts.at(i)));
    }
    m_text->push_back(']');
    return *this;
}

Call &Call::arg(const Clt::Vector &vector) {
    if (!m_text) return *this;
    separate();
    m_text->append("(").append(reprDouble(vector.x)).append(", ").append(reprDouble(vector.y))
        .append(", ").append(reprDouble(vector.z)).append(")");
    return *this;
}

Call &Call::arg(const QObject *object) {
    if (!m_text) return *this;
    separate();
    if (!object) {
        m_text->append("null");
        return *this;
    }
    m_text->append(describe(object));
    return *this;
}

Call &Call::arg(const bool *flag) {
    if (!m_text) return *this;
    separate();
    m_text->append(flag ? "<bool*>" : "null");
    return *this;
}

Call &Call::arg(const double *value) {
    if (!m_text) return *this;
    separate();
    m_text->append(value ? "<double*>" : "null");
    return *this;
}

std::string describe(const QObject *object) {
    QString name = object->objectName();
    bool nullName = object->property(kNullNameProperty).toBool();
    return "<" + hostClassName(object) + " " + (nullName ? "null" : quoted(name.isNull() ? QStringLiteral("") : name)) + ">";
}

bool journalEnabled() { return g_enabled; }
void setJournalEnabled(bool on) { g_enabled = on; }
const std::vector<std::string> &journalEntries() { return g_entries; }
void clearJournal() { g_entries.clear(); }

}  // namespace standin
