#pragma once

#include <optional>
#include <string>

namespace fileops {

// The choices of the rename dialog for one row.
enum class RenameMode { Rename = 1, Upper = 2, Lower = 3, Capitalize = 4 };

// The choices of the rename dialog for several rows.
enum class GroupRenameKind { Rename = 1, Upper = 2, Lower = 3, Capitalize = 4, EachInTurn = 5 };

// Case changes of a whole name (extension included). Only the half-width
// letters a-z and A-Z change; every other character keeps its bytes, and a
// byte inside a double-byte character is never taken for a letter.
std::string UpperCaseName(const std::string& name);
std::string LowerCaseName(const std::string& name);
// The first character upper-cased, every following one lower-cased:
// PROG.NC gives Prog.nc, o1234.NC gives O1234.nc.
std::string CapitalizedName(const std::string& name);

// The name the rename dialog shows for a mode: the text as it is for Rename,
// else its case-changed form.
std::string NameInMode(RenameMode mode, const std::string& text);

// The new name of one row of a group rename, or nothing when the row keeps its
// name (Rename renames nothing; EachInTurn asks for each name).
std::optional<std::string> GroupRenamedName(GroupRenameKind kind, const std::string& name);

} // namespace fileops
