#pragma once

#include <QString>

#include <cstdint>

namespace data {
class Database;
}

namespace bench {

// How many rows of each kind a synthetic business holds.
struct Size {
    QString name;
    int articles = 0;
    int ledgerRows = 0; // article ledger rows, spread over the receipts and dispatches
    int partners = 0;
    int documents = 0; // receipts and dispatches together, half each
    int products = 0;
    int workOrders = 0;
};

// S, M, L or XL; a size with name empty for anything else.
Size sizeByName(const QString& name);

// A small deterministic generator (splitmix64): the same seed gives the same business on
// every machine and library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    int below(int n) { return int(next() % std::uint64_t(n)); }
    // A quantity with two decimals in [0.01, max].
    double quantity(int max) { return double(1 + below(max * 100)) / 100.0; }

private:
    std::uint64_t m_state;
};

// The name of article number i (0-based) of a seed; names start with many different letters.
QString articleName(Random& r, int i);

// Fills an empty database through the program's insert statements, in large transactions.
// Prints progress to stderr.
void generate(data::Database& db, const Size& size, std::uint64_t seed);

} // namespace bench
