#include "encoding.h"
#include "history_list.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using filelist::HistoryMatch;
using testsupport::ReadFile;
using testsupport::TempDir;
using List = std::vector<std::string>;

constexpr const char* kBom = "\xEF\xBB\xBF";

// "e0", "e1", ... "e<count-1>".
List Numbered(std::size_t count) {
    List entries;
    for (std::size_t i = 0; i < count; ++i)
        entries.push_back("e" + std::to_string(i));
    return entries;
}

List NewThenNumbered(const std::string& text, std::size_t count) {
    List entries = Numbered(count);
    entries.insert(entries.begin(), text);
    return entries;
}

struct PushCase {
    const char* name;
    List before;
    std::string text;
    HistoryMatch match;
    List after;
};

TEST(HistoryPush, FollowsTheFourSteps) {
    const PushCase cases[] = {
        {"onto an empty list", {}, "/a", HistoryMatch::Exact, {"/a"}},
        {"new text on top", {"/b", "/c"}, "/a", HistoryMatch::Exact, {"/a", "/b", "/c"}},
        {"21st entry cut", Numbered(20), "new", HistoryMatch::Exact, NewThenNumbered("new", 19)},
        {"longer loaded list cut", Numbered(25), "new", HistoryMatch::IgnoreAsciiCase,
         NewThenNumbered("new", 19)},
        {"duplicate at the end saves the cut", Numbered(20), "e19", HistoryMatch::Exact,
         NewThenNumbered("e19", 19)},
        {"exact duplicate moves up",
         {"x", "/nc", "y"},
         "/nc",
         HistoryMatch::Exact,
         {"/nc", "x", "y"}},
        {"same text as entry 0", {"/a", "/b"}, "/a", HistoryMatch::Exact, {"/a", "/b"}},
        {"only the first duplicate goes",
         {"/a", "/b", "/a"},
         "/a",
         HistoryMatch::Exact,
         {"/a", "/b", "/a"}},
        {"main box: case variant is a duplicate",
         {"x", "*.nc", "y"},
         "*.NC",
         HistoryMatch::IgnoreAsciiCase,
         {"*.NC", "x", "y"}},
        {"main box: the new spelling wins",
         {"c:\\nc"},
         "C:\\NC",
         HistoryMatch::IgnoreAsciiCase,
         {"C:\\NC"}},
        {"main box: only a-z fold",
         {"/\xC3\xA4"},
         "/\xC3\x84",
         HistoryMatch::IgnoreAsciiCase,
         {"/\xC3\x84", "/\xC3\xA4"}},
        {"main box: raw Latin-1 bytes do not fold",
         {"/\xE4"},
         "/\xC4",
         HistoryMatch::IgnoreAsciiCase,
         {"/\xC4", "/\xE4"}},
        {"main box: not a duplicate by length",
         {"*.NC1"},
         "*.nc",
         HistoryMatch::IgnoreAsciiCase,
         {"*.nc", "*.NC1"}},
        {"dialog: case variant stays",
         {"1", "2", "3", "4", "5", "C:\\NC"},
         "c:\\nc",
         HistoryMatch::Exact,
         {"c:\\nc", "1", "2", "3", "4", "5", "C:\\NC"}},
        {"empties removed up to the duplicate",
         {"", "/b", "", "/a", "", "/c"},
         "/a",
         HistoryMatch::Exact,
         {"/a", "/b", "", "/c"}},
        {"without a duplicate every empty goes",
         {"", "/b", "", ""},
         "/a",
         HistoryMatch::Exact,
         {"/a", "/b"}},
        {"empty text removes the first older empty",
         {"/b", "", "/c", ""},
         "",
         HistoryMatch::Exact,
         {"", "/b", "/c", ""}},
        {"empty text on a list without empties",
         {"/b"},
         "",
         HistoryMatch::IgnoreAsciiCase,
         {"", "/b"}},
    };
    for (const PushCase& c : cases) {
        List entries = c.before;
        filelist::PushHistory(entries, c.text, c.match);
        EXPECT_EQ(entries, c.after) << c.name;
    }
}

struct PickCase {
    const char* name;
    List before;
    std::size_t index;
    List after;
};

TEST(HistoryPick, MovesThePickedEntryToTheTop) {
    List longList = Numbered(25);
    List longAfter = NewThenNumbered("e24", 24);
    const PickCase cases[] = {
        {"middle entry", {"/a", "/b", "/c"}, 1, {"/b", "/a", "/c"}},
        {"last entry", {"/a", "/b", "/c"}, 2, {"/c", "/a", "/b"}},
        {"entry 0 keeps one copy", {"/a", "/b"}, 0, {"/a", "/b"}},
        {"empties above it go, those below stay",
         {"", "/a", "", "/b", "", "/c"},
         3,
         {"/b", "/a", "", "/c"}},
        {"an identical copy above is the one removed", {"/a", "/b", "/a"}, 2, {"/a", "/b", "/a"}},
        {"case variants are different entries", {"/nc", "/NC"}, 1, {"/NC", "/nc"}},
        {"an empty entry picked", {"/a", "", "/b"}, 1, {"", "/a", "/b"}},
        {"nothing is cut", longList, 24, longAfter},
        {"index out of range", {"/a", ""}, 2, {"/a", ""}},
    };
    for (const PickCase& c : cases) {
        List entries = c.before;
        filelist::MoveHistoryEntryToTop(entries, c.index);
        EXPECT_EQ(entries, c.after) << c.name;
    }
}

TEST(HistoryPick, TextOtherThanThePickGoesOnTop) {
    List masks = {"*.TXT", "", "*.nc", "*.NC"};
    filelist::MoveHistoryTextToTop(masks, "*.NC", HistoryMatch::IgnoreAsciiCase);
    EXPECT_EQ(masks, (List{"*.NC", "*.TXT", "*.NC"}));

    List paths = {"", "/a", ""};
    filelist::MoveHistoryTextToTop(paths, "/kept", HistoryMatch::Exact);
    EXPECT_EQ(paths, (List{"/kept", "/a"}));
}

TEST(HistoryFileLoad, SplitsAtEveryKindOfLineBreak) {
    TempDir dir;
    const List expected = {"/one", "/two", "/three", "/four"};
    const std::string variants[] = {
        "/one\r\n/two\r\n/three\r\n/four",
        "/one\r/two\n/three\r\n/four",
        "/one\n/two\r/three\n/four\r\n",
        "/one\r/two\r/three\r/four\r",
    };
    for (const std::string& bytes : variants) {
        const auto loaded = filelist::LoadHistoryFile(dir.Write("t.LST", bytes));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(*loaded, expected) << bytes;
    }
}

TEST(HistoryFileLoad, BlankLinesAreEmptyEntries) {
    TempDir dir;
    const auto loaded =
        filelist::LoadHistoryFile(dir.Write("t.LST", "\r\n/a\r\n\r\n\n\r/b\r\n\r\n"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, (List{"", "/a", "", "", "", "/b", ""}));
}

TEST(HistoryFileLoad, EmptyFileIsAnEmptyList) {
    TempDir dir;
    const auto loaded = filelist::LoadHistoryFile(dir.Write("t.LST", ""));
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->empty());
}

TEST(HistoryFileLoad, MissingFileGivesNothing) {
    TempDir dir;
    EXPECT_FALSE(filelist::LoadHistoryFile(dir.File("MainPath.LST")));
    EXPECT_FALSE(filelist::LoadHistoryFile(dir.File("no/such/folder/Mask.LST")));
}

TEST(HistoryFileLoad, UnreadableFileThrows) {
    TempDir dir;
    dir.Write("t.LST/inside", "");
    EXPECT_THROW(filelist::LoadHistoryFile(dir.File("t.LST")), std::system_error);
    ASSERT_EQ(::symlink("loop.LST", dir.File("loop.LST").c_str()), 0);
    EXPECT_THROW(filelist::LoadHistoryFile(dir.File("loop.LST")), std::system_error);
    if (::geteuid() == 0) return; // root reads files without permission
    const auto path = dir.Write("locked.LST", "/a\r\n");
    ::chmod(path.c_str(), 0);
    EXPECT_THROW(filelist::LoadHistoryFile(path), std::system_error);
}

TEST(HistoryFileLoad, ReadsCp932AndUtf8WithBom) {
    TempDir dir;
    // "/NC/プログラム" and "/ﾃｽﾄ" in CP932.
    const auto cp932 = filelist::LoadHistoryFile(
        dir.Write("a.LST", "/NC/\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\r\n/\xC3\xBD\xC4\r\n"));
    ASSERT_TRUE(cp932);
    EXPECT_EQ(*cp932, (List{"/NC/プログラム", "/ﾃｽﾄ"}));
    const auto utf8 =
        filelist::LoadHistoryFile(dir.Write("b.LST", std::string(kBom) + "/사진\r\n/😀\r\n"));
    ASSERT_TRUE(utf8);
    EXPECT_EQ(*utf8, (List{"/사진", "/😀"}));
}

TEST(HistoryFileSave, WritesCp932WhenEveryEntryFits) {
    TempDir dir;
    const List entries = {"/NC/プログラム", "", "/ﾃｽﾄ", "*.NC"};
    const auto path = dir.File("MainPath.LST");
    filelist::SaveHistoryFile(path, entries);
    EXPECT_EQ(ReadFile(path),
              "/NC/\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\r\n\r\n/\xC3\xBD\xC4\r\n*.NC\r\n");
    EXPECT_EQ(filelist::LoadHistoryFile(path), entries);
}

TEST(HistoryFileSave, WritesUtf8WithBomWhenAnEntryDoesNotFit) {
    TempDir dir;
    const List entries = {"/NC/プログラム", "/home/사진", "/😀 smile", ""};
    const auto path = dir.File("PATH.LST");
    filelist::SaveHistoryFile(path, entries);
    EXPECT_EQ(ReadFile(path),
              std::string(kBom) + "/NC/プログラム\r\n/home/사진\r\n/😀 smile\r\n\r\n");
    EXPECT_EQ(filelist::LoadHistoryFile(path), entries);
}

TEST(HistoryFileSave, RoundTripKeepsOddBytesExactly) {
    TempDir dir;
    const List cases[] = {
        {"/nc/\x83\x65\x83\x58\x83\x67", "/NC/プログラム"}, // a raw CP932 name: not UTF-8
        {"/bad\xFF\xFE", "/😀"},
        {"\xEF\xBB\xBF/starts with a byte order mark", "/b"},
        {"/\\yen~tilde", "/a"}, // bytes CP932 readers may map elsewhere
    };
    for (const List& entries : cases) {
        const auto path = dir.File("FIND.LST");
        filelist::SaveHistoryFile(path, entries);
        EXPECT_EQ(filelist::LoadHistoryFile(path), entries) << entries[0];
    }
}

TEST(HistoryFileSave, EveryLineEndsWithCrLf) {
    TempDir dir;
    const auto path = dir.File("NAME.LST");
    filelist::SaveHistoryFile(path, {"a", "", "b"});
    EXPECT_EQ(ReadFile(path), "a\r\n\r\nb\r\n");
    filelist::SaveHistoryFile(path, {});
    EXPECT_EQ(ReadFile(path), "");
}

TEST(HistoryFileSave, EntryWithALineBreakIsLeftOut) {
    TempDir dir;
    const auto path = dir.File("MainPath.LST");
    filelist::SaveHistoryFile(path, {"/a", "/two\nlines", "/cr\rname", "/b"});
    EXPECT_EQ(filelist::LoadHistoryFile(path), (List{"/a", "/b"}));
}

TEST(HistoryFileSave, PushedListOfTwentyOneSavesTwentyLines) {
    TempDir dir;
    List entries = Numbered(20);
    filelist::PushHistory(entries, "/new", HistoryMatch::IgnoreAsciiCase);
    const auto path = dir.File("MainPath.LST");
    filelist::SaveHistoryFile(path, entries);
    const auto loaded = filelist::LoadHistoryFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), filelist::kHistoryLimit);
    EXPECT_EQ(loaded->front(), "/new");
    EXPECT_EQ(loaded->back(), "e18");
}

TEST(HistoryFileSave, ReplacesTheOldFileAndThrowsWhenItCannot) {
    TempDir dir;
    const auto path = dir.Write("ro/Mask.LST", "*.OLD\r\n");
    filelist::SaveHistoryFile(path, {"*.NC"});
    EXPECT_EQ(ReadFile(path), "*.NC\r\n");
    EXPECT_EQ(testsupport::ListNames(dir.File("ro")), "Mask.LST"); // no temporary left behind
    dir.Write("folder.LST/inside", "");
    EXPECT_THROW(filelist::SaveHistoryFile(dir.File("folder.LST"), {"/a"}), std::system_error);
    if (::geteuid() == 0) return; // root writes into read-only folders
    ::chmod(dir.File("ro").c_str(), 0500);
    EXPECT_THROW(filelist::SaveHistoryFile(path, {"*.TXT"}), std::system_error);
    EXPECT_EQ(ReadFile(path), "*.NC\r\n");
    ::chmod(dir.File("ro").c_str(), 0700);
}

} // namespace
