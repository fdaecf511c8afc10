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

// A statement or connection failure; the text is the driver's.
class DatabaseError : public Error {
public:
    using Error::Error;
};

// A text that is not a valid number where one is needed.
class ConvertError : public Error {
public:
    using Error::Error;
};

} // namespace data
