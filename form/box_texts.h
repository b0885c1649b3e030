#pragma once

#include <array>
#include <string>

#include "simulation/constants.h"
#include "form/form_surface.h"
#include "form/lists.h"

namespace switchsim {

/// The texts of the form's boxes as plain values, for a surface without
/// widgets; the rate boxes start with their design-time text, the others empty.
class BoxTexts {
 public:
  BoxTexts() { rates_.fill(std::string(lists::kRateDesignText)); }

  const std::string& operator[](BoxId box) const {
    switch (box.kind) {
      case BoxKind::Rate: return rates_.at(static_cast<std::size_t>(box.link));
      case BoxKind::Delay: return delays_.at(static_cast<std::size_t>(box.link));
      case BoxKind::Size: return size_;
      case BoxKind::Method: break;
    }
    return method_;
  }
  std::string& operator[](BoxId box) {
    return const_cast<std::string&>(static_cast<const BoxTexts&>(*this)[box]);
  }

 private:
  std::array<std::string, kLinkCount> rates_;
  std::array<std::string, kLinkCount> delays_;
  std::string method_;
  std::string size_;
};

}  // namespace switchsim
