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

} // namespace platform
