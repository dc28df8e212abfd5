#pragma once

namespace extapps {

// The project's own addresses and notice, shown by the help menu and the
// about box.
inline constexpr const char* kHomePageAddress = "https://tornwel.example.org/";
inline constexpr const char* kMailAddress = "mailto:tornwel@example.org";
inline constexpr const char* kMakerNotice = "Tornwel developers";

} // namespace extapps
