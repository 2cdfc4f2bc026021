#pragma once

#include <QString>

namespace platform {

// A folder only the user running the program can write, for files other
// users must not plant or replace: the runtime folder (XDG_RUNTIME_DIR) when
// it is the user's own and private, otherwise the folder called name in the
// user's cache (XDG_CACHE_HOME, or ~/.cache), made when missing. Private
// means a real folder, not a link, owned by the user, mode 0700. Empty when
// there is no such folder; never the shared temporary folder.
QString privateFolder(const QString &name);

// The folder called name in the user's cache, made when missing, on the same
// terms: for files that outlive the session. Empty when it is not private.
QString privateCacheFolder(const QString &name);

// Whether the file (a link itself, not what it points to) exists and belongs
// to another user.
bool belongsToAnotherUser(const QString &path);

} // namespace platform
