#pragma once

#include <string>

// The form's title, tooltips and the names a screen reader reads out, the
// same for every front end.
// Tooltips speak in the model's own units: a rate R sends one block in
// 100 / R ms of clock, a delay d lets the first bit cross a link in 5 × d ms,
// and a block is 20 units of message size.
namespace switchsim::captions {

std::string WindowTitle();

/// "Transmit to Router A" and so on, for link 0, 1 or 2.
std::string LinkName(int link);
/// "Transmit", "Router A", "Router B" or "Receive" for node 0 to 3.
std::string NodeName(int node);

std::string RateToolTip(int link);
std::string RateAccessibleName(int link);
std::string DelayToolTip(int link);
std::string DelayAccessibleName(int link);
std::string TraceToolTip(int link);
std::string TraceAccessibleName(int link);
std::string NodeLineAccessibleName(int node);

std::string MethodToolTip();
std::string SizeToolTip();
std::string StartToolTip();
std::string PauseToolTip();

}  // namespace switchsim::captions
