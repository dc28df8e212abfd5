#include "nc_error.h"

namespace nc {

std::string InvalidNumberMessage(const std::string& text) {
    return "'" + text + "' は浮動小数点数ではありません";
}

std::string CannotCreateMessage(const std::string& path) {
    return "ファイル " + path + " を作成できません";
}

std::string CannotOpenMessage(const std::string& path) {
    return "ファイル " + path + " は開けません";
}

} // namespace nc
