// The stand-in's journal: one entry per host operation, "Class::operation(arg, ...)",
// with each argument in one canonical form so that tests and script authors can
// read exactly what the application was asked.
#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <cstddef>
#include <string>
#include <string_view>

class QObject;
namespace Clt { class Vector; }

namespace standin {

namespace detail {
extern bool journalOn;
}

// Builds one entry; the entry is appended when the builder goes, at the end of
// the statement that made it. With the journal switched off nothing is formatted:
// each step is one test of the switch. With it on, an entry is written into the
// builder's own buffer and then copied once to the end of the journal's text, so
// that an entry costs no allocation of its own.
class Call {
public:
    Call(const char *hostClass, const char *operation) : m_on(detail::journalOn) {
        if (m_on) open(hostClass, operation);
    }
    ~Call() {
        if (m_on) close();
    }
    Call(const Call &) = delete;
    Call &operator=(const Call &) = delete;

    Call &arg(int value) { if (m_on) put(value); return *this; }
    Call &arg(bool value) { if (m_on) put(value); return *this; }
    Call &arg(double value) { if (m_on) put(value); return *this; }
    Call &arg(const QString &text) { if (m_on) put(text); return *this; }          // null string: null
    Call &arg(const char *text) { if (m_on) put(text); return *this; }             // null pointer: null; bytes shown as UTF-8
    Call &arg(const QStringList &texts) { if (m_on) put(texts); return *this; }
    Call &arg(const Clt::Vector &vector) { if (m_on) put(vector); return *this; }
    Call &arg(const QObject *object) { if (m_on) put(object); return *this; }      // <Class "name">, or null
    Call &arg(const bool *flag) { if (m_on) put(flag); return *this; }             // an out-pointer: null or <bool*>
    Call &arg(const double *value) { if (m_on) put(value); return *this; }         // an out-pointer: null or <double*>
    // The operation was refused: the entry ends with failed: "why".
    Call &failed(const QString &why);

private:
    void open(const char *hostClass, const char *operation);
    void close();
    void separate();
    void write(const char *data, size_t size);
    void write(const std::string &text) { write(text.data(), text.size()); }
    char *room(size_t size);  // where size more bytes may be written in place, or null
    void put(int value);
    void put(bool value);
    void put(double value);
    void put(const QString &text);
    void put(const char *text);
    void put(const QStringList &texts);
    void put(const Clt::Vector &vector);
    void put(const QObject *object);
    void put(const bool *flag);
    void put(const double *value);

    bool m_on;
    bool m_first = true;
    size_t m_size = 0;
    char m_text[192];        // the entry, while it fits
    std::string m_overflow;  // the entry, once it does not
    std::string m_failure;   // only for a refused operation
};

// QObject keeps no difference between a null and an empty name; objects named
// with a null name carry this dynamic property, so the journal can show it.
extern const char *const kNullNameProperty;
// Names an object, null or not, as the journal will show it.
void setHeldName(QObject *object, const QString &name);
// An object's name as it was given: null for a null name.
QString heldName(const QObject *object);

// Canonical forms, shared with the steering functions.
std::string reprDouble(double value);
std::string quoted(const QString &text);

// While one lives, the journal takes nothing: the host's own work inside an
// operation (building a result, loading a model) is not an operation asked for.
class Quiet {
public:
    Quiet() : m_was(detail::journalOn) { detail::journalOn = false; }
    ~Quiet() { detail::journalOn = m_was; }
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

private:
    bool m_was;
};

inline bool journalEnabled() { return detail::journalOn; }
void setJournalEnabled(bool on);
size_t journalSize();
std::string_view journalEntry(size_t index);  // valid until the journal changes
void clearJournal();

}  // namespace standin
