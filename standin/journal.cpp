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

namespace detail {
bool journalOn = true;
int depth = 0;
bool refusalPending = false;
}

namespace {
// The entries, one after the other, and where each ends; the top bit of an
// end marks an entry whose operation only Reads.
std::string g_text;
std::vector<size_t> g_ends;
constexpr size_t kReadsBit = ~(~size_t(0) >> 1);

std::vector<std::string> g_refusals;
bool g_strict = false;
std::string g_pendingReason;

// A refusal of an operation that the script asked for: strict mode holds the
// first one of the call for the host-control module to raise.
void hold(const QString &why) {
    if (!g_strict || detail::refusalPending) return;
    detail::refusalPending = true;
    g_pendingReason = why.toStdString();
}

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

// A double as Python's repr writes it, into out (at least 32 bytes); returns
// the length. Shortest round-trip digits, positional for decimal exponents
// from -4 to 15, scientific otherwise.
size_t writeDouble(char *out, double value) {
    if (std::isnan(value)) return std::memcpy(out, "nan", 3), 3;
    if (std::isinf(value)) return value < 0 ? (std::memcpy(out, "-inf", 4), 4) : (std::memcpy(out, "inf", 3), 3);
    // Whole numbers below 1e16, the most common in scripts, are written
    // positionally by Python: their digits and ".0".
    if (value > -1e16 && value < 1e16 && value == static_cast<double>(static_cast<long long>(value))) {
        char digits[24];
        char *o = out;
        unsigned long long whole = static_cast<unsigned long long>(std::signbit(value) ? -value : value);
        size_t count = 0;
        do {
            digits[count++] = static_cast<char>('0' + whole % 10);
            whole /= 10;
        } while (whole);
        if (std::signbit(value)) *o++ = '-';
        while (count) *o++ = digits[--count];
        *o++ = '.';
        *o++ = '0';
        return static_cast<size_t>(o - out);
    }
    // A number with few decimals, 0.0001 or more: the fewest decimals that
    // give it back. With |value| * 10^k below 2^51 the number's rounding
    // interval is narrower than half a step of the k-th decimal, so at most
    // one candidate has k decimals, and dividing it back (correctly rounded,
    // as reading it would be) tells whether it is the number.
    {
        static const double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
        const double magnitude = std::fabs(value);
        if (magnitude >= 1e-4) {
            for (int k = 1; k < 13; ++k) {
                const double scaled = magnitude * kPowers[k];
                if (scaled >= 2251799813685248.0) break;  // 2^51
                // Nearest whole number; below 2^51 adding a half is exact.
                const double candidate = static_cast<double>(static_cast<long long>(scaled + 0.5));
                // A candidate that gives the number back is within a few units of
                // the last place of the product; only such a one is divided back.
                if (std::fabs(scaled - candidate) > scaled * 0x1p-50) continue;
                if (candidate / kPowers[k] != magnitude) continue;
                char digits[24];
                char *o = out;
                unsigned long long whole = static_cast<unsigned long long>(candidate);
                int count = 0;
                do {
                    digits[count++] = static_cast<char>('0' + whole % 10);
                    whole /= 10;
                } while (whole);
                while (count <= k) digits[count++] = '0';  // a leading zero before the point
                if (value < 0) *o++ = '-';
                while (count > k) *o++ = digits[--count];
                *o++ = '.';
                while (count) *o++ = digits[--count];
                return static_cast<size_t>(o - out);
            }
        }
    }
    char sci[32];
    *std::to_chars(sci, sci + sizeof sci - 1, value, std::chars_format::scientific).ptr = '\0';
    const char *p = sci;
    char *o = out;
    if (*p == '-') *o++ = *p++;
    char digits[24];
    size_t count = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.') digits[count++] = *p;
    int exponent = 0;
    const bool negativeExponent = p[1] == '-';
    for (const char *e = p + 2; *e; ++e) exponent = exponent * 10 + (*e - '0');
    if (negativeExponent) exponent = -exponent;
    if (exponent >= -4 && exponent < 16) {
        if (exponent < 0) {
            *o++ = '0';
            *o++ = '.';
            for (int i = 0; i < -exponent - 1; ++i) *o++ = '0';
            std::memcpy(o, digits, count);
            o += count;
        } else {
            size_t intLen = static_cast<size_t>(exponent) + 1;
            if (count <= intLen) {
                std::memcpy(o, digits, count);
                o += count;
                for (size_t i = count; i < intLen; ++i) *o++ = '0';
                *o++ = '.';
                *o++ = '0';
            } else {
                std::memcpy(o, digits, intLen);
                o += intLen;
                *o++ = '.';
                std::memcpy(o, digits + intLen, count - intLen);
                o += count - intLen;
            }
        }
    } else {
        *o++ = digits[0];
        if (count > 1) {
            *o++ = '.';
            std::memcpy(o, digits + 1, count - 1);
            o += count - 1;
        }
        o += std::snprintf(o, 8, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    }
    return static_cast<size_t>(o - out);
}

// The JSON escape of one 7-bit character, or null when it stands for itself.
const char *escapeOf(unsigned c) {
    switch (c) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    case '\b': return "\\b";
    case '\f': return "\\f";
    default: return nullptr;
    }
}
// The most that writeJsonText writes for a text: six bytes a unit (an
// escaped control character or lone surrogate) and the quotes.
size_t jsonTextRoom(const QString &text) {
    return static_cast<size_t>(text.size()) * 6 + 2;
}

// A text as a JSON string, in UTF-8, straight from its UTF-16 units in one
// pass: a surrogate pair is one character of four bytes, and a lone
// surrogate, which UTF-8 cannot carry, is written as its escape (\udc80), as
// JSON allows. Returns the length written.
size_t writeJsonText(char *to, const QString &text) {
    const char16_t *units = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    char *o = to;
    *o++ = '"';
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned c = units[i];
        if (c < 0x80) {
            if (c >= 0x20 && c != '"' && c != '\\') {
                *o++ = static_cast<char>(c);
            } else if (const char *escape = escapeOf(c)) {
                *o++ = escape[0];
                *o++ = escape[1];
            } else {
                o += std::snprintf(o, 7, "\\u%04x", c);
            }
        } else if (c < 0x800) {
            *o++ = static_cast<char>(0xc0 | (c >> 6));
            *o++ = static_cast<char>(0x80 | (c & 0x3f));
        } else if (c >= 0xd800 && c < 0xdc00 && i + 1 < size && units[i + 1] >= 0xdc00 && units[i + 1] < 0xe000) {
            const unsigned code = 0x10000 + ((c - 0xd800) << 10) + (units[++i] - 0xdc00);
            *o++ = static_cast<char>(0xf0 | (code >> 18));
            *o++ = static_cast<char>(0x80 | ((code >> 12) & 0x3f));
            *o++ = static_cast<char>(0x80 | ((code >> 6) & 0x3f));
            *o++ = static_cast<char>(0x80 | (code & 0x3f));
        } else if (c >= 0xd800 && c < 0xe000) {
            o += std::snprintf(o, 7, "\\u%04x", c);
        } else {
            *o++ = static_cast<char>(0xe0 | (c >> 12));
            *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            *o++ = static_cast<char>(0x80 | (c & 0x3f));
        }
    }
    *o++ = '"';
    return static_cast<size_t>(o - to);
}
}  // namespace

const char *const kNullNameProperty = "standin.nullName";

std::string reprDouble(double value) {
    char out[32];
    return std::string(out, writeDouble(out, value));
}

std::string quoted(const QString &text) {
    if (text.isNull()) return "null";
    std::string out(jsonTextRoom(text), '\0');
    out.resize(writeJsonText(out.data(), text));
    return out;
}

void Call::open(const char *hostClass, const char *operation) {
    const size_t classLength = std::strlen(hostClass);
    const size_t operationLength = std::strlen(operation);
    if (char *to = room(classLength + operationLength + 3)) {
        std::memcpy(to, hostClass, classLength);
        to += classLength;
        *to++ = ':';
        *to++ = ':';
        std::memcpy(to, operation, operationLength);
        to[operationLength] = '(';
        m_size += classLength + operationLength + 3;
        return;
    }
    write(hostClass, classLength);
    write("::", 2);
    write(operation, operationLength);
    write("(", 1);
}

void Call::close() {
    if (char *to = room(1)) {
        *to = ')';
        ++m_size;
    } else {
        write(")", 1);
    }
    if (m_refused) write(m_failure);
    const size_t begin = g_text.size();
    if (m_overflow.empty())
        g_text.append(m_text, m_size);
    else
        g_text.append(m_overflow);
    g_ends.push_back(g_text.size() | (m_effect == Reads ? kReadsBit : 0));
    if (m_refused && m_own) g_refusals.emplace_back(g_text, begin, g_text.size() - begin);
}

Call &Call::failed(const QString &why) {
    // Refusals are listed as the journal is kept, only while it is on: with
    // it off, a script that makes millions of calls keeps nothing of them.
    // Strict mode raises them either way.
    if (m_on) m_failure = " failed: " + quoted(why);
    if (m_own) hold(why);
    m_refused = true;
    return *this;
}

char *Call::room(size_t size) {
    return m_overflow.empty() && m_size + size <= sizeof m_text ? m_text + m_size : nullptr;
}

void Call::write(const char *data, size_t size) {
    if (char *to = room(size)) {
        // Most pieces are a few bytes, cheaper copied here than by a call.
        if (size > 16)
            std::memcpy(to, data, size);
        else
            for (size_t i = 0; i < size; ++i) to[i] = data[i];
        m_size += size;
        return;
    }
    if (m_overflow.empty()) m_overflow.assign(m_text, m_size);
    m_overflow.append(data, size);
}

void Call::separate() {
    if (m_first) {
        m_first = false;
    } else if (char *to = room(2)) {
        to[0] = ',';
        to[1] = ' ';
        m_size += 2;
    } else {
        write(", ", 2);
    }
}

void Call::put(int value) {
    separate();
    char local[16];
    char *buf = room(sizeof local);
    char *end = std::to_chars(buf ? buf : local, (buf ? buf : local) + sizeof local, value).ptr;
    if (buf)
        m_size += static_cast<size_t>(end - buf);
    else
        write(local, static_cast<size_t>(end - local));
}

void Call::put(bool value) {
    separate();
    if (value)
        write("true", 4);
    else
        write("false", 5);
}

void Call::put(double value) {
    separate();
    if (char *to = room(32)) {
        m_size += writeDouble(to, value);
        return;
    }
    char buf[32];
    write(buf, writeDouble(buf, value));
}

void Call::put(const QString &text) {
    separate();
    if (text.isNull()) {
        write("null", 4);
        return;
    }
    const size_t most = jsonTextRoom(text);
    if (char *to = room(most)) {
        m_size += writeJsonText(to, text);
        return;
    }
    write(quoted(text));
}

void Call::put(const char *text) {
    separate();
    if (!text) {
        write("null", 4);
        return;
    }
    std::string out;
    appendJsonEscaped(out, text, std::strlen(text));
    write(out);
}

void Call::put(const QStringList &texts) {
    separate();
    write("[", 1);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i) write(", ", 2);
        write(quoted(texts.at(i)));
    }
    write("]", 1);
}

void Call::put(const std::vector<int> &numbers) {
    separate();
    write("[", 1);
    char buf[32];
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i) write(", ", 2);
        write(buf, static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, numbers[i]).ptr - buf));
    }
    write("]", 1);
}

void Call::put(const Clt::Vector &vector) {
    separate();
    char local[3 * 32 + 8];
    char *buf = room(sizeof local);
    const bool inPlace = buf != nullptr;
    if (!inPlace) buf = local;
    size_t used = 0;
    buf[used++] = '(';
    used += writeDouble(buf + used, vector.x);
    buf[used++] = ',';
    buf[used++] = ' ';
    used += writeDouble(buf + used, vector.y);
    buf[used++] = ',';
    buf[used++] = ' ';
    used += writeDouble(buf + used, vector.z);
    buf[used++] = ')';
    if (inPlace)
        m_size += used;
    else
        write(buf, used);
}

void Call::put(const QObject *object) {
    separate();
    if (!object) {
        write("null", 4);
        return;
    }
    write(describe(object));
}

void Call::put(const bool *flag) {
    separate();
    if (flag)
        write("<bool*>", 7);
    else
        write("null", 4);
}

void Call::put(const double *value) {
    separate();
    if (value)
        write("<double*>", 9);
    else
        write("null", 4);
}

void setHeldName(QObject *object, const QString &name) {
    object->setObjectName(name);
    // Only an object that has dynamic properties may carry the marker: most
    // renames then cost no property lookup.
    if (name.isNull())
        object->setProperty(kNullNameProperty, true);
    else if (!object->dynamicPropertyNames().isEmpty())
        object->setProperty(kNullNameProperty, QVariant());
}

QString heldName(const QObject *object) {
    if (object->property(kNullNameProperty).toBool()) return QString();
    const QString name = object->objectName();
    return name.isNull() ? QStringLiteral("") : name;
}

std::string describe(const QObject *object) {
    const QString name = heldName(object);
    return "<" + hostClassName(object) + " " + (name.isNull() ? "null" : quoted(name)) + ">";
}

void setJournalEnabled(bool on) { detail::journalOn = on; }

size_t journalSize() { return g_ends.size(); }

std::string_view journalEntry(size_t index) {
    size_t begin = index ? g_ends[index - 1] & ~kReadsBit : 0;
    return std::string_view(g_text).substr(begin, (g_ends[index] & ~kReadsBit) - begin);
}

bool journalEntryChanges(size_t index) { return !(g_ends[index] & kReadsBit); }

void clearJournal() {
    g_text.clear();
    g_ends.clear();
    g_refusals.clear();
}

const std::vector<std::string> &refusals() { return g_refusals; }

void setStrict(bool on) {
    g_strict = on;
    detail::refusalPending = false;
    g_pendingReason.clear();
}

bool strict() { return g_strict; }

bool takeRefusal(std::string *why) {
    if (!detail::refusalPending) return false;
    detail::refusalPending = false;
    why->swap(g_pendingReason);
    g_pendingReason.clear();
    return g_strict;
}

}  // namespace standin
