#pragma once

#include <string>

#include "formulas/continuous_time.h"

namespace switchsim {

/// One technique's completion in continuous time, as a formula: in symbols,
/// with the parameters filled in, and its value.
struct Formula {
  std::string technique;  // in English, as the technique box holds it
  std::string symbols;    // "T = Σ (B·100/R + 5·d)"
  std::string filled_in;  // "(15·100/1 + 5·50) + ... ", numbers as a person of the language writes them
  double ms = 0.0;        // the value, equal to ContinuousCompletionMs
};

/// The formula of "Message", "Circuit" or "Packet" for `model`.
Formula FormulaOf(std::string_view technique, const LinkModel& model);

/// "How to read the picture" as a small HTML document (headings,
/// paragraphs, lists and a table; no scripts, styles or links): the axes
/// and scales, the colours, what each technique does, and the three
/// formulas filled in with `model`; with `filled_in` false, while an
/// exercise waits for its answer, the formulas in symbols only. In the
/// language in use.
std::string ReadingGuideHtml(const LinkModel& model, bool filled_in = true);

}  // namespace switchsim
