#include "odds/text_format.h"

#include <cctype>
#include <cstdio>
#include <numeric>

// The decimal text of the sum of numerator_i / denominator_i (denominators
// > 0), rounded half up, each term expanded by long division; 18 digits per
// term keep the sum exact far beyond the 15 decimals that may be asked for.
std::string SumText(const int64_t* numerators, const int64_t* denominators, int terms,
                    int decimals) {
    constexpr int kDigits = 18;
    if (decimals > 15) decimals = 15;
    if (decimals < 0) decimals = 0;
    int64_t whole = 0;
    int digits[kDigits] = {};
    for (int t = 0; t < terms; ++t) {
        // Floored, so that a negative term's fraction still lies in [0, 1).
        int64_t quotient = numerators[t] / denominators[t];
        int64_t rest = numerators[t] % denominators[t];
        if (rest < 0) {
            rest += denominators[t];
            quotient -= 1;
        }
        whole += quotient;
        for (int d = 0; d < kDigits; ++d) {
            rest *= 10;
            digits[d] += int(rest / denominators[t]);
            rest %= denominators[t];
        }
    }
    // Round half up at the last decimal kept, then carry.
    digits[decimals] += 5;
    for (int d = kDigits - 1; d > 0; --d) {
        digits[d - 1] += digits[d] / 10;
        digits[d] %= 10;
    }
    whole += digits[0] / 10;
    digits[0] %= 10;
    if (decimals == 0) {
        // Rounding was applied to the first decimal, which carried into whole.
        return std::to_string(whole);
    }
    if (whole < 0) return "-";     // a negative sum is not printed
    std::string text = std::to_string(whole) + ".";
    for (int d = 0; d < decimals; ++d) text += char('0' + digits[d]);
    return text;
}

std::string FractionText(int64_t numerator, int64_t denominator, int decimals) {
    return SumText(&numerator, &denominator, 1, decimals);
}

std::string ReducedFractionText(int64_t numerator, int64_t denominator) {
    int64_t divisor = std::gcd(numerator, denominator);
    if (divisor == 0) divisor = 1;
    return std::to_string(numerator / divisor) + "/" + std::to_string(denominator / divisor);
}

std::string PointsText(const std::string& perCoin) {
    size_t dot = perCoin.find('.');
    if (dot == std::string::npos || perCoin.size() < dot + 3) return perCoin;
    std::string digits = perCoin.substr(0, dot) + perCoin.substr(dot + 1);
    std::string whole = digits.substr(0, dot + 2);
    while (whole.size() > 1 && whole[0] == '0') whole.erase(0, 1);
    return whole + "." + digits.substr(dot + 2);
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string WithThousands(int value) {
    std::string digits = std::to_string(value);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) digits.insert(size_t(at), ",");
    return digits;
}

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string Trimmed(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}
