#pragma once
#include <QString>

#include <optional>

// Asks the joining player for the host's address ("name or address[:port]"); nothing when cancelled.
std::optional<QString> AskForHostAddress();
