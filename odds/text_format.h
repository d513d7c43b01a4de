// The analyser's text of numbers and columns: exact decimals of fractions
// and sums of fractions, numbers as printf writes them, columns, and the
// plain string helpers its readers share.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// numerator / denominator (both >= 0, denominator > 0) rounded half up to
// the given number of decimals (at most 15).
std::string FractionText(int64_t numerator, int64_t denominator, int decimals);
// The same for a sum of fractions, each term exact; "-" for a negative sum.
std::string SumText(const int64_t* numerators, const int64_t* denominators, int terms,
                    int decimals);
// numerator / denominator in lowest terms, "179/48" ("0/1" for none).
std::string ReducedFractionText(int64_t numerator, int64_t denominator);
// A decimal "0.001772" (per coin) as percentage points: "0.1772".
std::string PointsText(const std::string& perCoin);

std::string Format(const char* format, double value);   // printf of one number
std::string WithThousands(int value);                   // 1000 as "1,000"

// Set in a column of `width`: left with at least one blank after it, or right.
std::string Padded(const std::string& text, size_t width);
std::string RightAligned(const std::string& text, size_t width);

std::string Lower(const std::string& text);
std::string Trimmed(const std::string& text);    // without surrounding blanks
