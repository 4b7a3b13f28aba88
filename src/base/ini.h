#pragma once
// The settings file "tarn.ini": a table of section -> key -> value text, read
// from and written to a classic INI file. Section and key names are stored
// upper-cased, which makes them case-insensitive.

#include <cstdint>
#include <map>
#include <string>

#include "system/stream.h"

// A map ordered by name, ordinal on the character codes with a prefix before
// the longer names it begins: std::string's own ordering compares characters
// as unsigned bytes, which is exactly that.
template <class TValue>
using TMap = std::map<std::string, TValue>;

using TIniSection = TMap<std::string>;   // upper-cased key -> value

class TIniParser {
public:
    // Upper-cased section name -> its keys. A parser that never loaded or
    // initialised anything simply has an empty map.
    TMap<TIniSection> SectionMap;
    // When set, a lookup of a missing key stores the default it returns.
    uint8_t _add = 0;

    // Drops all data.
    void Init();
    void SetIniValue(const std::string& section, const std::string& key, const std::string& value);
    // The stored value, or def when the section or the key is missing.
    std::string GetIniValue(const std::string& section, const std::string& key, const std::string& def) const;
    bool SectionExists(const std::string& section) const;
    bool KeyExists(const std::string& section, const std::string& key) const;

    // Reads source into the table, dropping the old data first when clear is
    // set. A file that cannot be opened leaves the table as it was after the
    // optional clear and gives false; the program treats that as "no settings".
    bool LoadIniFile(const std::string& source, bool clear);
    // Adds the lines of an INI text to the table.
    void LoadIniStream(TStream& source);
    // Writes the whole table; the old file is replaced only once the new one is
    // completely on disk. False when it could not be written.
    bool SaveIniFile(const std::string& destination) const;
    void SaveIniStream(TStream& destination) const;
    // Copies every value of other into this table.
    void Merge(const TIniParser& other);

    std::string GetString(const std::string& section, const std::string& key, const std::string& def);
    void SetString(const std::string& section, const std::string& key, const std::string& value);
    int32_t GetInt(const std::string& section, const std::string& key, int32_t def);
    void SetInt(const std::string& section, const std::string& key, int32_t value);
    int64_t GetLong(const std::string& section, const std::string& key, int64_t def);
    void SetLong(const std::string& section, const std::string& key, int64_t value);
    float GetFloat(const std::string& section, const std::string& key, float def);
    void SetFloat(const std::string& section, const std::string& key, float value);
    double GetDouble(const std::string& section, const std::string& key, double def);
    void SetDouble(const std::string& section, const std::string& key, double value);
};

// The name forms the table is keyed by.
std::string IniUpper(const std::string& text);
std::string IniTrim(const std::string& text);
