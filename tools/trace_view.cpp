#include "trace_view.h"

#include "layout.h"
#include "lists.h"

namespace switchsim::trace {

TraceView::TraceView() { rates_.fill(std::string(lists::kRateDesignText)); }

TraceScale TraceView::ScaleOf(int /*link*/) const {
  // A trace without a border: the whole width is drawing area.
  return {static_cast<float>(layout::kTraceWidth), 0.0F};
}

std::string& TraceView::Text(BoxId box) {
  return const_cast<std::string&>(static_cast<const TraceView&>(*this).Text(box));
}

const std::string& TraceView::Text(BoxId box) const {
  switch (box.kind) {
    case BoxKind::Rate: return rates_.at(box.link);
    case BoxKind::Delay: return delays_.at(box.link);
    case BoxKind::Size: return size_;
    case BoxKind::Method: break;
  }
  return method_;
}

}  // namespace switchsim::trace
