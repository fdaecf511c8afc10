#pragma once

#include "data/alias.h"

#include <QString>
#include <QVariantMap>

#include <memory>

namespace bench {

// Runs a statement of the program straight on the engine's C API, without Qt's SQL layer,
// and reads every column of every row as text: what the engine itself costs.
class DirectEngine {
public:
    virtual ~DirectEngine() = default;
    // Runs `statement` (MariaDB dialect, :name parameters) and returns the number of rows.
    virtual int run(const QString& statement, const QVariantMap& params) = 0;
    // A transaction around statements that write, as the program's saves have.
    virtual void begin() = 0;
    virtual void commit() = 0;

    static std::unique_ptr<DirectEngine> open(const data::AliasConfig& config);
};

} // namespace bench
