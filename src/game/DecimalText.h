#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reads a signed 32-bit decimal: an optional '+' or '-' and ASCII digits, nothing else (no spaces,
// no hexadecimal). Anything else, or a value out of range, reads as nothing rather than as a number.
std::optional<std::int32_t> StrToInt(std::u16string_view text);

std::u16string IntToStr(std::int32_t value);
