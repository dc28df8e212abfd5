// The exact fast paths of the value rewrites must write the same bytes as the
// general extended-precision path, or decline.

#include "nc_error.h"
#include "value_transforms.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace {

using Append = void (*)(std::string&, std::string_view, int);
using TryWrite = char* (*)(char*, std::string_view, int);

// The fast path's text, or nothing when it declines.
std::optional<std::string> Fast(TryWrite fast, std::string_view number, int decimals) {
    std::string out(nc::FastValueRoom(number.size()), '\0');
    const char* end = fast(out.data(), number, decimals);
    if (end == nullptr) return std::nullopt;
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

// Random numbers as they appear in programs: signs, leading zeros, bare
// points, up to 18 digits on either side of the point.
std::string RandomNumber(std::mt19937_64& random, bool point) {
    std::uniform_int_distribution<int> length(0, 9);
    std::uniform_int_distribution<int> longLength(0, 18);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> coin(0, 3);
    const auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + digit(random));
        return text;
    };
    std::string text = coin(random) == 0 ? "-" : "";
    text += digits(coin(random) == 0 ? longLength(random) : length(random));
    if (point) text += "." + digits(coin(random) == 0 ? longLength(random) : length(random) % 7);
    if (text.empty() || text == "-") text += "0";
    return text;
}

std::string Run(Append append, std::string_view number, int decimals) {
    std::string out;
    try {
        append(out, number, decimals);
    } catch (const nc::NcError& error) {
        return std::string("error: ") + error.what();
    }
    return out;
}

void ExpectSameBytes(TryWrite fast, Append general, bool point,
                     int (*decimalsFor)(const std::string&, int)) {
    std::mt19937_64 random(20261210);
    int fastCount = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::string number = RandomNumber(random, point);
        const int decimals = decimalsFor(number, 1 + i % 6);
        const auto out = Fast(fast, number, decimals);
        if (!out) continue;
        ++fastCount;
        ASSERT_EQ(*out, Run(general, number, decimals)) << number << " decimals " << decimals;
    }
    EXPECT_GT(fastCount, 100000) << "the fast path declined too often to be tested";
}

int UnitDecimals(const std::string&, int unit) {
    return unit;
}

int DoubledDecimals(const std::string& number, int) {
    const auto point = number.find('.');
    if (point == std::string::npos) return 0;
    const int after = static_cast<int>(number.size() - point - 1);
    return after == 0 ? 1 : after;
}

TEST(FastPath, DoublingWritesTheSameBytes) {
    ExpectSameBytes(&nc::WriteDoubledFast, &nc::AppendDoubledGeneral, false, &DoubledDecimals);
    ExpectSameBytes(&nc::WriteDoubledFast, &nc::AppendDoubledGeneral, true, &DoubledDecimals);
}

TEST(FastPath, InsertionWritesTheSameBytes) {
    ExpectSameBytes(&nc::WriteInsertedFast, &nc::AppendInsertedGeneral, false, &UnitDecimals);
}

TEST(FastPath, RemovalWritesTheSameBytes) {
    ExpectSameBytes(&nc::WriteRemovedFast, &nc::AppendRemovedGeneral, true, &UnitDecimals);
}

TEST(FastPath, DeclinesWhatItCannotTakeExactly) {
    EXPECT_FALSE(Fast(&nc::WriteInsertedFast, "123456789012345678", 3)); // 18 digits
    EXPECT_FALSE(Fast(&nc::WriteInsertedFast, "1-2", 3));
    EXPECT_FALSE(Fast(&nc::WriteRemovedFast, "1E3", 3));
    EXPECT_FALSE(Fast(&nc::WriteRemovedFast, "1234567890123456.5", 3)); // result of 19 digits
    EXPECT_FALSE(Fast(&nc::WriteDoubledFast, "-", 0));
}

} // namespace
