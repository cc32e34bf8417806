#include "core/UDate.h"

#include <array>
#include <cstdio>

namespace zandor {

namespace {
TShortDateFormat currentFormat;

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
} // namespace

const TShortDateFormat& ShortDateFormat() {
    return currentFormat;
}
void SetShortDateFormat(const TShortDateFormat& format) {
    currentFormat = format;
}

bool IsValidDate(const TDate& date) {
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.Year < 1 || date.Year > 9999 || date.Month < 1 || date.Month > 12 || date.Day < 1)
        return false;
    int limit = days[static_cast<std::size_t>(date.Month - 1)];
    if (date.Month == 2 && isLeapYear(date.Year))
        limit = 29;
    return date.Day <= limit;
}

std::string FormatShortDate(const TDate& date, const TShortDateFormat& format) {
    char day[8], month[8], year[8];
    std::snprintf(day, sizeof day, "%02d", date.Day % 100);
    std::snprintf(month, sizeof month, "%02d", date.Month % 100);
    if (format.FourDigitYear)
        std::snprintf(year, sizeof year, "%04d", date.Year % 10000);
    else
        std::snprintf(year, sizeof year, "%02d", date.Year % 100);
    const std::string s(1, format.Separator);
    switch (format.FieldOrder) {
    case TShortDateFormat::Order::MDY:
        return std::string(month) + s + day + s + year;
    case TShortDateFormat::Order::YMD:
        return std::string(year) + s + month + s + day;
    case TShortDateFormat::Order::DMY:
        break;
    }
    return std::string(day) + s + month + s + year;
}

std::optional<TDate> ParseShortDate(std::string_view text, const TShortDateFormat& format) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    std::array<int, 3> numbers{};
    std::array<int, 3> digits{};
    std::size_t field = 0;
    for (char c : text) {
        if (c == format.Separator) {
            if (digits[field] == 0 || ++field == numbers.size())
                return std::nullopt;
        } else if (c >= '0' && c <= '9') {
            if (++digits[field] > 4)
                return std::nullopt;
            numbers[field] = numbers[field] * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    if (field != 2 || digits[2] == 0)
        return std::nullopt;
    TDate date;
    int yearDigits = 0;
    switch (format.FieldOrder) {
    case TShortDateFormat::Order::DMY:
        date = {numbers[2], numbers[1], numbers[0]};
        yearDigits = digits[2];
        break;
    case TShortDateFormat::Order::MDY:
        date = {numbers[2], numbers[0], numbers[1]};
        yearDigits = digits[2];
        break;
    case TShortDateFormat::Order::YMD:
        date = {numbers[0], numbers[1], numbers[2]};
        yearDigits = digits[0];
        break;
    }
    if (yearDigits <= 2)
        date.Year += date.Year < 70 ? 2000 : 1900;
    if (!IsValidDate(date))
        return std::nullopt;
    return date;
}

} // namespace zandor
