#pragma once

#include <QString>

#include <optional>

// Reads one line of standard input for an installation command. On a
// terminal the prompt goes to standard error and a secret is typed without
// echo; from a script the lines are read as they come. Nothing at the end of
// the input.
std::optional<QString> askLine(const QString& prompt, bool secret);
