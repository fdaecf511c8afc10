#pragma once

namespace data {

class Database;

// Whether `db` is a connection that has not been destroyed: a query handed one that has
// since been destroyed (a test's, a tool's) runs on none. Connections may share a name.
bool databaseLives(const Database* db);

} // namespace data
