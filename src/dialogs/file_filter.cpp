#include "dialogs/file_filter.h"

#include <algorithm>

#include "system/paths.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

// One extension as a caller may write it ("png", ".png", "*.png") reduced to
// its bare form; "" when it cannot be turned into a glob pattern safely.
std::string CleanExtension(const std::string& written) {
    std::string ext = Trimmed(written);
    if (ext.rfind("*.", 0) == 0)
        ext.erase(0, 2);
    else if (ext.rfind('.', 0) == 0)
        ext.erase(0, 1);
    for (unsigned char c : ext)
        if (c < 32 || c == 127 || c == ' ' || c == '|' || c == '/' || c == '\\') return "";
    // Glob characters inside an extension would change what the pattern
    // matches; "*" alone stands for every file.
    if (ext != "*" && ext.find_first_of("*?[]") != std::string::npos) return "";
    return ext;
}

// A glob pattern that matches the extension in any case ("jn1" gives
// "[jJ][nN]1"): the games' files often come from DOS in capitals, and the
// helpers' globs are case-sensitive.
std::string AnyCasePattern(const std::string& ext) {
    std::string pattern;
    for (char c : ext) {
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (lower == upper)
            pattern += c;
        else
            pattern += std::string("[") + lower + upper + "]";
    }
    return pattern;
}

}  // namespace

std::vector<TFilterGroup> ParseFileFilter(const std::string& filter) {
    std::vector<TFilterGroup> groups;
    for (const std::string& part : Split(filter, ';')) {
        size_t colon = part.find(':');
        // A group written without a description is labelled by its extensions.
        std::string list = colon == std::string::npos ? part : part.substr(colon + 1);
        TFilterGroup group;
        group.description = Trimmed(colon == std::string::npos ? part : part.substr(0, colon));
        for (const std::string& written : Split(list, ',')) {
            std::string ext = CleanExtension(written);
            if (!ext.empty() && std::find(group.extensions.begin(), group.extensions.end(), ext) == group.extensions.end())
                group.extensions.push_back(ext);
        }
        if (!group.extensions.empty()) groups.push_back(std::move(group));
    }
    return groups;
}

std::string PathExtension(const std::string& path) {
    std::string name = FileNamePart(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : name.substr(dot + 1);
}

size_t PreselectedFilterGroup(const std::vector<TFilterGroup>& groups, const std::string& initialPath) {
    for (size_t i = 0; i < groups.size(); ++i)
        if (FilterGroupLists(groups[i], PathExtension(initialPath))) return i;
    return 0;
}

std::vector<TFilterGroup> GroupsInOfferOrder(const std::vector<TFilterGroup>& groups,
                                             const std::string& initialPath) {
    std::vector<TFilterGroup> ordered = groups;
    size_t chosen = PreselectedFilterGroup(groups, initialPath);
    if (chosen < ordered.size())
        std::rotate(ordered.begin(), ordered.begin() + static_cast<std::ptrdiff_t>(chosen),
                    ordered.begin() + static_cast<std::ptrdiff_t>(chosen) + 1);
    return ordered;
}

bool FilterGroupLists(const TFilterGroup& group, const std::string& extension) {
    if (extension.empty()) return false;
    return std::any_of(group.extensions.begin(), group.extensions.end(),
                       [&](const std::string& listed) { return SameNameIgnoringCase(listed, extension); });
}

std::vector<std::string> FilterPatterns(const TFilterGroup& group) {
    std::vector<std::string> patterns;
    for (const std::string& ext : group.extensions) {
        const std::string pattern = ext == "*" ? "*" : "*." + AnyCasePattern(ext);
        if (std::find(patterns.begin(), patterns.end(), pattern) == patterns.end()) patterns.push_back(pattern);
    }
    return patterns;
}

std::string FilterLabel(const TFilterGroup& group) {
    std::string label = group.description;
    for (char& c : label)
        if (static_cast<unsigned char>(c) < 32 || c == 127 || c == '|') c = ' ';
    return label;
}

std::string DialogFilterList(const std::vector<TFilterGroup>& groups) {
    std::string list;
    for (const TFilterGroup& group : groups) {
        std::string patterns;
        for (const std::string& extension : group.extensions)
            patterns += (patterns.empty() ? "" : ";") + (extension == "*" ? std::string("*") : "*." + extension);
        list += FilterLabel(group) + '\0' + patterns + '\0';
    }
    return list + '\0';
}
