#pragma once

class QString;
class QUrl;

// The desktop's own handlers of addresses: its web browser, its mail program.
namespace Desktop {

// Hands the address to the desktop's default handler; the result is not examined.
void open(const QString &address);
void open(const QUrl &address);

} // namespace Desktop
