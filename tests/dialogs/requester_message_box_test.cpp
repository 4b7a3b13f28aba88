#include <gtest/gtest.h>

#include <SDL.h>

#include "dialogs/message_box.h"
#include "dialogs/message_window.h"

namespace {

constexpr uint32_t kEnter = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
constexpr uint32_t kEscape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;

}  // namespace

TEST(RequesterMessageBox, EachKindHasExactlyItsButtons) {
    EXPECT_EQ(MessageBoxLayout(TMessageKind::Notify, 0).buttons,
              (std::vector<TMessageButton>{{0, "OK", kEnter | kEscape}}));
    EXPECT_EQ(MessageBoxLayout(TMessageKind::Confirm, 0).buttons,
              (std::vector<TMessageButton>{{1, "OK", kEnter}, {0, "Cancel", kEscape}}));
    EXPECT_EQ(MessageBoxLayout(TMessageKind::Proceed, 1).buttons,
              (std::vector<TMessageButton>{{1, "Yes", kEnter}, {0, "No", 0}, {-1, "Cancel", kEscape}}));
}

TEST(RequesterMessageBox, SeriousMessagesWarn) {
    for (TMessageKind kind : {TMessageKind::Notify, TMessageKind::Confirm, TMessageKind::Proceed}) {
        EXPECT_EQ(MessageBoxLayout(kind, 0).flags, SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT);
        EXPECT_EQ(MessageBoxLayout(kind, 1).flags, SDL_MESSAGEBOX_WARNING | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT);
    }
}

TEST(RequesterMessageBox, ClosingTheBoxCancels) {
    // Every button answers with its own id ...
    for (TMessageKind kind : {TMessageKind::Confirm, TMessageKind::Proceed})
        for (const TMessageButton& button : MessageBoxLayout(kind, 0).buttons)
            EXPECT_EQ(MessageBoxAnswer(kind, button.id), button.id);
    // ... and a box closed by its window button, or never shown, is a cancel.
    EXPECT_EQ(MessageBoxAnswer(TMessageKind::Confirm, -1), 0);
    EXPECT_EQ(MessageBoxAnswer(TMessageKind::Proceed, -1), -1);
    EXPECT_EQ(MessageBoxAnswer(TMessageKind::Proceed, 7), -1);
    EXPECT_EQ(MessageBoxAnswer(TMessageKind::Confirm, 7), 0);
}

TEST(RequesterMessageBox, TextIsShownOverRowsBrokenAtBlanks) {
    using Rows = std::vector<std::string>;
    EXPECT_EQ(MessageRows("There are no supported games in the directory\n\n/games", 80, 3),
              (Rows{"There are no supported games in the directory", "", "/games"}));
    // A line of exactly the width stays whole; one more character breaks it
    // at the last blank that fits.
    EXPECT_EQ(MessageRows("abcd efgh", 9, 5), (Rows{"abcd efgh"}));
    EXPECT_EQ(MessageRows("abcd efghi", 9, 5), (Rows{"abcd", "efghi"}));
    EXPECT_EQ(MessageRows("abcd   efghi jk", 9, 5), (Rows{"abcd", "efghi jk"}));
    // A word longer than a row is cut where the row ends.
    EXPECT_EQ(MessageRows("/a/very/long/path x", 8, 5), (Rows{"/a/very/", "long/pat", "h x"}));
    // The font has only ASCII: one "?" per other character keeps the width.
    EXPECT_EQ(MessageRows("\xc3\xbc" "ber\tx", 80, 5), (Rows{"?ber?x"}));
    EXPECT_EQ(MessageRows("", 80, 5), (Rows{""}));
    // What does not fit the window is left out.
    EXPECT_EQ(MessageRows("abcd efghi", 5, 2), (Rows{"abcd", "efghi"}));
    EXPECT_EQ(MessageRows("abcd efghi", 5, 1), (Rows{"abcd"}));
    EXPECT_EQ(MessageRows("a\nb\nc", 5, 2), (Rows{"a", "b"}));
}
