#include "nc_error.h"

#include <cstring>

namespace nc {

std::string SystemReason(int error) {
    return std::strerror(error);
}

std::string InvalidNumberMessage(const std::string& text) {
    return "'" + text + "' は浮動小数点数ではありません";
}

bool IsInvalidNumberMessage(std::string_view message) {
    const std::string empty = InvalidNumberMessage("");
    const std::string_view head = std::string_view(empty).substr(0, 1);
    const std::string_view tail = std::string_view(empty).substr(1);
    return message.size() >= empty.size() && message.starts_with(head) && message.ends_with(tail);
}

std::string CannotCreateMessage(const std::string& path) {
    return "ファイル " + path + " を作成できません";
}

std::string CannotOpenMessage(const std::string& path) {
    return "ファイル " + path + " は開けません";
}

} // namespace nc
