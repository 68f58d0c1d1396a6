#include "template/KindField.h"

#include "platform/Convert.h"
#include "platform/Exceptions.h"
#include "template/TemplateError.h"

namespace {

// A character of the kind field; reading beyond its end is a range error.
char KindChar(const std::string& kind, size_t index)
{
    if (index >= kind.size())
        throw ERangeError("Range check error");
    return kind[index];
}

} // namespace

TKindField ReadKindField(const std::string& kind)
{
    TKindField field;
    const char first = KindChar(kind, 0);
    field.Marked = first == '@';
    if ((field.Marked && KindChar(kind, 1) == 'I') || first == 'I') {
        field.Letter = KindChar(kind, field.Marked ? 2 : 1);
        return field;
    }
    if (first >= '0' && first <= '9') {
        field.IsReference = true;
        field.Reference = StrToInt(kind);
        return field;
    }
    throw ETemplateError(kind + "Unknown Command");
}
