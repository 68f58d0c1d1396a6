#pragma once
// The caption of a template's dialog: its file name without the directory and the last extension.

#include <string>

/// "/t/grep.tpl" gives "grep", "a.b.c" gives "a.b"; a dot-file such as ".tpl" keeps its name.
std::string FileNameCaption(const std::string& path);
