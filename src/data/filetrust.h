#pragma once

#include <QString>

namespace data {

// The files the program takes its settings and its data from are refused, as ssh refuses
// its own, when another local user could have put them there or could change them: a file
// (or folder) must belong to the user running the program or to root (system-wide files
// such as those under /etc), and neither its group nor others may write it. Reading is
// not judged here: an option file holding a password has its own, stricter rule.
enum class TrustedFile { AliasFile, OptionFile, DatabaseFile };

// Throws DatabaseError, naming the file and the command that mends it, when `path` is not
// a regular file, belongs to another user, or may be written by group or others. A link
// is judged by its target, the file that is read. A file that is not there passes.
void requireTrustedFile(const QString& path, TrustedFile kind);

// The SQLite database at `path`: its folder, the folder of its target when `path` is a link
// (SQLite keeps its journal beside the target), and the file when it is there. A folder
// others may write is refused even with the sticky bit (/tmp): nobody can replace a file
// of ours there, but anyone can put a journal or a database of that name before it exists,
// and SQLite would take it up.
void requireTrustedDatabase(const QString& path);

// Creates `folder` and each missing folder above it, every one its user's alone (0700)
// whatever the umask; folders that were there are left as they are. False when one cannot
// be created.
bool makePrivateFolders(const QString& folder);

// Creates the empty file `path`, its user's alone (0600) whatever the umask; never follows
// or opens what is already there. False when it exists or cannot be created.
bool createPrivateFile(const QString& path);

// Creates the empty SQLite file `path` with createPrivateFile; throws DatabaseError saying
// why when it cannot (a link to a file that is not there is not followed).
void createDatabaseFile(const QString& path);

// Makes `path` exist and its user's alone before QSettings or QSaveFile rewrites it (both
// give the new file the mode of the one it replaces), creating missing folders private.
bool preparePrivateFile(const QString& path);

} // namespace data
