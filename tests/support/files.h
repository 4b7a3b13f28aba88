#pragma once
// Whole files read and written in one call, for checking what the program wrote.

#include <cstdint>
#include <string>
#include <vector>

std::string ReadFileText(const std::string& path);   // "" when the file cannot be read
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteFileText(const std::string& path, const std::string& text);
