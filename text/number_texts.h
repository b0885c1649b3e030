#pragma once

#include <string>

namespace switchsim {

/// Numbers as a person reads them, the same in every front end and build.

/// A formula's value in ms for a sentence, to a tenth of a ms: "6050", "6287.5".
std::string FormulaText(double ms);
/// A number of ms with one decimal, as the results show formula values: "6050.0"; "-" when not finite.
std::string MsText(double ms);
/// `value` with `places` decimals: "12.50".
std::string FixedText(double value, int places);
/// A probability as a person reads it: to a millionth from 0.0001 up
/// ("0.000424", "0.5"), smaller ones with three figures ("1.70e-07"); "0" for none.
std::string ChanceText(double p);
/// A number of blocks in words for a person, in the language in use: "1 block", "3 blocks".
std::string BlocksCount(long long blocks);
/// The same in English, for files and answers meant for programs.
std::string BlocksCountInEnglish(long long blocks);
/// A row of a short table a person reads: `what` padded to 44 characters, then `value`, then a line break.
std::string LabelledRow(const std::string& what, const std::string& value);

}  // namespace switchsim
