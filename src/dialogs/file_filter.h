#pragma once
// The filter of the file requester: groups separated by ";", each a
// description, ":" and a comma-separated list of extensions without dots,
// "*" standing for all files ("Level Files:jn1,jn2,jn3,one;All Files:*").

#include <cstddef>
#include <string>
#include <vector>

struct TFilterGroup {
    std::string description;
    std::vector<std::string> extensions;   // without dots; "*" is every file

    bool operator==(const TFilterGroup&) const = default;
};

// Groups in the order given. Groups that list no usable extension are left
// out, since they would show the user an empty folder.
std::vector<TFilterGroup> ParseFileFilter(const std::string& filter);

// The extension of the last name in the path, without the dot; "" when the
// name has none.
std::string PathExtension(const std::string& path);

// Whether the group lists the extension (without its dot) by name, in any
// case: "JN1" is "jn1", "jn10" is not; "*" lists no extension by name.
bool FilterGroupLists(const TFilterGroup& group, const std::string& extension);

// Index of the first group that lists the initial path's extension, otherwise 0.
size_t PreselectedFilterGroup(const std::vector<TFilterGroup>& groups, const std::string& initialPath);

// The groups as a dialog should offer them: the dialog helpers start on the
// first filter they are given, so the preselected group comes first and the
// others follow in their own order.
std::vector<TFilterGroup> GroupsInOfferOrder(const std::vector<TFilterGroup>& groups,
                                             const std::string& initialPath);

// Glob patterns for one group that match its extensions in any case, the
// way FilterGroupLists compares them ("*.[jJ][nN]1", or "*"): the games'
// files often come from DOS in capitals, and the helpers' globs are
// case-sensitive.
std::vector<std::string> FilterPatterns(const TFilterGroup& group);

// The groups as the Windows file dialogs take them: description and
// patterns ("*.jn1;*.jn2") of each group, each ended by a zero character,
// and the list ended by one more. Windows compares names without regard to
// case, so plain patterns match "1.JN1" too.
std::string DialogFilterList(const std::vector<TFilterGroup>& groups);

// The description with the characters that the helpers' filter syntaxes
// reserve ("|", line breaks and other control characters) made blanks.
std::string FilterLabel(const TFilterGroup& group);
