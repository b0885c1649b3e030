#pragma once

#include <string>
#include <vector>

namespace switchsim {

/// One line of what a panel shows after a run or an answer: a short label
/// ("Expected", "Congestion, formula") and its text, which front ends lay
/// out as a column of labels beside their texts.
struct LabelledLine {
  std::string label;
  std::string text;

  friend bool operator==(const LabelledLine&, const LabelledLine&) = default;
};

/// The lines as text, "label: text" each, ending with a line break.
std::string LabelledLinesText(const std::vector<LabelledLine>& lines);

}  // namespace switchsim
