#pragma once
// TStringString: a piece of literal command text.

#include "template/AbstractStringFactory.h"

class TStringString final : public TStringizable {
public:
    explicit TStringString(std::string text) : FText(std::move(text)) {}
    std::string ToString() override { return FText; }

private:
    const std::string FText;
};
