#pragma once

#include <QString>

// Hands a file or an address to the desktop, which opens it with the user's program for it. The outcome is not
// examined: a missing file or an address nothing can open is the desktop's business.
namespace Shell {
void open(const QString& fileOrAddress);
}
