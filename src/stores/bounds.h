#pragma once

#include "data/errors.h"

#include <QString>

// The values a business can have, checked where a record is handed to its store: a value
// outside them is refused before anything is written, with a text that names the field.
namespace stores {

// A quantity of one line (a receipt, dispatch or work order line, or what one unit of a
// product takes of an article) is above zero and at most this: far beyond any stock, and
// far below what a sum over ten million ledger rows could overflow on either engine.
inline constexpr double kMaxQuantity = 1e9;
// A price is 0 or more and at most this.
inline constexpr double kMaxPrice = 1e12;

// A value refused at the edge; nothing was written. `field()` names it as the operator
// sees it ("quantity", "discount"), the text says what it must be.
class InvalidValue : public data::Error {
public:
    InvalidValue(const QString& field, const QString& text) : data::Error(text), m_field(field) {}
    const QString& field() const { return m_field; }

private:
    QString m_field;
};

namespace bounds {

// Each throws InvalidValue naming `field` when the value is outside its bounds.
void requireQuantity(double quantity, const QString& field);
void requirePercent(double percent, const QString& field);
void requirePrice(double price, const QString& field);
// A text that is not only blanks.
void requireName(const QString& text, const QString& field);
// A document number from 1, a code from 0, either at most the largest the column holds.
void requireDocumentNumber(qint64 number, const QString& field);
void requireCode(qint64 code, const QString& field);

} // namespace bounds
} // namespace stores
