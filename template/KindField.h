#pragma once
// ReadKindField: what a definition's field 0 asks for, a new input or an earlier one.

#include <string>

struct TKindField {
    /// Digits: the definition stands for the earlier input numbered Reference (from 1).
    bool IsReference = false;
    int Reference = 0;
    /// "I" and a letter, after an optional "@" that marks the input for the focus.
    bool Marked = false;
    char Letter = 0;
};

/// Reads field 0 of a definition. Whether the letter names a kind is left to the caller.
/// Throws ERangeError when the field ends before its letter, EConvertError when a field starting
/// with a digit is not a number, ETemplateError "<field>Unknown Command" for anything else.
TKindField ReadKindField(const std::string& kind);
