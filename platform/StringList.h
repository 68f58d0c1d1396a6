#pragma once
// TStringList: an ordered list of byte strings; reading outside it throws EStringListError naming the index.

#include <string>
#include <vector>

class TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> items) : FItems(items) {}

    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }

    void Add(std::string text) { FItems.push_back(std::move(text)); }
    void AddStrings(const TStringList& other);
    void Delete(int index);
    void Clear() { FItems.clear(); }

    /// Replaces the list by the lines of text. A line ends at CR, LF or CR LF; a NUL byte ends
    /// the text.
    void SetText(std::string text);

private:
    void CheckIndex(int index) const;

    std::vector<std::string> FItems;
};
