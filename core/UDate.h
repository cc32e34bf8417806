// Calendar dates and the user's short date text ("11.11.11") in which the settings file
// and the version record keep them.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace zandor {

struct TDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    friend auto operator<=>(const TDate&, const TDate&) = default;
};

// How short dates are written: the order of day, month and year, the separator and
// whether years have two or four digits. The default is day.month.two-digit-year.
struct TShortDateFormat {
    enum class Order { DMY, MDY, YMD };
    Order FieldOrder = Order::DMY;
    char Separator = '.';
    bool FourDigitYear = false;
};

const TShortDateFormat& ShortDateFormat();
void SetShortDateFormat(const TShortDateFormat& format);

bool IsValidDate(const TDate& date);
std::string FormatShortDate(const TDate& date, const TShortDateFormat& format = ShortDateFormat());
// Reads a short date; two-digit years 00..69 are 2000..2069, 70..99 are 1970..1999.
std::optional<TDate> ParseShortDate(std::string_view text,
                                    const TShortDateFormat& format = ShortDateFormat());

} // namespace zandor
