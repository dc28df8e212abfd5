#include "start_target.h"

#include "paths.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>

namespace app {
namespace {

// The options of QGuiApplication and QApplication that take a value.
constexpr std::array<std::string_view, 15> kQtValueOptions = {"-platform",
                                                              "-platformpluginpath",
                                                              "-platformtheme",
                                                              "-plugin",
                                                              "-qwindowgeometry",
                                                              "-geometry",
                                                              "-qwindowtitle",
                                                              "-title",
                                                              "-qwindowicon",
                                                              "-icon",
                                                              "-session",
                                                              "-display",
                                                              "-name",
                                                              "-style",
                                                              "-stylesheet"};

bool TakesValue(std::string_view option) {
    // Qt accepts each option with one dash or two.
    if (option.starts_with("--")) option.remove_prefix(1);
    return std::find(kQtValueOptions.begin(), kQtValueOptions.end(), option) !=
           kQtValueOptions.end();
}

std::string AbsolutePath(const std::string& path, const std::string& currentDir) {
    const std::filesystem::path whole = path.starts_with('/')
                                            ? std::filesystem::path(path)
                                            : std::filesystem::path(currentDir) / path;
    return platform::WithoutTrailingSeparator(whole.lexically_normal().string());
}

} // namespace

std::optional<std::string> StartPathArgument(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            if (i + 1 < args.size()) return args[i + 1];
            return std::nullopt;
        }
        if (arg.empty()) continue;
        if (arg[0] != '-') return arg;
        if (TakesValue(arg)) ++i;
    }
    return std::nullopt;
}

std::optional<StartTarget> ResolveStartTarget(const std::string& path,
                                              const std::string& currentDir) {
    if (path.empty()) return std::nullopt;
    const std::string absolute = AbsolutePath(path, currentDir);
    struct stat info {};
    if (::stat(absolute.c_str(), &info) != 0) return std::nullopt;
    if (S_ISDIR(info.st_mode)) return StartTarget{absolute, {}};
    const auto [folder, name] = platform::SplitPath(absolute);
    return StartTarget{folder, name};
}

std::string StartTargetPath(const StartTarget& target) {
    if (target.fileName.empty()) return target.folder;
    return platform::JoinPath(target.folder, target.fileName);
}

} // namespace app
