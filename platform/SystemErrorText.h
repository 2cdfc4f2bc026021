#pragma once

#include <QString>

namespace platform {

// The operating system's own description of an error code (errno here), with
// trailing blanks, line breaks and full stops removed so that it can end a sentence.
QString systemErrorText(int errorCode);

// The error code of the most recent failed system call on this thread.
int lastSystemError();

// The error code for "access denied", used when the program itself refuses to
// replace a file that the system marks read-only.
int accessDeniedError();

// The error code for a FIFO, a device or a socket where a file is expected:
// the program refuses them itself, as the system has no code of its own for it.
int notRegularFileError();

} // namespace platform
