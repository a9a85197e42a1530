#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kit {

// Every sound a player started, in order, so tests and scenarios can see
// (and count) the beeps whether or not a device made them audible.
class AudioJournal {
public:
    struct Play {
        std::string path;   // the device path the player was made from
        double time { 0 };  // the main run loop's clock when it started
        float volume { 1 };
        bool audible { false };
    };

    static void record(Play);
    static std::vector<Play> plays();
    static size_t playCount();
    static void clear();
};

}
