#include "file_sorting.h"

#include "collation.h"
#include "folder_reader.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace filelist {
namespace {

// One comparable value per row, so that sorting 100,000 rows compares
// numbers or precomputed collation keys, never texts.
struct SortValue {
    std::int64_t number = 0;
    std::size_t key = 0; // index into the collation keys
};

std::vector<QCollatorSortKey> NameKeys(const std::vector<FileRow>& rows) {
    std::vector<QCollatorSortKey> keys;
    keys.reserve(rows.size());
    for (const auto& row : rows)
        keys.push_back(platform::Collation().SortKey(row.caption));
    return keys;
}

// The ranks of texts in collation order, for a few distinct texts shared by
// many rows (type texts, attribute letters).
std::vector<std::int64_t> TextRanks(const std::vector<QString>& texts) {
    std::vector<QString> distinct = texts;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    std::stable_sort(distinct.begin(), distinct.end(), [](const QString& a, const QString& b) {
        return platform::Collation().Compare(a, b) < 0;
    });
    std::map<QString, std::int64_t> rank;
    for (std::size_t i = 0; i < distinct.size(); ++i) {
        // Texts that collate equal share a rank.
        const bool same = i > 0 && platform::Collation().Compare(distinct[i - 1], distinct[i]) == 0;
        rank[distinct[i]] = same ? rank[distinct[i - 1]] : static_cast<std::int64_t>(i);
    }
    std::vector<std::int64_t> ranks;
    ranks.reserve(texts.size());
    for (const auto& text : texts)
        ranks.push_back(rank[text]);
    return ranks;
}

std::vector<std::int64_t> Numbers(const std::vector<FileRow>& rows, int sortKind,
                                  const FileListModel& texts) {
    std::vector<std::int64_t> numbers;
    numbers.reserve(rows.size());
    if (sortKind == 2) {
        for (const auto& row : rows)
            numbers.push_back(static_cast<std::int64_t>((row.size + 1023) / 1024));
    } else if (sortKind == 4) {
        // The shown text has minutes; files changed within one minute are equal.
        for (const auto& row : rows) {
            const std::int64_t seconds = row.modified;
            numbers.push_back(seconds >= 0 ? seconds / 60 : (seconds - 59) / 60);
        }
    } else {
        std::vector<QString> values;
        values.reserve(rows.size());
        for (const auto& row : rows) {
            values.push_back(sortKind == 3
                                 ? texts.TypeText(row)
                                 : QString::fromStdString(AttributeLetters(row.attributes)));
        }
        numbers = TextRanks(values);
    }
    return numbers;
}

// Puts rows[order[i]] at i, in place: a big folder is not held twice.
void ApplyOrder(std::vector<FileRow>& rows, std::vector<std::size_t>& order) {
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start) continue;
        FileRow held = std::move(rows[start]);
        std::size_t at = start;
        while (order[at] != start) {
            const std::size_t from = order[at];
            rows[at] = std::move(rows[from]);
            order[at] = at;
            at = from;
        }
        rows[at] = std::move(held);
        order[at] = at;
    }
}

template <typename Less> void SortBy(std::vector<FileRow>& rows, Less less, bool descending) {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (descending) {
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return less(b, a); });
    } else {
        std::stable_sort(order.begin(), order.end(), less);
    }
    ApplyOrder(rows, order);
}

} // namespace

void SortFileRows(std::vector<FileRow>& rows, int sortKind, bool descending,
                  const FileListModel& texts) {
    if (sortKind == 1) {
        const auto keys = NameKeys(rows);
        SortBy(
            rows, [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; },
            descending);
    } else if (sortKind >= 2 && sortKind <= 5) {
        const auto numbers = Numbers(rows, sortKind, texts);
        SortBy(
            rows, [&](std::size_t a, std::size_t b) { return numbers[a] < numbers[b]; },
            descending);
    }
}

void SortByName(std::vector<FileRow>& rows) {
    const auto keys = NameKeys(rows);
    SortBy(
        rows, [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; }, false);
}

} // namespace filelist
