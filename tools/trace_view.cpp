#include "tools/trace_view.h"

#include "look/layout.h"

namespace switchsim::trace {

TraceScale TraceView::ScaleOf(int /*link*/) const {
  // A trace without a border: the whole width is drawing area.
  return {static_cast<float>(layout::kTraceWidth), 0.0F};
}

}  // namespace switchsim::trace
