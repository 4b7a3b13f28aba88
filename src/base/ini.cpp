#include "base/ini.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/text_number.h"

namespace {

// A value or name holding a line break would come back from the file as
// separate lines, some of which could pass for keys of their own (a palette
// text copied from a level may hold any byte); each is written as a blank.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    return text;
}

std::string FormatFloating(const char* pattern, double value) {
    char text[64];
    int n = std::snprintf(text, sizeof text, pattern, value);
    return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

// The common shape of the typed lookups: a stored text is converted, a missing
// or empty one gives the default (stored as text when _add is set).
template <class T, class Parse, class Format>
T GetTyped(TIniParser& ini, const std::string& section, const std::string& key, T def, Parse parse,
           Format format) {
    std::string text = ini.GetString(section, key, "");
    if (!text.empty()) return parse(text);
    if (ini._add) ini.SetString(section, key, format(def));
    return def;
}

std::string FormatFloat(float value) { return FormatFloating("%#.9g", value); }
std::string FormatDouble(double value) { return FormatFloating("%#.17lg", value); }
float ParseFloat(const std::string& text) { return std::strtof(text.c_str(), nullptr); }
double ParseDouble(const std::string& text) { return std::strtod(text.c_str(), nullptr); }
std::string FormatInteger(int64_t value) { return std::to_string(value); }
int32_t ParseInt(const std::string& text) { return static_cast<int32_t>(TextToInteger(text)); }

}  // namespace

std::string IniUpper(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        unsigned char code = static_cast<unsigned char>(c);
        // Above the ASCII letters the case table is Latin-1's: the small
        // letters 224-254 (but the division sign 247) have their capitals 32
        // below. 181 and 255 have no capital in Latin-1 and stay.
        bool small = (code >= 'a' && code <= 'z') || (code >= 224 && code <= 254 && code != 247);
        if (small) c = static_cast<char>(code - 32);
    }
    return result;
}

std::string IniTrim(const std::string& text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) < 33; };
    auto first = std::find_if_not(text.begin(), text.end(), blank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

void TIniParser::Init() { SectionMap.clear(); }

void TIniParser::SetIniValue(const std::string& section, const std::string& key, const std::string& value) {
    SectionMap[IniUpper(section)][IniUpper(key)] = value;
}

std::string TIniParser::GetIniValue(const std::string& section, const std::string& key,
                                    const std::string& def) const {
    auto found = SectionMap.find(IniUpper(section));
    if (found == SectionMap.end()) return def;
    auto entry = found->second.find(IniUpper(key));
    return entry == found->second.end() ? def : entry->second;
}

bool TIniParser::SectionExists(const std::string& section) const {
    return SectionMap.count(IniUpper(section)) > 0;
}

bool TIniParser::KeyExists(const std::string& section, const std::string& key) const {
    auto found = SectionMap.find(IniUpper(section));
    return found != SectionMap.end() && found->second.count(IniUpper(key)) > 0;
}

bool TIniParser::LoadIniFile(const std::string& source, bool clear) {
    if (clear) Init();
    TStreamPtr stream = OpenReadStream(source);
    if (!stream) return false;
    LoadIniStream(*stream);
    stream->Close();
    return true;
}

void TIniParser::LoadIniStream(TStream& source) {
    std::string section;
    while (!source.Eof()) {
        std::string line = IniTrim(source.ReadLine());
        if (line.empty()) continue;
        if (line[0] == '[') {
            // A header without its "]" is ignored and the current section goes on.
            size_t close = line.find(']');
            if (close != std::string::npos) section = IniUpper(IniTrim(line.substr(1, close - 1)));
            continue;
        }
        if (line[0] == ';' || section.empty()) continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        SetIniValue(section, IniTrim(line.substr(0, equals)), IniTrim(line.substr(equals + 1)));
    }
}

bool TIniParser::SaveIniFile(const std::string& destination) const {
    TStreamPtr stream = OpenReplaceStream(destination);
    if (!stream) return false;
    SaveIniStream(*stream);
    return stream->Close();
}

void TIniParser::SaveIniStream(TStream& destination) const {
    for (const auto& [name, keys] : SectionMap) {
        destination.WriteLine("[" + OneLine(name) + "]");
        size_t width = 0;
        for (const auto& entry : keys) width = std::max(width, entry.first.size());
        for (const auto& [key, value] : keys) {
            std::string padded = OneLine(key);
            padded.resize(width, ' ');
            destination.WriteLine(padded + " = " + OneLine(value));
        }
        destination.WriteLine("");
    }
}

void TIniParser::Merge(const TIniParser& other) {
    for (const auto& [name, keys] : other.SectionMap)
        for (const auto& [key, value] : keys) SetIniValue(name, key, value);
}

std::string TIniParser::GetString(const std::string& section, const std::string& key, const std::string& def) {
    std::string value = GetIniValue(section, key, def);
    if (_add && !KeyExists(section, key)) SetIniValue(section, key, def);
    return value;
}

void TIniParser::SetString(const std::string& section, const std::string& key, const std::string& value) {
    SetIniValue(section, key, value);
}

int32_t TIniParser::GetInt(const std::string& section, const std::string& key, int32_t def) {
    return GetTyped(*this, section, key, def, ParseInt, FormatInteger);
}

void TIniParser::SetInt(const std::string& section, const std::string& key, int32_t value) {
    SetString(section, key, FormatInteger(value));
}

int64_t TIniParser::GetLong(const std::string& section, const std::string& key, int64_t def) {
    return GetTyped(*this, section, key, def, TextToInteger, FormatInteger);
}

void TIniParser::SetLong(const std::string& section, const std::string& key, int64_t value) {
    SetString(section, key, FormatInteger(value));
}

float TIniParser::GetFloat(const std::string& section, const std::string& key, float def) {
    return GetTyped(*this, section, key, def, ParseFloat, FormatFloat);
}

void TIniParser::SetFloat(const std::string& section, const std::string& key, float value) {
    SetString(section, key, FormatFloat(value));
}

double TIniParser::GetDouble(const std::string& section, const std::string& key, double def) {
    return GetTyped(*this, section, key, def, ParseDouble, FormatDouble);
}

void TIniParser::SetDouble(const std::string& section, const std::string& key, double value) {
    SetString(section, key, FormatDouble(value));
}
