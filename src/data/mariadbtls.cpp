#include "data/mariadbtls.h"

#include "data/errors.h"

#include <mysql.h>

#include <memory>

namespace data {

QString systemCertificatePath()
{
    return QStringLiteral("/etc/ssl/certs");
}

void verifyTlsServer(const AliasConfig& config, const MariaDbLogin& login)
{
    std::unique_ptr<MYSQL, void (*)(MYSQL*)> mysql(mysql_init(nullptr), mysql_close);
    if (!mysql)
        throw DatabaseError(QStringLiteral("The MariaDB client library cannot start a connection."));
    const QByteArray ca = config.sslCa.toLocal8Bit(), cert = config.sslCert.toLocal8Bit(),
                     key = config.sslKey.toLocal8Bit(), caPath = systemCertificatePath().toLocal8Bit();
    if (config.sslCa.isEmpty())
        mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_CAPATH, caPath.constData());
    else
        mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_CA, ca.constData());
    if (!config.sslCert.isEmpty())
        mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_CERT, cert.constData());
    if (!config.sslKey.isEmpty())
        mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_KEY, key.constData());
    const my_bool on = 1;
    mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_ENFORCE, &on);
    mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_VERIFY_SERVER_CERT, &on);
    // The same limits as the program's own connection: a server that stops answering
    // during the check does not hold the program.
    const unsigned int connectTimeout = unsigned(config.connectTimeout()), answerTimeout = unsigned(config.answerTimeout);
    mysql_optionsv(mysql.get(), MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
    mysql_optionsv(mysql.get(), MYSQL_OPT_READ_TIMEOUT, &answerTimeout);
    mysql_optionsv(mysql.get(), MYSQL_OPT_WRITE_TIMEOUT, &answerTimeout);
    const QByteArray host = login.host.toUtf8(), user = login.user.toUtf8(), password = login.password.toUtf8(),
                     socket = login.socket.toLocal8Bit();
    if (!mysql_real_connect(mysql.get(), login.host.isEmpty() ? nullptr : host.constData(),
                            login.user.isEmpty() ? nullptr : user.constData(),
                            login.password.isNull() ? nullptr : password.constData(), nullptr,
                            static_cast<unsigned int>(login.port),
                            login.socket.isEmpty() ? nullptr : socket.constData(), 0))
        throw DatabaseError(QStringLiteral("The MariaDB server %1 was not used: the alias requires TLS with the "
                                           "server's certificate checked, and %2: %3")
                                .arg(login.socket.isEmpty() ? login.host : login.socket,
                                     mysql_errno(mysql.get()) == 2026 ? QStringLiteral("the check failed")
                                                                      : QStringLiteral("the checked connection failed"),
                                     QString::fromUtf8(mysql_error(mysql.get()))),
                            QString::number(mysql_errno(mysql.get())));
}

} // namespace data
