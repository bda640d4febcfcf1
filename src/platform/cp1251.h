// Windows-1251, the code page of every text the game draws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The Unicode code point of a Windows-1251 byte; 0 for the one unassigned code (0x98).
uint32_t Cp1251ToUnicode(uint8_t code);

// Turns UTF-8 text into Windows-1251 bytes. Characters the code page lacks become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
