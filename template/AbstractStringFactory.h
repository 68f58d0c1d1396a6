#pragma once
// The command string: an ordered list of pieces whose texts, joined in order, make the command line.

#include <list>
#include <string>

/// A piece of the command string that yields its text on demand.
class TStringizable {
public:
    virtual std::string ToString() = 0;

protected:
    ~TStringizable() = default; // pieces are owned and destroyed as their concrete types
};

/// Holds the pieces in template order and joins their texts. The list does not own its
/// entries, and one piece may stand in it several times.
class TAbstractStringFactory {
public:
    virtual ~TAbstractStringFactory() = default;
    /// The texts of all pieces, read now, joined without separators.
    virtual std::string MakeString();

protected:
    std::list<TStringizable*> FStringizables;
};
