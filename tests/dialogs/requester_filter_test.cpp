#include <gtest/gtest.h>

#include "dialogs/file_filter.h"

namespace {

const std::string kLevelFilter = "Level Files:jn1,jn2,jn3,one;All Files:*";

std::vector<std::string> Descriptions(const std::vector<TFilterGroup>& groups) {
    std::vector<std::string> names;
    for (const TFilterGroup& group : groups) names.push_back(group.description);
    return names;
}

}  // namespace

TEST(RequesterFilter, ParsesTheEditorsFilters) {
    EXPECT_EQ(ParseFileFilter(kLevelFilter),
              (std::vector<TFilterGroup>{{"Level Files", {"jn1", "jn2", "jn3", "one"}}, {"All Files", {"*"}}}));
    EXPECT_EQ(ParseFileFilter("PNG Image:png"), (std::vector<TFilterGroup>{{"PNG Image", {"png"}}}));
}

TEST(RequesterFilter, ToleratesLooseWritingAndDropsWhatCannotBeAPattern) {
    // Dots, "*." prefixes, blanks and doubled separators are the usual slips.
    EXPECT_EQ(ParseFileFilter(" Images : .png, *.bmp ,,png;;"), (std::vector<TFilterGroup>{{"Images", {"png", "bmp"}}}));
    // A group without a description is labelled by its extensions.
    EXPECT_EQ(ParseFileFilter("png"), (std::vector<TFilterGroup>{{"png", {"png"}}}));
    // Blanks, bars and slashes inside an extension would break the helpers'
    // pattern lists, and a group left with nothing to show is no group.
    EXPECT_EQ(ParseFileFilter("Odd:a b,c|d,e/f;Empty:;Fine:txt"), (std::vector<TFilterGroup>{{"Fine", {"txt"}}}));
    EXPECT_TRUE(ParseFileFilter("").empty());
}

TEST(RequesterFilter, PreselectsTheGroupListingTheInitialExtension) {
    auto groups = ParseFileFilter("All Files:*;Level Files:jn1,jn2,jn3,one;PNG Image:png");
    EXPECT_EQ(PreselectedFilterGroup(groups, ""), 0u);
    EXPECT_EQ(PreselectedFilterGroup(groups, "/games/jill/level1.jn2"), 1u);
    EXPECT_EQ(PreselectedFilterGroup(groups, "C:\\GAMES\\JILL\\MAP.PNG"), 2u);   // case and "\" alike
    EXPECT_EQ(PreselectedFilterGroup(groups, "notes.txt"), 0u);                  // "*" lists no extension by name
    EXPECT_EQ(PreselectedFilterGroup(groups, "/games/v1.jn1/readme"), 0u);       // a dot in a folder is no extension
    EXPECT_EQ(PreselectedFilterGroup({}, "a.png"), 0u);

    EXPECT_EQ(Descriptions(GroupsInOfferOrder(groups, "x.png")),
              (std::vector<std::string>{"PNG Image", "All Files", "Level Files"}));
    EXPECT_EQ(Descriptions(GroupsInOfferOrder(groups, "x.one")),
              (std::vector<std::string>{"Level Files", "All Files", "PNG Image"}));
    EXPECT_EQ(Descriptions(GroupsInOfferOrder(groups, "")),
              (std::vector<std::string>{"All Files", "Level Files", "PNG Image"}));
}

TEST(RequesterFilter, ExtensionsMatchInAnyCaseButOnlyWhole) {
    const TFilterGroup levels{"Level Files", {"jn1", "one"}};
    for (const char* extension : {"jn1", "JN1", "Jn1", "ONE", "oNe"})
        EXPECT_TRUE(FilterGroupLists(levels, extension)) << extension;
    for (const char* extension : {"jn10", "jn", "n1", "jn2", "", "*"})
        EXPECT_FALSE(FilterGroupLists(levels, extension)) << extension;
    EXPECT_FALSE(FilterGroupLists({"All Files", {"*"}}, "txt"));   // "*" names no extension
}

TEST(RequesterFilter, LabelsKeepNoCharacterTheHelpersReserve) {
    EXPECT_EQ(FilterLabel({"Level Files", {"jn1"}}), "Level Files");
    EXPECT_EQ(FilterLabel({"A|B\nC\tD", {"x"}}), "A B C D");
    EXPECT_EQ(FilterLabel({"Ünïcode ok", {"x"}}), "Ünïcode ok");
}

TEST(RequesterFilter, WindowsDialogListsEachGroupWithItsPatterns) {
    using namespace std::string_literals;
    EXPECT_EQ(DialogFilterList(ParseFileFilter(kLevelFilter)),
              "Level Files\0*.jn1;*.jn2;*.jn3;*.one\0All Files\0*\0\0"s);
    EXPECT_EQ(DialogFilterList(ParseFileFilter("PNG Image:png")), "PNG Image\0*.png\0\0"s);
    // A zero inside a description would end the list early.
    EXPECT_EQ(DialogFilterList({{"Odd\nname", {"txt"}}}), "Odd name\0*.txt\0\0"s);
}
