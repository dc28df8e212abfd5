#include "text_editor_lookup.h"

#include "desktop_entry.h"
#include "desktop_programs.h"
#include "key_file.h"
#include "paths.h"
#include "program_files.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <set>

namespace extapps {

namespace {

constexpr std::string_view kTextMimeType = "text/plain";
constexpr std::array<const char*, 11> kCommonTextEditors = {
    "gnome-text-editor", "gedit",   "kwrite", "kate", "mousepad", "xed", "pluma",
    "featherpad",        "leafpad", "geany",  "xedit"};

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    while (!text.empty()) {
        const auto end = text.find(separator);
        if (end != 0) parts.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return parts;
}

std::vector<std::string> AbsoluteFolders(std::string_view list, std::string_view fallback) {
    std::vector<std::string> folders = Split(list.empty() ? fallback : list, ':');
    std::erase_if(folders, [](const std::string& folder) { return folder.front() != '/'; });
    return folders;
}

std::string AbsoluteFolderOr(const std::string& folder, const std::string& fallback) {
    return !folder.empty() && folder.front() == '/' ? folder : fallback;
}

std::vector<std::string> ApplicationFolders(const DesktopEnvironment& environment) {
    std::vector<std::string> folders = {platform::JoinPath(environment.DataHome, "applications")};
    for (const auto& data : environment.DataDirs)
        folders.push_back(platform::JoinPath(data, "applications"));
    return folders;
}

// The mimeapps.list files in falling priority: per folder, the desktop-specific
// lists before the common one.
std::vector<std::string> MimeAppsLists(const DesktopEnvironment& environment) {
    std::vector<std::string> folders = {environment.ConfigHome};
    folders.insert(folders.end(), environment.ConfigDirs.begin(), environment.ConfigDirs.end());
    const auto applications = ApplicationFolders(environment);
    folders.insert(folders.end(), applications.begin(), applications.end());
    std::vector<std::string> lists;
    for (const auto& folder : folders) {
        for (const auto& desktop : environment.CurrentDesktops)
            lists.push_back(platform::JoinPath(folder, desktop + "-mimeapps.list"));
        lists.push_back(platform::JoinPath(folder, "mimeapps.list"));
    }
    return lists;
}

std::vector<std::string> TextPlainIds(const std::string& file, std::string_view group) {
    const auto text = ReadWholeFile(file);
    if (!text) return {};
    const auto keys = KeyFileGroup(*text, group);
    const auto found = keys.find(kTextMimeType);
    return found == keys.end() ? std::vector<std::string>() : Split(found->second, ';');
}

// The desktop file ids associated with text/plain, most preferred first.
std::vector<std::string> TextPlainCandidates(const DesktopEnvironment& environment) {
    std::vector<std::string> defaults;
    std::vector<std::string> associated;
    std::set<std::string> removed;
    for (const auto& list : MimeAppsLists(environment)) {
        std::ranges::copy(TextPlainIds(list, "Default Applications"), std::back_inserter(defaults));
        std::ranges::copy(TextPlainIds(list, "Added Associations"), std::back_inserter(associated));
        std::ranges::copy(TextPlainIds(list, "Removed Associations"),
                          std::inserter(removed, removed.end()));
    }
    for (const auto& folder : ApplicationFolders(environment)) {
        std::ranges::copy(TextPlainIds(platform::JoinPath(folder, "mimeinfo.cache"), "MIME Cache"),
                          std::back_inserter(associated));
    }
    std::erase_if(associated, [&](const std::string& id) { return removed.contains(id); });
    defaults.insert(defaults.end(), associated.begin(), associated.end());
    return defaults;
}

// A desktop file id names a file below an applications folder; "-" in the id
// may stand for a subfolder ("kde4-kate.desktop" is kde4/kate.desktop).
std::optional<std::string> DesktopFileText(const DesktopEnvironment& environment,
                                           const std::string& id) {
    for (const auto& folder : ApplicationFolders(environment)) {
        std::string relative = id;
        for (std::size_t dash = 0;; ++dash) {
            if (auto text = ReadWholeFile(platform::JoinPath(folder, relative))) return text;
            dash = relative.find('-', dash);
            if (dash == std::string::npos) break;
            relative[dash] = '/';
        }
    }
    return std::nullopt;
}

std::optional<LaunchRequest> LaunchFromEntry(const DesktopEnvironment& environment,
                                             const DesktopEntry& entry, const std::string& file) {
    if (entry.Type != "Application" || entry.Hidden || entry.Terminal) return std::nullopt;
    if (!entry.TryExec.empty() && FindProgram(entry.TryExec, environment.SearchPath).empty())
        return std::nullopt;
    auto words = ExpandDesktopExec(entry.Exec, file);
    if (!words) return std::nullopt;
    std::string program = FindProgram(words->front(), environment.SearchPath);
    if (program.empty()) return std::nullopt;
    words->erase(words->begin());
    return LaunchRequest{std::move(program), std::move(*words)};
}

std::optional<LaunchRequest> DefaultTextApplication(const DesktopEnvironment& environment,
                                                    const std::string& file) {
    for (const auto& id : TextPlainCandidates(environment)) {
        const auto text = DesktopFileText(environment, id);
        if (!text) continue;
        if (auto request = LaunchFromEntry(environment, ParseDesktopEntry(*text), file))
            return request;
    }
    return std::nullopt;
}

} // namespace

DesktopEnvironment
DesktopEnvironmentFrom(const std::function<std::string(std::string_view name)>& variable) {
    const std::string home = variable("HOME");
    DesktopEnvironment environment;
    environment.ConfigHome = AbsoluteFolderOr(variable("XDG_CONFIG_HOME"), home + "/.config");
    environment.ConfigDirs = AbsoluteFolders(variable("XDG_CONFIG_DIRS"), "/etc/xdg");
    environment.DataHome = AbsoluteFolderOr(variable("XDG_DATA_HOME"), home + "/.local/share");
    environment.DataDirs =
        AbsoluteFolders(variable("XDG_DATA_DIRS"), "/usr/local/share:/usr/share");
    environment.CurrentDesktops = Split(variable("XDG_CURRENT_DESKTOP"), ':');
    for (auto& desktop : environment.CurrentDesktops) {
        std::ranges::transform(desktop, desktop.begin(), [](unsigned char c) {
            return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        });
    }
    environment.SearchPath = AbsoluteFolders(variable("PATH"), "/usr/local/bin:/usr/bin:/bin");
    return environment;
}

DesktopEnvironment DesktopEnvironmentFromProcess() {
    return DesktopEnvironmentFrom([](std::string_view name) {
        const char* value = std::getenv(std::string(name).c_str());
        return value ? std::string(value) : std::string();
    });
}

std::optional<LaunchRequest> FallbackTextEditor(const DesktopEnvironment& environment,
                                                const std::string& file) {
    if (auto request = DefaultTextApplication(environment, file)) return request;
    std::string program = FirstProgramFound(kCommonTextEditors, environment.SearchPath);
    if (program.empty()) return std::nullopt;
    return LaunchRequest{std::move(program), {file}};
}

} // namespace extapps
