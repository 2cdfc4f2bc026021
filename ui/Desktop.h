#pragma once

class QString;

// The desktop's own handlers of addresses: its web browser, its mail program.
namespace Desktop {

// Hands the address to the desktop's default handler; the result is not examined.
void open(const QString &address);

} // namespace Desktop
