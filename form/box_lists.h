#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "form/form_surface.h"

// What each box of the form offers and may hold, and its name, the same for
// every front end.
namespace switchsim {

/// Every box: the rate boxes, the delay boxes (by link), the size and the technique.
inline constexpr std::array<BoxId, 8> kBoxes = {RateBox(0),  RateBox(1),  RateBox(2), DelayBox(0),
                                                DelayBox(1), DelayBox(2), kSizeBox,   kMethodBox};

/// The list a box offers: the rates, the delays, the techniques or the sizes.
std::span<const std::string_view> ItemsOf(BoxId box);

/// Whether a box can hold `text`: a rate box any text, the others one of their items.
bool BoxHolds(BoxId box, std::string_view text);

/// The box's control name: "cmbBitRate0", "cmbDelay2", "cmbMethod", "cmbMessageSize".
std::string BoxName(BoxId box);

}  // namespace switchsim
