#include "nc_commands.h"

#include "atomic_file.h"
#include "encoding.h"
#include "nc_error.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <unordered_set>

namespace nc {
namespace {

constexpr const char* kFormulaMark = "[数式]";
// Files from this size are scanned in parts side by side, at most this many.
constexpr std::uint64_t kPartsFrom = std::uint64_t{8} << 20;
constexpr unsigned kMaxParts = 8;

class VariableCollector final {
  public:
    // The walk of each line from its end names, at every "#", the "#" and the
    // digits right after it, so the variables are found from left to right
    // at each "#" of the text; lines starting with "O" or ":" are left out.
    void ScanText(std::string_view text) {
        const char* at = text.data();
        const char* const end = at + text.size();
        const char* knownLineStart = at; // a line start at or before `at`
        for (;;) {
            const auto* hash = static_cast<const char*>(std::memchr(at, '#', end - at));
            if (hash == nullptr) return;
            const char* lineStart = FindLastLineBreak(knownLineStart, hash);
            lineStart = lineStart == nullptr ? knownLineStart : lineStart + 1;
            knownLineStart = lineStart;
            if (*lineStart == 'O' || *lineStart == ':') {
                at = FindLineBreak(hash, end);
                continue;
            }
            const char* digitsEnd = hash + 1;
            while (digitsEnd != end && *digitsEnd >= '0' && *digitsEnd <= '9')
                ++digitsEnd;
            Add(std::string_view(hash, static_cast<std::size_t>(digitsEnd - hash)));
            at = digitsEnd;
        }
    }

    void Merge(const VariableCollector& other) {
        for (const auto& text : other.m_found)
            Add(text);
    }

    VariableList Sorted() && {
        VariableList list;
        for (auto& text : m_found) {
            switch (text.size()) {
            case 1:
                list.other.push_back(text + kFormulaMark);
                break;
            case 2:
            case 3:
                list.local.push_back(std::move(text));
                break;
            case 4:
                list.common.push_back(std::move(text));
                break;
            case 5:
                list.system.push_back(std::move(text));
                break;
            default:
                list.other.push_back(std::move(text));
                break;
            }
        }
        for (auto* kind : {&list.local, &list.common, &list.system, &list.other}) {
            std::sort(kind->begin(), kind->end());
        }
        return list;
    }

  private:
    void Add(std::string_view text) {
        if (m_seen.emplace(text).second) m_found.emplace_back(text);
    }

    std::unordered_set<std::string> m_seen;
    std::vector<std::string> m_found;
};

void AppendKind(std::string& text, const char* label, const std::vector<std::string>& entries) {
    text += label;
    text += std::to_string(entries.size());
    text += "\r\n";
    for (const auto& entry : entries) {
        text += entry;
        text += "\r\n";
    }
}

// Parts of a large file are scanned side by side, each by a reader of its
// own; a part whose text ends at a NUL ends the text of the file.
// The first part is read on this thread by the reader that asked the
// file-form question, which has its first bytes already.
VariableCollector ScanInParts(NcReader& first, const std::string& source, unsigned parts) {
    const std::uint64_t size = first.fileSize();
    std::vector<VariableCollector> collectors(parts);
    std::vector<char> endsAtNul(parts, 0);
    std::vector<std::exception_ptr> failures(parts);
    const auto scan = [&](NcReader& reader, unsigned part) {
        std::string_view block;
        while (reader.NextBlock(block))
            collectors[part].ScanText(block);
        endsAtNul[part] = reader.endsAtNul();
    };
    std::vector<std::thread> threads;
    for (unsigned part = 1; part < parts; ++part) {
        threads.emplace_back([&, part] {
            try {
                NcReader reader(source, size * part / parts, size * (part + 1) / parts);
                scan(reader, part);
            } catch (...) {
                failures[part] = std::current_exception();
            }
        });
    }
    try {
        first.LimitTo(size / parts);
        scan(first, 0);
    } catch (...) {
        failures[0] = std::current_exception();
    }
    for (auto& thread : threads)
        thread.join();
    VariableCollector all;
    for (unsigned part = 0; part < parts; ++part) {
        if (failures[part]) std::rethrow_exception(failures[part]);
        all.Merge(collectors[part]);
        if (endsAtNul[part]) break;
    }
    return all;
}

} // namespace

VariableList ScanVariables(const std::string& source, const FormQuestion& ask,
                           const Progress& progress) {
    NcReader reader(source, ask);
    const unsigned parts = std::min(std::thread::hardware_concurrency(), kMaxParts);
    if (!reader.textWasEmpty() && parts > 1 && reader.fileSize() >= kPartsFrom) {
        VariableList list = ScanInParts(reader, source, parts).Sorted();
        if (progress) progress(reader.fileSize(), reader.fileSize());
        return list;
    }
    VariableCollector collector;
    std::string_view block;
    while (reader.NextBlock(block)) {
        collector.ScanText(block);
        if (progress) progress(reader.bytesDone(), reader.fileSize());
    }
    if (progress) progress(reader.fileSize(), reader.fileSize());
    return std::move(collector).Sorted();
}

std::string VariableListText(const VariableList& list) {
    std::string text;
    AppendKind(text, "ローカル変数= ", list.local);
    AppendKind(text, "コモン変数= ", list.common);
    AppendKind(text, "システム変数= ", list.system);
    AppendKind(text, "その他変数= ", list.other);
    return text;
}

void SaveVariableList(const VariableList& list, const std::string& path) {
    try {
        platform::WriteFileAtomically(path, platform::ToSettingsEncoding(VariableListText(list)));
    } catch (const std::system_error& failure) {
        throw NcError(CannotCreateMessage(path), 0, failure.code().message());
    }
}

} // namespace nc
