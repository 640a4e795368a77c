#pragma once

#include <QString>

#include <functional>

// Hands a file or an address to the desktop, which opens it with the user's program for it. The outcome is not
// examined: a missing file or an address nothing can open is the desktop's business.
namespace Shell {
void open(const QString& fileOrAddress);

// Receives what open() is given instead of the desktop, so that a test starts no browser or mail program; an empty
// handler restores the desktop.
void setHandlerForTesting(std::function<void(const QString&)> handler);
} // namespace Shell
