// Number entry and display.
//
// Users type numbers with their locale's decimal separator (a comma in
// Poland) and read results written the same way. The conversion accepts
// exactly: optional blanks around the number, an optional sign, digits with at
// most one decimal separator, and an optional exponent ("E" or "e", optional
// sign, digits). Anything else - an empty text, thousands separators, the
// other separator, "nan", "inf", hexadecimal forms, trailing characters - is a
// ConversionError. None of this depends on the C library's locale: the
// separator is a program setting, so "0,35" converts the same on every
// machine whose user writes numbers with a comma.
#pragma once

#include <cstdint>
#include <string>

namespace vimtal {

// The separator the user's locale writes numbers with: the one setting every
// conversion and display below uses. Set at start-up from the system locale
// (tests set it explicitly). Only '.' and ',' are meaningful.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// The same separator under the names the calculators use: LocaleSeparator is
// the decimal separator; ForeignSeparator is ',' when it is '.', and '.' in
// every other case.
char LocaleSeparator();
char ForeignSeparator();
// The launcher's detection on every activation: the second character of the
// general display of 0.1 becomes the decimal separator (a text without one
// changes nothing).
void DetectSeparators(const std::string& displayOfPointOne);

// Copy of the text with every ForeignSeparator replaced by LocaleSeparator
// (so the pressure-loss calculator accepts "2.5" and "2,5" alike).
std::string NormalizeSeparator(const std::string& text);

// Text to number. A value beyond the double range is refused with the same
// ConversionError as a malformed text; a value too small for a double becomes
// 0 (or the nearest subnormal), as underflow always does.
double StrToFloat(const std::string& text);

// Text to a 32-bit integer (optional blanks and sign, digits only);
// ConversionError "'...' is not a valid integer value." otherwise.
std::int32_t StrToInt(const std::string& text);

// General display: the shortest text that gives the value to 15 significant
// digits, with DecimalSeparator(), no trailing zeros, no thousands
// separators; scientific form ("1,5E-6", "1E20") below 0.00001 in magnitude
// or from 10^15 upwards.
std::string FloatToStr(double value);

// The value rounded to a multiple of 10^d (10^d as a double; the quotient
// rounded to the nearest whole number, ties to even), stored as a double.
// Raises overflow when the result is beyond the double range.
double RoundTo(double value, int digit);

// General display of RoundTo(value, digit): d = -2 keeps two decimals, 0
// gives whole numbers, 1 rounds to tens. Trailing zeros disappear (1,20 -> 1,2).
std::string RoundedDisplay(double value, int digit);

// The value rounded to the nearest whole number (ties to even) in general
// display: 2.5 -> "2", 3.5 -> "4".
std::string WholeDisplay(double value);

// A length typed in millimetres, in metres (stored as a double).
double MetresFromMillimetres(double millimetres);

// Integer in decimal ("-12").
std::string IntToStr(std::int64_t value);

}  // namespace vimtal
