#pragma once
// Reads a whole file, a pipe or a device as bytes, or throws EFOpenError with the system's reason.

#include <string>

std::string ReadWholeFile(const std::string& path);
