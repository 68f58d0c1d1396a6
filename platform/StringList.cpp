#include "platform/StringList.h"

#include "platform/Exceptions.h"

const std::string& TStringList::Strings(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)];
}

void TStringList::AddStrings(const TStringList& other)
{
    FItems.insert(FItems.end(), other.FItems.begin(), other.FItems.end());
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::SetText(std::string text)
{
    if (size_t nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);

    FItems.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            FItems.push_back(text.substr(start));
            break;
        }
        FItems.push_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
}
