#include "cli_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

namespace cli {
namespace {

const std::map<std::string, Command> kCommands = {
    {"double", Command::Double}, {"insert", Command::Insert}, {"remove", Command::Remove},
    {"split", Command::Split},   {"join", Command::Join},     {"vars", Command::Vars},
};

std::optional<int> UnitDecimals(const std::string& unit) {
    static const std::array<const char*, 6> units = {"0.1",    "0.01",    "0.001",
                                                     "0.0001", "0.00001", "0.000001"};
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (unit == units[i]) return static_cast<int>(i) + 1;
    }
    return std::nullopt;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

class Parser {
  public:
    Parser(const std::vector<std::string>& args, std::string& error)
        : m_args(args), m_error(error) {}

    std::optional<Options> Parse() {
        if (m_args.empty()) {
            Reject("no command given");
            return std::nullopt;
        }
        if (m_args[0] == "--help" || m_args[0] == "-h" || m_args[0] == "help") return m_options;
        const auto command = kCommands.find(m_args[0]);
        if (command == kCommands.end()) {
            Reject("unknown command '" + m_args[0] + "'");
            return std::nullopt;
        }
        m_options.command = command->second;
        bool onlyFiles = false;
        for (m_index = 1; m_index < m_args.size(); ++m_index) {
            const std::string& arg = m_args[m_index];
            if (onlyFiles || arg == "-" || arg.empty() || arg[0] != '-') {
                m_options.files.push_back(arg);
            } else if (arg == "--") {
                onlyFiles = true;
            } else if (!TakeOption(arg)) {
                return std::nullopt;
            }
        }
        if (!CheckCommand()) return std::nullopt;
        return m_options;
    }

  private:
    std::optional<std::string> Value(const std::string& option) {
        if (m_index + 1 >= m_args.size()) {
            Reject(option + " needs a value");
            return std::nullopt;
        }
        return m_args[++m_index];
    }

    bool Allowed(const std::string& option, std::initializer_list<Command> commands) {
        if (std::find(commands.begin(), commands.end(), m_options.command) != commands.end()) {
            return true;
        }
        return Reject(option + " does not go with " + m_args[0]);
    }

    bool TakeOption(const std::string& arg) {
        using enum Command;
        if (arg == "--yes") return (m_options.yes = true);
        if (arg == "-o") return Allowed(arg, {Double, Insert, Remove, Join, Vars}) && TakeOutput();
        if (arg == "--axis") return Allowed(arg, {Double}) && TakeAxis();
        if (arg == "--unit") return Allowed(arg, {Insert, Remove}) && TakeUnit();
        if (arg == "--keep") return Allowed(arg, {Insert, Remove}) && TakeKeep();
        if (arg == "--dest") return Allowed(arg, {Split}) && TakeDestination();
        if (arg == "--percent-first")
            return Allowed(arg, {Split}) && (m_options.percentFirst = true);
        if (arg == "--percent-last") return Allowed(arg, {Split}) && (m_options.percentLast = true);
        if (arg == "--number") return Allowed(arg, {Split}) && (m_options.numbered = true);
        if (arg == "--skip-empty") return Allowed(arg, {Split}) && (m_options.skipEmpty = true);
        return Reject("unknown option '" + arg + "'");
    }

    bool Reject(const std::string& reason) {
        m_error = reason;
        return false;
    }

    bool TakeOutput() {
        const auto value = Value("-o");
        if (!value) return false;
        if (value->empty()) return Reject("-o needs a file name");
        m_options.output = *value;
        return true;
    }

    bool TakeAxis() {
        const auto value = Value("--axis");
        if (!value) return false;
        const std::string axis = Upper(*value);
        if (axis.size() != 1 || std::string_view("XYZIJKUVW").find(axis[0]) == std::string::npos) {
            return Reject("--axis takes one of X Y Z I J K U V W");
        }
        m_options.axis = axis[0];
        return true;
    }

    bool TakeUnit() {
        const auto value = Value("--unit");
        if (!value) return false;
        const auto decimals = UnitDecimals(*value);
        if (!decimals) return Reject("--unit takes one of 0.1 0.01 0.001 0.0001 0.00001 0.000001");
        m_options.unitDecimals = *decimals;
        return true;
    }

    bool TakeKeep() {
        const auto value = Value("--keep");
        if (!value) return false;
        if (value->empty()) return Reject("--keep needs at least one letter");
        m_options.keepLetters = Upper(*value);
        return true;
    }

    bool TakeDestination() {
        const auto value = Value("--dest");
        if (!value) return false;
        if (value->empty()) return Reject("--dest needs a folder");
        m_options.destination = *value;
        return true;
    }

    bool CheckCommand() {
        const auto& o = m_options;
        if (o.command == Command::Double && o.axis == 0) return Reject("double needs --axis");
        if (o.command == Command::Split && o.destination.empty())
            return Reject("split needs --dest");
        if (o.command == Command::Join) {
            if (o.output.empty()) return Reject("join needs -o");
            if (o.files.size() < 2) return Reject("join needs two or more files");
            return true;
        }
        if (o.files.empty()) return Reject(m_args[0] + " needs a file");
        if (o.command == Command::Split && o.files.size() > 1)
            return Reject("split takes exactly one file");
        // Several files are each written beside themselves, so one output cannot be named.
        if (o.files.size() > 1 && !o.output.empty())
            return Reject("-o takes one file; with several files each output goes beside its file");
        return true;
    }

    const std::vector<std::string>& m_args;
    std::string& m_error;
    Options m_options;
    std::size_t m_index = 0;
};

} // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    return Parser(args, error).Parse();
}

const char* const kUsage = R"(usage:
  tornwel-nc double --axis L [--yes] [-o OUT] FILE
  tornwel-nc insert [--unit U] [--keep LETTERS] [--yes] [-o OUT] FILE
  tornwel-nc remove [--unit U] [--keep LETTERS] [--yes] [-o OUT] FILE
  tornwel-nc split --dest DIR [--percent-first] [--percent-last] [--number] [--skip-empty] [--yes] FILE
  tornwel-nc join -o OUT [--yes] FILE FILE...
  tornwel-nc vars [--yes] [-o OUT] FILE
  tornwel-nc double|insert|remove|vars [OPTIONS] FILE FILE...   (each output beside its file)
  tornwel-nc --help
)";

} // namespace cli
