#include "platform/Convert.h"

#include "platform/Exceptions.h"

#include <cstdint>

namespace {

[[noreturn]] void ThrowNotAnInteger(const std::string& text)
{
    throw EConvertError("'" + text + "' is not a valid integer value");
}

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

} // namespace

int StrToInt(const std::string& text)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const int base = hex ? 16 : 10;
    const uint64_t limit = hex ? UINT32_MAX : INT32_MAX;
    const size_t first = hex ? 2 : 0;
    if (text.size() <= first)
        ThrowNotAnInteger(text);

    uint64_t value = 0;
    for (size_t i = first; i < text.size(); ++i) {
        int digit = DigitValue(text[i], base);
        if (digit < 0)
            ThrowNotAnInteger(text);
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > limit)
            ThrowNotAnInteger(text);
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}
