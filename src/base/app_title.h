#pragma once

// Titles the window and the log.
inline constexpr const char* kApplicationTitle = "Tarn - A Level Editor For Jill (Version 1.1)";
