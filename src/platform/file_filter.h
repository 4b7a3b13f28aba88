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

// Index of the first group that lists the initial path's extension (compared
// without regard to case), otherwise 0.
size_t PreselectedFilterGroup(const std::vector<TFilterGroup>& groups, const std::string& initialPath);

// The groups as a dialog should offer them: the dialog helpers start on the
// first filter they are given, so the preselected group comes first and the
// others follow in their own order.
std::vector<TFilterGroup> GroupsInOfferOrder(const std::vector<TFilterGroup>& groups,
                                             const std::string& initialPath);

// Glob patterns for one group ("*.jn1", "*.JN1", or "*"). Each extension is
// offered in the case given, in lower and in upper case, because the games'
// files often come from DOS in capitals and Linux globs are case-sensitive.
std::vector<std::string> FilterPatterns(const TFilterGroup& group);

// The description with the characters that the helpers' filter syntaxes
// reserve ("|", line breaks and other control characters) made blanks.
std::string FilterLabel(const TFilterGroup& group);
