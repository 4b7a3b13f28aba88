// README.md's tables of the editing screen name the keys the editor's key
// table reads, no more and no fewer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "edit/editor_keys.h"

namespace {

// How README.md names the keys; a digit or a sign means both keys that type it.
const std::map<std::string, std::vector<int>> kReadmeKeyNames = {
    {"Tab", {VK_TAB}}, {"1", {'1'}}, {"2", {'2'}}, {"3", {'3'}}, {"F12", {VK_F12}},
    {"arrow keys", {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}}, {"+", {VK_OEM_PLUS, VK_ADD}},
    {"-", {VK_OEM_MINUS, VK_SUBTRACT}}, {"0", {'0', VK_NUMPAD0}}, {"Page Up", {VK_PRIOR}},
    {"Page Down", {VK_NEXT}}, {"F5", {VK_F1 + 4}}, {"F9", {VK_F1 + 8}}, {"S", {'S'}}, {"Z", {'Z'}}, {"Y", {'Y'}},
    {"C", {'C'}}, {"V", {'V'}}, {"F", {'F'}}, {"Escape", {VK_ESCAPE}}};

// What README writes for the mouse, the window and the on-screen buttons.
bool NamesNoKey(const std::string& input) {
    for (const char* word : {"\"", "click", "drag", "press", "wheel", "button", "resize"})
        if (input.find(word) != std::string::npos) return true;
    return false;
}

using TChord = std::pair<int, int>;   // modifiers held at the press, key

// The first column of the tables "input" and "in tile mode", each cell read
// as a list of inputs split at ", " and "/".
std::set<TChord> ReadmeChords() {
    std::ifstream readme(std::filesystem::path(TARN_SOURCE_DIR) / "README.md");
    std::set<TChord> chords;
    bool inTable = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("| input |", 0) == 0 || line.rfind("| in tile mode |", 0) == 0) {
            inTable = true;
            continue;
        }
        if (line.rfind("|", 0) != 0) inTable = false;
        if (!inTable || line.rfind("|---", 0) == 0) continue;
        // Backquotes and remarks in brackets go; "a/b" is "a, b".
        std::string cell = std::regex_replace(line.substr(2, line.find(" |", 1) - 2), std::regex("`| *\\([^)]*\\)"), "");
        cell = std::regex_replace(cell, std::regex("/"), ", ") + ", ";
        for (size_t start = 0, end; (end = cell.find(", ", start)) != std::string::npos; start = end + 2) {
            std::string input = cell.substr(start, end - start);
            if (NamesNoKey(input)) continue;
            if (input.rfind("hold ", 0) == 0) input = input.substr(5, input.find(' ', 5) - 5);
            int modifiers = 0;
            if (input.rfind("Ctrl+", 0) == 0) {
                modifiers = kModCtrl;
                input.erase(0, 5);
            }
            const auto named = kReadmeKeyNames.find(input);
            if (named == kReadmeKeyNames.end()) {
                ADD_FAILURE() << "README.md names a key this test does not know: " << input;
                continue;
            }
            for (const int key : named->second) chords.insert({modifiers, key});
        }
    }
    return chords;
}

TEST(EditorKeys, ReadmeNamesEveryKeyOfTheTable) {
    std::set<TChord> table = {{0, kLeaveEditorKey}, {0, kInterfaceScaleKey}};
    for (const TEditorKey& row : EditorKeys())
        for (const int key : row.keys)
            if (key != 0) table.insert({row.modifiers, key});
    EXPECT_EQ(ReadmeChords(), table) << "(modifiers, key code): README.md against edit/editor_keys.cpp";
}

}  // namespace
