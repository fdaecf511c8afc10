#pragma once

namespace data {
class Database;
}

namespace tools {

// Fills an empty database with a small, believable business. Returns false (and changes
// nothing) when the register of articles or partners already holds rows.
bool fillDemo(data::Database& db);

} // namespace tools
