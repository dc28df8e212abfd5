#pragma once

#include <string>
#include <string_view>

namespace nc {

// The right-to-left walk shared by decimal point insertion and removal. Number
// characters ("0123456789.-") are collected; a letter of `keepLetters` drops
// them; any other byte ends the collected text, which is rewritten when that
// byte is an address letter (A-Z), the text is not a lone "-", and it has a
// point exactly when `withPoint` is true. `insideComment`, when given, makes the
// walk skip text between ")" or "]" and "(" or "[" and carries the state over
// to the next line.
struct AddressWalk {
    std::string_view keepLetters;
    bool withPoint = false;
    bool* insideComment = nullptr;
    // Appends the new text for a collected value.
    void (*appendValue)(std::string& out, std::string_view number, int decimals) = nullptr;
    int decimals = 0;
};

void WalkAddressValues(const AddressWalk& walk, std::string_view line, std::string& out);

} // namespace nc
