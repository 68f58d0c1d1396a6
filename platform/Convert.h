#pragma once
// StrToInt: a whole text as a 32-bit signed integer, decimal or hexadecimal after "0x".

#include <string>

/// Accepts decimal digits up to 2147483647, or "0x"/"0X" and up to 32 bits of hexadecimal digits
/// (so 0xFFFFFFFF is -1). Anything else, a sign or a blank included, throws EConvertError.
int StrToInt(const std::string& text);
