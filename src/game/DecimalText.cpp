#include "DecimalText.h"

#include <limits>

std::optional<std::int32_t> StrToInt(std::u16string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Accumulate as a magnitude in 64 bits so the range check cannot overflow.
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (char16_t ch : text) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (ch - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::u16string IntToStr(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}
