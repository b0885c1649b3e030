#include "form/speed.h"

namespace switchsim {

std::size_t SpeedIndex(double speed) {
  for (std::size_t i = 0; i < kSpeeds.size(); ++i) {
    if (kSpeeds[i].factor == speed) return i;
  }
  return SpeedIndex(kNormalSpeed);
}

std::string_view SpeedName(double speed) { return kSpeeds[SpeedIndex(speed)].name; }

}  // namespace switchsim
