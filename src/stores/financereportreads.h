#pragma once

#include <QString>
#include <QStringList>

// The statements the financial report reads, as they are sent to the server.
namespace stores::financereport {

// The five money columns and the selection shared by both statements (the period includes
// both ends; a missing dispatch has no date and drops out).
QStringList figuresAndSelection();

// One row per dispatch: its date, number and the five figures, each summed and then rounded.
QStringList perDocument();

// One row: the five figures over the whole period.
QStringList totals();

} // namespace stores::financereport
