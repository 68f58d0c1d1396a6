#pragma once
// SplitArguments: turns the program or parameter part of a command line into single arguments.

#include <string>
#include <vector>

/// Blanks and tabs outside double quotes separate arguments. A double quote opens or closes a
/// quoted stretch and is removed; inside a stretch two double quotes in a row are one literal
/// double quote, and a stretch that is never closed runs to the end. A quoted empty stretch is an
/// empty argument. Every other byte, backslash included, is taken literally.
std::vector<std::string> SplitArguments(const std::string& text);
