// The stand-in's journal: one entry per host operation, "Class::operation(arg, ...)",
// with each argument in one canonical form so that tests and script authors can
// read exactly what the application was asked.
#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <string>
#include <vector>

class QObject;
namespace Clt { class Vector; }

namespace standin {

// Builds one entry; the entry is appended when the builder goes, at the end of
// the statement that made it. With the journal switched off nothing is formatted.
class Call {
public:
    Call(const char *hostClass, const char *operation);
    ~Call();
    Call(const Call &) = delete;
    Call &operator=(const Call &) = delete;

    Call &arg(int value);
    Call &arg(bool value);
    Call &arg(double value);
    Call &arg(const QString &text);          // null string: null
    Call &arg(const char *text);             // null pointer: null; bytes shown as UTF-8
    Call &arg(const QStringList &texts);
    Call &arg(const Clt::Vector &vector);
    Call &arg(const QObject *object);        // <Class "name">, or null
    Call &arg(const bool *flag);             // an out-pointer: null or <bool*>
    Call &arg(const double *value);          // an out-pointer: null or <double*>
    // The operation was refused: the entry ends with failed: "why".
    Call &failed(const QString &why);

private:
    void separate();
    std::string m_buffer;
    std::string m_failure;
    std::string *m_text;  // null while the journal is off
    bool m_first = true;
};

// QObject keeps no difference between a null and an empty name; objects made
// with a null name carry this dynamic property, so the journal can show it.
extern const char *const kNullNameProperty;

// Canonical forms, shared with the steering functions.
std::string reprDouble(double value);
std::string quoted(const QString &text);

// While one lives, the journal takes nothing: the host's own work inside an
// operation (building a result, loading a model) is not an operation asked for.
class Quiet {
public:
    Quiet();
    ~Quiet();
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

private:
    bool m_was;
};

bool journalEnabled();
void setJournalEnabled(bool on);
const std::vector<std::string> &journalEntries();
void clearJournal();

}  // namespace standin
