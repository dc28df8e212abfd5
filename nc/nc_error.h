#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nc {

// An error that ends a conversion. The text is the message shown to the user;
// the line number (1-based, 0 when no line is involved) says where it stopped;
// the reason is the system's word on a file that failed (empty otherwise).
class NcError final : public std::runtime_error {
  public:
    explicit NcError(const std::string& message, std::int64_t line = 0, std::string reason = {})
        : std::runtime_error(message), m_line(line), m_reason(std::move(reason)) {}
    std::int64_t line() const { return m_line; }
    const std::string& reason() const { return m_reason; }
    NcError atLine(std::int64_t line) const { return NcError(what(), line, m_reason); }

  private:
    std::int64_t m_line;
    std::string m_reason;
};

// The system's text for an error number.
std::string SystemReason(int error);

std::string InvalidNumberMessage(const std::string& text);
bool IsInvalidNumberMessage(std::string_view message);
std::string CannotCreateMessage(const std::string& path);
std::string CannotOpenMessage(const std::string& path);

inline constexpr const char* kNoProgramNumberMessage = "Ｏ番号が見つかりません。";
inline constexpr const char* kJoinNameIsSourceMessage =
    "この結合ﾌｧｲﾙ名は選択したﾌｧｲﾙに存在します。";
inline constexpr const char* kFileFormQuestion =
    "ファイル形式が違います。\nそのまま読み込みは可能ですが、データの一部読み込めない可能性が有りま"
    "す。\n"
    "読み込み開始は「はい(Y)」";

} // namespace nc
