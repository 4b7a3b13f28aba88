#include <gtest/gtest.h>

#include <fstream>

#include "dialogs/text_requester.h"
#include "support/system_traits.h"
#include "support/temp_dir.h"

TEST(RequesterLineEdit, EditingStopsAtBothEnds) {
    TLineEdit field("ab");
    field.Delete();   // nothing after the cursor
    field.Right();
    EXPECT_EQ(field.Cursor(), 2u);
    field.Home();
    field.Backspace();   // nothing before it
    field.Left();
    EXPECT_EQ(field.Cursor(), 0u);
    EXPECT_EQ(field.Text(), "ab");
}

TEST(RequesterLineEdit, OnlyPrintableCharactersAreTypedAndStoredAsUtf8) {
    TLineEdit field;
    EXPECT_FALSE(field.Type(9));
    EXPECT_FALSE(field.Type(127));
    EXPECT_FALSE(field.Type(0x85));      // a C1 control
    EXPECT_FALSE(field.Type(0xD800));    // half a surrogate pair
    EXPECT_FALSE(field.Type(0x110000));
    EXPECT_FALSE(field.Type(-1));
    EXPECT_TRUE(field.Type(' '));
    EXPECT_TRUE(field.Type('~'));
    EXPECT_TRUE(field.Type(0xFC));       // ü
    EXPECT_TRUE(field.Type(0x68EE));     // 森
    EXPECT_TRUE(field.Type(0x1F332));    // 🌲
    EXPECT_EQ(field.Text(), " ~\xc3\xbc\xe6\xa3\xae\xf0\x9f\x8c\xb2");
    EXPECT_EQ(field.Shown(), " ~???");
}

TEST(RequesterLineEdit, NonAsciiNamesAreEditedWholeCharactersAtATime) {
    // "/ü/森" : 1 + 2 + 1 + 3 bytes, 4 characters.
    TLineEdit field("/\xc3\xbc/\xe6\xa3\xae");
    EXPECT_EQ(field.Length(), 4u);
    EXPECT_EQ(field.Shown(), "/?/?");
    field.Backspace();
    EXPECT_EQ(field.Text(), "/\xc3\xbc/");
    field.Left();
    field.Left();
    field.Delete();
    EXPECT_EQ(field.Text(), "//");
    field.Type('a');
    EXPECT_EQ(field.Text(), "/a/");
}

TEST(RequesterLineEdit, TheFieldHoldsMoreThanAnyPathTheSystemAccepts) {
    TLineEdit field(std::string(kMaxTypedPathLength - 1, 'a'));
    EXPECT_TRUE(field.Type('b'));
    EXPECT_FALSE(field.Type('c'));
    EXPECT_EQ(field.Length(), kMaxTypedPathLength);
    EXPECT_GE(kMaxTypedPathLength, 4096u);
    EXPECT_EQ(TLineEdit("x", 1).Type('y'), false);
}

TEST(RequesterLineEdit, TheShownPartFollowsTheCursor) {
    TLineEdit field("abcdefghij");   // cursor after "j"
    EXPECT_EQ(field.FirstShownColumn(20), 0u);
    EXPECT_EQ(field.FirstShownColumn(4), 7u);   // "hij" and the cursor cell
    field.Home();
    EXPECT_EQ(field.FirstShownColumn(4), 0u);
}

TEST(RequesterLineEdit, EnterAcceptsOnlyAUsablePath) {
    TTempDir dir;
    std::ofstream(dir.File("old.jn1")) << "x";

    EXPECT_EQ(CheckTypedPath(TRequestMode::Open, dir.File("old.jn1")).verdict, TPathVerdict::Accept);
    EXPECT_EQ(CheckTypedPath(TRequestMode::Open, dir.File("new.jn1")).verdict, TPathVerdict::Refuse);
    EXPECT_EQ(CheckTypedPath(TRequestMode::Open, dir.Path()).verdict, TPathVerdict::Refuse);
    EXPECT_EQ(CheckTypedPath(TRequestMode::Open, "").verdict, TPathVerdict::Refuse);

    EXPECT_EQ(CheckTypedPath(TRequestMode::Save, dir.File("new.jn1")).verdict, TPathVerdict::Accept);
    EXPECT_EQ(CheckTypedPath(TRequestMode::Save, dir.File("old.jn1")).verdict, TPathVerdict::AskReplace);
    EXPECT_EQ(CheckTypedPath(TRequestMode::Save, dir.File("missing/new.jn1")).verdict, TPathVerdict::Refuse);
    EXPECT_EQ(CheckTypedPath(TRequestMode::Save, dir.Path() + "/").verdict, TPathVerdict::Refuse);

    EXPECT_EQ(CheckTypedPath(TRequestMode::Folder, dir.Path()).verdict, TPathVerdict::Accept);
    EXPECT_EQ(CheckTypedPath(TRequestMode::Folder, dir.File("old.jn1")).verdict, TPathVerdict::Refuse);

    // Long paths are fine as long as the system takes them; a name longer
    // than it allows is refused with its reason.
    if (!PathLimitsAreLinuxs()) GTEST_SKIP() << "the limits and words checked here are Linux's";
    EXPECT_EQ(CheckTypedPath(TRequestMode::Save, dir.File(std::string(255, 'n'))).verdict, TPathVerdict::Accept);
    TPathCheck check = CheckTypedPath(TRequestMode::Save, dir.File(std::string(256, 'n')));
    EXPECT_EQ(check.verdict, TPathVerdict::Refuse);
    EXPECT_EQ(check.reason, "The system cannot use this path (File name too long).");
}
