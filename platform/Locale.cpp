#include "platform/Locale.h"

#include <algorithm>
#include <cctype>
#include <langinfo.h>
#include <string>

bool LocaleHasAsciiTrailBytes()
{
    std::string codeset = nl_langinfo(CODESET);
    std::transform(codeset.begin(), codeset.end(), codeset.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    std::erase(codeset, '-');
    std::erase(codeset, '_');
    for (const char* name : {"SHIFTJIS", "SJIS", "CP932", "WINDOWS31J", "MSKANJI", "GBK", "GB18030",
                             "CP936", "BIG5", "BIG5HKSCS", "CP950", "CP949", "UHC", "JOHAB"}) {
        if (codeset == name)
            return true;
    }
    return false;
}
