#include "explore/sweep_choices.h"

#include <array>

#include "text/translation.h"

namespace switchsim {

std::span<const SweepChoice> SweepChoices() {
  static constexpr std::array<SweepChoice, 9> kChoices = {{
      {"size", Mark("Message size"), "20", "1000", "20"},
      {"packet", Mark("Packet size"), "1", "50", "1"},
      {"header", Mark("Header size"), "0", "10", "1"},
      {"rate1", Mark("Rate of link 1 (Transmit to Router A)"), "0.5", "10", "0.5"},
      {"rate2", Mark("Rate of link 2 (Router A to Router B)"), "0.5", "10", "0.5"},
      {"rate3", Mark("Rate of link 3 (Router B to Receive)"), "0.5", "10", "0.5"},
      {"delay1", Mark("Delay of link 1"), "20", "200", ""},
      {"delay2", Mark("Delay of link 2"), "20", "200", ""},
      {"delay3", Mark("Delay of link 3"), "20", "200", ""},
  }};
  return kChoices;
}

}  // namespace switchsim
