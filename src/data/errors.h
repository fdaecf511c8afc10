#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// Base of every error the program raises itself; carries a text for the operator.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// A statement or connection failure; the text is the driver's, the code the engine's own
// error number ("1062", "2006", ...) where there is one.
class DatabaseError : public Error {
public:
    explicit DatabaseError(const QString& text, const QString& nativeCode = QString()) : Error(text), m_code(nativeCode)
    {
    }
    // A statement asked of a connection that is closed (lost earlier, not yet reopened).
    static DatabaseError connectionClosed(const QString& text);
    // A COMMIT whose answer never came (the connection was lost on it): the server may have
    // stored the transaction (a cluster node that died after passing it on to the others),
    // or not. Still a lost connection, with the same code.
    static DatabaseError commitCutOff(const DatabaseError& lost);
    // Whether the write this error ended may have been stored all the same.
    bool outcomeUnknown() const { return m_outcomeUnknown; }
    const QString& nativeCode() const { return m_code; }
    // Another workstation got there first (a number taken, a deadlock, a lock wait): the
    // save can run again from the start and will take the next free number.
    bool isConflict() const;
    // The server went away or the connection broke, or the connection is closed.
    bool isConnectionLost() const;

    // What went wrong, in the terms the operator is told.
    enum class Kind {
        Busy,           // another workstation kept the data (a lock, a number taken)
        DiskFull,       // no room left for the database
        ReadOnly,       // the file, the folder or the server takes no writes
        TooLong,        // a text longer than its column holds
        BadValue,       // a value the column refuses (not a real date, out of range)
        ConnectionLost, // the server went away
        Other,
    };
    Kind kind() const;

private:
    QString m_code;
    bool m_closed = false;
    bool m_outcomeUnknown = false;
};

// The record a window loaded was deleted or changed by another workstation before the
// window saved it; nothing was written.
class StaleRecord : public Error {
public:
    enum class Reason { Deleted, Changed };
    StaleRecord(Reason reason, const QString& text) : Error(text), m_reason(reason) {}
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// A number or code would pass the largest value its column holds; nothing was written.
class RangeError : public Error {
public:
    using Error::Error;
};

// A text that is not a valid number where one is needed.
class ConvertError : public Error {
public:
    using Error::Error;
};

} // namespace data
