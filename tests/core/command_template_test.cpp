#include "command_template.h"
#include "external_command.h"

#include <gtest/gtest.h>

namespace {

using extapps::ArgumentDialogLaunch;
using extapps::ArgumentPrefill;
using extapps::ExpandCommand;
using extapps::LaunchRequest;

struct PrefillCase {
    const char* command;
    const char* path;
    const char* offered;
};

TEST(ArgumentPrefill, OffersTheValueOfTheLastPlaceholderInTheOrderABCD) {
    const PrefillCase cases[] = {
        {"/t/edit $A", "/nc/O1000.NC", "/nc/O1000.NC"},
        {"/t/edit $B", "/nc/O1000.NC", "/nc/O1000"},
        {"/t/edit $C", "/nc/O1000.NC", "O1000.NC"},
        {"/t/edit $D", "/nc/O1000.NC", "O1000"},
        {"/t/conv $C $D", "/nc/O1000.NC", "O1000"},
        {"/t/conv $D $A", "/nc/O1000.NC", "O1000"},       // order of A..D, not of the text
        {"/t/conv $B x $A", "/nc/O1000.NC", "/nc/O1000"}, // "$B" comes after "$A"
        {"/t/x -v", "/nc/O1000.NC", ""},
        {"/t/x $a $E $", "/nc/O1000.NC", ""}, // case-sensitive, only A to D
        {"/t/x", "/nc/O1000.NC", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArgumentPrefill(c.command, c.path), c.offered) << c.command;
    }
}

TEST(ArgumentPrefill, ExtensionIsTheLastDotOfTheFileNameOnly) {
    const PrefillCase cases[] = {
        {"$B", "/nc.d/O1000", "/nc.d/O1000"}, // a dot in a folder does not count
        {"$D", "/nc.d/O1000", "O1000"},
        {"$D", "/nc/A.B.NC", "A.B"},
        {"$B", "/nc/A.B.NC", "/nc/A.B"},
        {"$D", "/nc/O1000.", "O1000"},
        {"$C", "/nc/..", ".."},
        {"$D", "/nc/..", "."},
        {"$C", "/O1", "O1"},
        {"$D", "/nc/a b;$(x) \"q\".NC", "a b;$(x) \"q\""},
        {"$C", "/nc/bad\xff\xfe.NC", "bad\xff\xfe.NC"},
        {"$C", "/nc/a\\b:c.NC", "a\\b:c.NC"}, // only "/" separates folders here
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArgumentPrefill(c.command, c.path), c.offered) << c.command << " " << c.path;
    }
}

struct ExpandCase {
    const char* command;
    std::string argument;
    LaunchRequest expected;
};

TEST(ExpandCommand, EveryPlaceholderBecomesTheArgumentInsideItsWord) {
    const ExpandCase cases[] = {
        {"/t/edit $A", "/nc/O1000.NC", {"/t/edit", {"/nc/O1000.NC"}}},
        {"/t/conv $C $D", "O1000", {"/t/conv", {"O1000", "O1000"}}},
        {"/t/x $B-$D", "v", {"/t/x", {"v-v"}}},
        {"/t/x --out=$A.bak", "/nc/a b", {"/t/x", {"--out=/nc/a b.bak"}}},
        {"/t/x $$A", "v", {"/t/x", {"$v"}}},
        {"/t/x $a $E $$ $", "v", {"/t/x", {"$a", "$E", "$$", "$"}}},
        {"/t/x $A", "", {"/t/x", {""}}},        // an empty value is still one word
        {"/t/x -v", "typed", {"/t/x", {"-v"}}}, // no placeholder: the text is not used
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandCommand(c.command, c.argument), c.expected) << c.command;
    }
}

TEST(ExpandCommand, BlanksAndQuotesOfTheCommandSplitAndGroupWords) {
    const ExpandCase cases[] = {
        {"/t/x  -a   $A  ", "v", {"/t/x", {"-a", "v"}}},
        {"/t/x \"-o $C\" \"\"", "v", {"/t/x", {"-o v", ""}}},
        {"/t/x -o\"a b\"c", "v", {"/t/x", {"-oa bc"}}},
        {"/t/x \"open $A", "v", {"/t/x", {"open v"}}}, // an open quote runs to the end
        {"/t/x a\\ b", "v", {"/t/x", {"a\\", "b"}}},   // no escapes: "\" is a path character
        {"/t/x", "v", {"/t/x", {}}},
        {"/t/x ", "v", {"/t/x", {}}},
        {" /t/x $A", "v", {"", {"/t/x", "v"}}}, // cut at the first blank, as the slot is
        {"/t/$A $A", "v", {"/t/$A", {"v"}}},    // the program is taken literally
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandCommand(c.command, c.argument), c.expected) << c.command;
    }
}

TEST(ExpandCommand, HostileValuesStayOneUninterpretedWord) {
    const std::string values[] = {
        "with blank.NC", "a \"quoted\" 'name'", "a;touch pwned", "$(touch pwned)", "`touch pwned`",
        "new\nline",     "bad\xff\xfe\x80",     "-rf",           "--help",         "$B $C \"$D\"",
        "*.NC",          " lead and trail ",
    };
    for (const auto& value : values) {
        EXPECT_EQ(ExpandCommand("/t/x -i $A -o $D", value),
                  (LaunchRequest{"/t/x", {"-i", value, "-o", value}}))
            << value;
    }
}

TEST(ArgumentDialogLaunch, EmptyArgumentStartsTheProgramAlone) {
    EXPECT_EQ(ArgumentDialogLaunch("/t/x -v $A", ""), (LaunchRequest{"/t/x", {}}));
    EXPECT_EQ(ArgumentDialogLaunch("/t/x -v", ""), (LaunchRequest{"/t/x", {}}));
    EXPECT_EQ(ArgumentDialogLaunch("/t/x -v", "typed"), (LaunchRequest{"/t/x", {"-v"}}));
    EXPECT_EQ(ArgumentDialogLaunch("/t/x -v $A", "a b"), (LaunchRequest{"/t/x", {"-v", "a b"}}));
    // A command without a blank is all program, whatever the box holds.
    EXPECT_EQ(ArgumentDialogLaunch("/t/x", "typed"), (LaunchRequest{"/t/x", {}}));
    EXPECT_EQ(ArgumentDialogLaunch("/t/x", ""), (LaunchRequest{"/t/x", {}}));
}

} // namespace
