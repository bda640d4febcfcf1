// A player's name as the hall keeps it: 1 to 24 characters of any script, trimmed of the
// spaces around it and otherwise stored exactly as sent. Whatever shows it escapes it.
#pragma once

#include <optional>
#include <string>

inline constexpr size_t HallNameMaxChars = 24;

// The trimmed name, or nothing with why in *why: not UTF-8, empty, too long, or holding
// a character that prints nothing of its own (a control, a line break, a direction
// override that would turn the table's text around, a noncharacter).
std::optional<std::string> CheckPlayerName(const std::string& sent, std::string* why);
