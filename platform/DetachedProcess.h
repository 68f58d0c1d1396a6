#pragma once
// StartDetached: starts a program that runs on by itself, without waiting for it and without a shell.

#include <optional>
#include <string>
#include <vector>

/// Executes the file at path with arguments (argv[0] first) in a new session, in the current
/// directory, with the process environment, standard input, output and error, and no other
/// descriptor. The program is a grandchild: it is never cmdform's child, so nothing has to reap
/// it and it outlives cmdform. Returns once it has been executed; the reason when it could not
/// be (the system's text for the error, "Permission denied").
std::optional<std::string> StartDetached(const std::string& path, const std::vector<std::string>& arguments);
