#include "address_walk.h"

#include <vector>

namespace nc {
namespace {

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; }
bool IsAddressLetter(char c) { return c >= 'A' && c <= 'Z'; }

// A replaced range of the line and where its new text stands in the scratch text.
struct Replacement {
    std::size_t begin;
    std::size_t end;
    std::size_t textBegin;
    std::size_t textEnd;
};

// Returns true when the byte is skipped as part of a comment.
bool SkipsComment(bool* insideComment, char c) {
    if (!insideComment) return false;
    if (c == ')' || c == ']') *insideComment = true;
    if (c == '(' || c == '[') *insideComment = false;
    return *insideComment;
}

} // namespace

void WalkAddressValues(const AddressWalk& walk, std::string_view line, std::string& out) {
    // The replaced ranges, found right to left; collected text is line[begin, end).
    // Values are rewritten as they are met, right to left, so the first value
    // that cannot be read is the rightmost one.
    thread_local std::vector<Replacement> replacements;
    thread_local std::string texts;
    replacements.clear();
    texts.clear();
    std::size_t begin = line.size();
    std::size_t end = line.size();
    for (std::size_t i = line.size(); i-- > 0;) {
        const char c = line[i];
        if (SkipsComment(walk.insideComment, c)) continue;
        if (IsNumberChar(c)) {
            if (begin == end) end = i + 1;
            begin = i;
            continue;
        }
        if (begin != end && walk.keepLetters.find(c) == std::string_view::npos &&
            IsAddressLetter(c)) {
            const std::string_view collected = line.substr(begin, end - begin);
            const bool hasPoint = collected.find('.') != std::string_view::npos;
            if (hasPoint == walk.withPoint && collected != "-") {
                const std::size_t textBegin = texts.size();
                walk.appendValue(texts, collected, walk.decimals);
                replacements.push_back({begin, end, textBegin, texts.size()});
            }
        }
        begin = end = i;
    }
    std::size_t copied = 0;
    for (auto it = replacements.rbegin(); it != replacements.rend(); ++it) {
        out.append(line.substr(copied, it->begin - copied));
        out.append(texts, it->textBegin, it->textEnd - it->textBegin);
        copied = it->end;
    }
    out.append(line.substr(copied));
}

} // namespace nc
