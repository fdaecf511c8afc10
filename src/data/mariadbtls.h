#pragma once

#include "data/alias.h"

#include <QString>

namespace data {

// Where and as whom a MariaDB connection logs in.
struct MariaDbLogin {
    QString host;
    int port = 0;
    QString socket;
    QString user;
    QString password;
};

// The certificate store used to check a server when the alias names no CA file.
QString systemCertificatePath();

// Connects once with the MariaDB client library itself, TLS enforced, the server's
// certificate checked against the alias's CA and its name against the host, and closes
// again. The client library checks all this before it sends any credential; Qt's driver
// cannot be told to check the name or to refuse a server without TLS, so the program asks
// here first. Throws DatabaseError with the library's reason when the check fails.
void verifyTlsServer(const AliasConfig& config, const MariaDbLogin& login);

} // namespace data
