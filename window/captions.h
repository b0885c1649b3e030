#pragma once

#include <QString>

// The window's title, tooltips and the names a screen reader reads out.
// Tooltips speak in the model's own units: a rate R sends one block in
// 100 / R ms of clock, a delay d lets the first bit cross a link in 5 × d ms,
// and a block is 20 units of message size.
namespace switchsim::captions {

QString WindowTitle();

/// "Transmit to Router A" and so on, for link 0, 1 or 2.
QString LinkName(int link);
/// "Transmit", "Router A", "Router B" or "Receive" for node 0 to 3.
QString NodeName(int node);

QString RateToolTip(int link);
QString RateAccessibleName(int link);
QString DelayToolTip(int link);
QString DelayAccessibleName(int link);
QString TraceToolTip(int link);
QString TraceAccessibleName(int link);
QString NodeLineAccessibleName(int node);

QString MethodToolTip();
QString SizeToolTip();
QString StartToolTip();
QString PauseToolTip();

}  // namespace switchsim::captions
