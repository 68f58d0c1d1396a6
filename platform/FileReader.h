#pragma once
// Reads the start of a file, a pipe or a device as bytes, or throws EFOpenError with the system's reason.

#include <string>

/// The bytes up to the first line break (CR or LF) or NUL, that byte included, or the whole file
/// when it has none. Reading stops there: the rest of a file may be huge, and a pipe may stay open.
std::string ReadFirstLine(const std::string& path);
