#include "data/filetrust.h"

#include "data/errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace data {

namespace {

QString userName(uid_t uid)
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

QString modeText(mode_t mode)
{
    return QStringLiteral("%1").arg(uint(mode & 07777), 4, 8, QLatin1Char('0'));
}

QString subjectOf(TrustedFile kind, const QString& path)
{
    switch (kind) {
    case TrustedFile::AliasFile:
        return QCoreApplication::translate("data::FileTrust", "The alias file %1").arg(path);
    case TrustedFile::OptionFile:
        return QCoreApplication::translate("data::FileTrust", "The MariaDB option file %1").arg(path);
    case TrustedFile::DatabaseFile:
        break;
    }
    return QCoreApplication::translate("data::FileTrust", "The database file %1").arg(path);
}

// The owner and the mode of a file or folder already known to be of the right type.
// `subject` names it in the message ("The alias file ..."), `path` is what the command
// that mends it is given.
void judge(const struct stat& st, const QString& path, const QString& subject, bool folder)
{
    const uid_t me = ::geteuid();
    if (st.st_uid != me && st.st_uid != 0)
        throw DatabaseError(QCoreApplication::translate("data::FileTrust",
                                                        "%1 belongs to the user %2, not to %3 who runs the program: "
                                                        "that user may have put it there or may change it, so it was "
                                                        "not used. If it is to be trusted, the administrator hands it "
                                                        "over with: chown %3 %4")
                                .arg(subject, userName(st.st_uid), userName(me), path));
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) == 0)
        return;
    const QString mode = modeText(st.st_mode);
    if (st.st_uid == me)
        throw DatabaseError(QCoreApplication::translate("data::FileTrust",
                                                        "%1 may be changed by other users (mode %2), so it was not "
                                                        "used. Make it private with: chmod %3 %4")
                                .arg(subject, mode, folder ? QStringLiteral("700") : QStringLiteral("600"), path));
    // Root's, and we are not root: a shared folder such as /tmp is not ours to close.
    if (folder && (st.st_mode & S_ISVTX))
        throw DatabaseError(QCoreApplication::translate("data::FileTrust",
                                                        "%1 is shared by every user who may write it (mode %2, as /tmp "
                                                        "is): another user can put a journal or a database there under "
                                                        "the name the database will look for, so it was not used. Keep "
                                                        "the database in a folder of its own (mkdir -m 700 FOLDER), "
                                                        "move it there and point the alias at it with: duredir-db "
                                                        "set-alias sqlite --path FILE")
                                .arg(subject, mode));
    throw DatabaseError(QCoreApplication::translate("data::FileTrust",
                                                    "%1 may be changed by other users (mode %2), so it was not used. "
                                                    "The administrator takes their permission to write it away with: "
                                                    "chmod go-w %3")
                            .arg(subject, mode, path));
}

void requireTrustedFolder(const QString& folder, const QString& file)
{
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return; // not there: the database cannot be opened, and says so
    const QString subject =
        QCoreApplication::translate("data::FileTrust", "The folder %1 of the database file %2").arg(folder, file);
    if (!S_ISDIR(st.st_mode))
        throw DatabaseError(QCoreApplication::translate("data::FileTrust", "%1 is not a folder.").arg(subject));
    judge(st, folder, subject, true);
}

} // namespace

void requireTrustedFile(const QString& path, TrustedFile kind)
{
    // stat() follows links: what counts is the file read. A link can only be replaced by
    // whoever may write the folder holding it, and whatever they put in its place is
    // theirs, which this refuses.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return; // not there, or not reachable: opening it says so
    const QString subject = subjectOf(kind, path);
    if (!S_ISREG(st.st_mode))
        throw DatabaseError(
            QCoreApplication::translate("data::FileTrust", "%1 is not a regular file, so it was not used.").arg(subject));
    judge(st, path, subject, false);
}

void requireTrustedDatabase(const QString& path)
{
    const QFileInfo given(path);
    requireTrustedFolder(given.absolutePath(), path);
    if (given.isSymLink()) {
        const QString target = given.canonicalFilePath();
        if (!target.isEmpty() && QFileInfo(target).absolutePath() != given.absolutePath())
            requireTrustedFolder(QFileInfo(target).absolutePath(), path);
    }
    requireTrustedFile(path, TrustedFile::DatabaseFile);
}

bool makePrivateFolders(const QString& folder)
{
    QStringList missing;
    for (QString p = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()); !QFileInfo::exists(p);) {
        missing.prepend(p);
        const QString parent = QFileInfo(p).absolutePath();
        if (parent == p)
            break;
        p = parent;
    }
    for (const QString& p : std::as_const(missing)) {
        const QByteArray native = QFile::encodeName(p);
        if (::mkdir(native.constData(), 0700) == 0) {
            // The umask may have taken bits away, never added any; set exactly.
            if (::chmod(native.constData(), 0700) != 0)
                return false;
        } else if (errno != EEXIST) {
            return false;
        }
    }
    return QFileInfo(folder).isDir();
}

bool createPrivateFile(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool ok = ::fchmod(fd, 0600) == 0;
    ::close(fd);
    return ok;
}

void createDatabaseFile(const QString& path)
{
    if (createPrivateFile(path))
        return;
    const int error = errno;
    const QFileInfo info(path);
    // A link may point anywhere, where whoever made it wants a file of ours: never followed
    // to create one.
    if (info.isSymLink())
        throw DatabaseError(QCoreApplication::translate("data::FileTrust",
                                                        "The database file %1 is a link to %2, which is not there; "
                                                        "nothing was created. Point the alias at the file itself "
                                                        "(duredir-db set-alias sqlite --path FILE).")
                                .arg(path, info.symLinkTarget()));
    throw DatabaseError(QCoreApplication::translate("data::FileTrust", "The database file %1 cannot be created: %2.")
                            .arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

bool preparePrivateFile(const QString& path)
{
    if (!makePrivateFolders(QFileInfo(path).absolutePath()))
        return false;
    if (!QFileInfo::exists(path))
        createPrivateFile(path); // another program may have been quicker: the chmod decides
    return ::chmod(QFile::encodeName(path).constData(), 0600) == 0;
}

} // namespace data
