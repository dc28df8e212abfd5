#pragma once

#include <string>
#include <vector>

namespace extapps {

// A program or document to start, with the words it receives: each word is
// one argv entry, never re-split and never seen by a shell. No words means
// "open": a program starts alone, a document opens in its default application.
struct LaunchRequest {
    std::string Program;
    std::vector<std::string> Arguments;

    bool operator==(const LaunchRequest&) const = default;
};

// The outcome of a start: on failure a text naming the program and the
// system's reason, ready to be shown.
struct LaunchResult {
    bool Started = false;
    std::string Error;
};

} // namespace extapps
