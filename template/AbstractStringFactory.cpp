#include "template/AbstractStringFactory.h"

std::string TAbstractStringFactory::MakeString()
{
    std::string result;
    for (TStringizable* piece : FStringizables)
        result += piece->ToString();
    return result;
}
