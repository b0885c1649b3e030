#include "form/box_lists.h"

#include <algorithm>

#include "form/lists.h"

namespace switchsim {

std::span<const std::string_view> ItemsOf(BoxId box) {
  switch (box.kind) {
    case BoxKind::Rate: return lists::kRateItems;
    case BoxKind::Delay: return lists::kDelayItems;
    case BoxKind::Size: return lists::kSizeItems;
    case BoxKind::Method: break;
  }
  return lists::kMethodItems;
}

bool BoxHolds(BoxId box, std::string_view text) {
  const auto items = ItemsOf(box);
  return box.kind == BoxKind::Rate || std::find(items.begin(), items.end(), text) != items.end();
}

std::string BoxName(BoxId box) {
  switch (box.kind) {
    case BoxKind::Rate: return "cmbBitRate" + std::to_string(box.link);
    case BoxKind::Delay: return "cmbDelay" + std::to_string(box.link);
    case BoxKind::Size: return "cmbMessageSize";
    case BoxKind::Method: break;
  }
  return "cmbMethod";
}

}  // namespace switchsim
