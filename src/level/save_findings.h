#pragma once
// What is wrong with a level before it is saved: the game's limits on the
// number of objects and their kinds, and the player object it expects first.

#include <string>
#include <vector>

class TLevel;

struct TSaveFinding {
    std::string text;
    bool serious = false;
};

struct TSaveFindings {
    // Each finding on its own, in the order of the message.
    std::vector<TSaveFinding> list;
    // The findings joined by blank lines, with the warning about serious ones
    // appended; empty when there is nothing to say.
    std::string message;
    bool any = false;
    // A finding that could make the game misbehave badly.
    bool serious = false;
};

TSaveFindings FindSaveProblems(const TLevel& level);
