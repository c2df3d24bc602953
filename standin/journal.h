// The stand-in's journal: one entry per host operation, "Class::operation(arg, ...)",
// with each argument in one canonical form so that tests and script authors can
// read exactly what the application was asked.
#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class QObject;
namespace Clt { class Vector; }

namespace standin {

namespace detail {
extern bool journalOn;
// Operations and Quiet spans open: only an operation opened with none open
// around it is one that a script asked for (see Call::failed).
extern int depth;
// A refusal that strict mode is to raise once the host has returned.
extern bool refusalPending;
}

// What an operation may do to the application, said where the operation
// journals itself; there is no default, so that no new operation can slip
// out of journal(changes_only=True) unnoticed.
//   Changes: it may change the study, the scripting objects the application
//     holds (making one too), their names or properties, or files: open,
//     setName, setProperty, add, remove, save, createSetupFileOfActiveScenario.
//     It is decided by what the operation may do, not by what one call did: a
//     refused or steered (answer_*) change is still journaled as a change.
//   Reads: it leaves all of that as it was: getters, lookups, listings into the
//     script's own lists, and making, copying or dropping the values that a
//     script owns (Vector, Variant, PropertyDefinition, BoundingBox, the
//     records, conditions and entities).
// C++ const-ness does not tell: Object::design() and DesignStudy::design(name)
// are not const yet only read, createSetupFileOfActiveScenario() is const yet
// writes a file. When in doubt, Changes: a change left out hides what a script
// did to the application, a read shown is only noise.
enum Effect : bool { Reads, Changes };

// Builds one entry; the entry is appended when the builder goes, at the end of
// the statement that made it. With the journal switched off nothing is formatted:
// each step is one test of the switch. With it on, an entry is written into the
// builder's own buffer and then copied once to the end of the journal's text, so
// that an entry costs no allocation of its own.
//
// An operation journals itself first thing, as
//     standin::Call call("Design", "setName", standin::Changes);
// named, so that it stays open for the whole operation (a temporary closes at
// the end of its statement, as it may for an operation that cannot refuse),
// and says by call.failed(why) that it refused, which is also what strict
// mode raises. Its own work inside (building a result, loading a model) runs
// under a Quiet, so that only what the script asked for is journaled or refused.
class Call {
public:
    Call(const char *hostClass, const char *operation, Effect effect)
        : m_on(detail::journalOn), m_own(detail::depth++ == 0), m_effect(effect) {
        if (m_on) open(hostClass, operation);
    }
    ~Call() {
        --detail::depth;
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
    Call &arg(const std::vector<int> &numbers) { if (m_on) put(numbers); return *this; }  // [1, 2]
    Call &arg(const Clt::Vector &vector) { if (m_on) put(vector); return *this; }
    Call &arg(const QObject *object) { if (m_on) put(object); return *this; }      // <Class "name">, or null
    Call &arg(const bool *flag) { if (m_on) put(flag); return *this; }             // an out-pointer: null or <bool*>
    Call &arg(const double *value) { if (m_on) put(value); return *this; }         // an out-pointer: null or <double*>
    // The operation was refused: the entry ends with failed: "why". Only the
    // refusal of an operation that the script asked for (none open around it)
    // is listed by refusals() and raised by strict mode.
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
    void put(const std::vector<int> &numbers);
    void put(const Clt::Vector &vector);
    void put(const QObject *object);
    void put(const bool *flag);
    void put(const double *value);

    bool m_on;
    bool m_own;
    Effect m_effect;
    bool m_refused = false;
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
    Quiet() : m_was(detail::journalOn) {
        detail::journalOn = false;
        ++detail::depth;
    }
    ~Quiet() {
        detail::journalOn = m_was;
        --detail::depth;
    }
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

private:
    bool m_was;
};

inline bool journalEnabled() { return detail::journalOn; }
void setJournalEnabled(bool on);
size_t journalSize();
std::string_view journalEntry(size_t index);  // valid until the journal changes
bool journalEntryChanges(size_t index);       // the entry's operation is one that Changes
void clearJournal();                          // and the refusals with it

// The refusals of operations that scripts asked for, since the journal was
// last cleared, oldest first: each its journal entry. Like the journal, they
// are kept only while it is switched on.
const std::vector<std::string> &refusals();

// Strict mode: while it is on, the refusal of an operation that a script
// asked for is held as pending until the host-control module takes it and
// raises it. Switching it either way drops a pending refusal, so that a
// refusal is never raised by a later call; reset() switches it off.
void setStrict(bool on);
bool strict();
inline bool refusalPending() { return detail::refusalPending; }
// The pending refusal's reason, dropped from the host: false when none is pending.
bool takeRefusal(std::string *why);

}  // namespace standin
