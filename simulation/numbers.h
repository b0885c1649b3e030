#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace switchsim {

/// Reads the leading number of a box text as a decimal number, whatever the
/// locale: optional blanks, an optional sign, digits with an optional decimal
/// point and fraction, an optional exponent. A text without a leading number
/// reads as 0 ("inf", "nan", "0x10" and "&H10" among them); "2abc" reads 2,
/// "1.5.3" reads 1.5, "1e" reads 1. A number too large for a double reads as
/// an infinity of its sign, one too small as 0.
double LeadingNumber(std::string_view text);

/// Whether `text` is its leading number and nothing more, blanks around it
/// aside: "1.5" and " 2 " are, "1,5", "3abc", "1.5.5" and "abc" are not.
bool ReadsWhole(std::string_view text);

/// A bit rate the tick can work with: finite and greater than 0.
bool IsUsableRate(double rate);

/// The shortest decimal text that reads back to the same double
/// (1.0 gives "1", 0.5 gives "0.5", 1e20 gives "1e+20").
std::string ShortestText(double value);
/// Appends ShortestText(value) to `out`, without a string of its own.
void AppendShortestText(std::string& out, double value);

/// Rounds to the nearest integer, ties to even.
double RoundHalfEven(double value);

/// Blocks of a message whose size is `size` units (20 units a block), rounded
/// half to even and held to the 16-bit range; a size that is not a number gives 0.
std::int16_t BlocksForSize(double size);

}  // namespace switchsim
