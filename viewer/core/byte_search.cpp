#include "byte_search.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string.h>
#include <string_view>
#include <vector>

namespace viewer {
namespace {

// Bytes read before a match to tell whether it starts a CP932 character;
// a longer run of lead-range bytes than this does not occur in real text.
constexpr std::size_t kBackContext = 256;

bool IsAsciiLetter(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

char Folded(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 'A' && value <= 'Z' ? static_cast<char>(value + ('a' - 'A')) : byte;
}

// Folds ASCII capitals to small letters eight bytes at a time, as fast as
// the bytes stream from the cache: a case-free search costs little more than
// one that matches case.
void FoldInto(const char* from, std::size_t length, char* to) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHigh = 0x80 * kOnes;
    std::size_t at = 0;
    for (; at + 8 <= length; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, from + at, 8);
        // Per byte, the high bit says: at least 'A', more than 'Z', and
        // (from the original) not ASCII at all.
        const std::uint64_t low7 = word & ~kHigh;
        const std::uint64_t atLeastA = low7 + (0x80 - 'A') * kOnes;
        const std::uint64_t aboveZ = low7 + (0x80 - 'Z' - 1) * kOnes;
        const std::uint64_t capitals = atLeastA & ~aboveZ & ~word & kHigh;
        word |= capitals >> 2; // 0x80 >> 2 is the case bit 0x20
        std::memcpy(to + at, &word, 8);
    }
    for (; at < length; ++at)
        to[at] = Folded(from[at]);
}

// Matches one needle in the chunks of a search.
class Matcher final {
  public:
    explicit Matcher(const SearchRequest& request)
        : m_request(request), m_needle(request.needle), m_caseFree(request.needle.size(), false) {
        if (request.matchCase) return;
        std::transform(m_needle.begin(), m_needle.end(), m_needle.begin(), Folded);
        // Only a letter standing as a character of its own matches either
        // case: the second byte of a CP932 character must match as it is.
        std::size_t at = 0;
        while (at < m_needle.size()) {
            const auto byte = static_cast<unsigned char>(request.needle[at]);
            if (request.encoding == TextEncoding::Cp932 && IsCp932LeadByte(byte)) {
                at += 2;
                continue;
            }
            m_caseFree[at] = IsAsciiLetter(byte);
            ++at;
        }
    }

    // The index of the first match in data[begin, end) whose whole needle
    // lies there; data[0] is a character start or kBackContext before `begin`.
    std::optional<std::size_t> FindIn(const char* data, std::size_t begin, std::size_t end) {
        const char* haystack = data;
        if (!m_request.matchCase) {
            m_folded.resize(end);
            FoldInto(data + begin, end - begin, m_folded.data() + begin);
            haystack = m_folded.data();
        }
        std::size_t at = begin;
        while (at + m_needle.size() <= end) {
            const void* hit = memmem(haystack + at, end - at, m_needle.data(), m_needle.size());
            if (!hit) return std::nullopt;
            const auto index = static_cast<std::size_t>(static_cast<const char*>(hit) - haystack);
            if (Accepts(data, index)) return index;
            at = index + 1;
        }
        return std::nullopt;
    }

  private:
    bool Accepts(const char* data, std::size_t index) const {
        for (std::size_t k = 0; k < m_needle.size(); ++k) {
            if (!m_caseFree[k] && data[index + k] != m_request.needle[k]) return false;
        }
        const std::size_t contextStart = index - std::min(index, kBackContext);
        return StartsCharacter(std::string_view(data + contextStart, index - contextStart),
                               m_request.encoding);
    }

    const SearchRequest& m_request;
    std::string m_needle; // folded when the case does not matter
    std::vector<bool> m_caseFree;
    std::vector<char> m_folded;
};

} // namespace

std::optional<std::uint64_t> FindForward(const FileSource& file, const SearchRequest& request) {
    const std::size_t length = request.needle.size();
    if (length == 0) return std::nullopt;
    Matcher matcher(request);
    std::vector<char> buffer(std::max(request.chunkBytes, 2 * (length + kBackContext)));
    std::uint64_t next = request.from; // the first start not yet tried
    for (;;) {
        const std::uint64_t chunkStart = next - std::min(next - request.from, kBackContext);
        const std::size_t got = file.ReadAt(chunkStart, buffer);
        const auto begin = static_cast<std::size_t>(next - chunkStart);
        if (got <= begin) return std::nullopt;
        std::size_t end = got;
        bool last = got < buffer.size();
        if (const void* nul = std::memchr(buffer.data() + begin, '\0', got - begin)) {
            end = static_cast<std::size_t>(static_cast<const char*>(nul) - buffer.data());
            last = true;
        }
        if (const auto index = matcher.FindIn(buffer.data(), begin, end))
            return chunkStart + *index;
        if (last) return std::nullopt;
        // A match may start in the last length - 1 bytes and go on in the
        // next chunk.
        next = chunkStart + end - (length - 1);
    }
}

} // namespace viewer
