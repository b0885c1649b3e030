#include "explore/sweep_choices.h"

#include <array>

namespace switchsim {

std::span<const SweepChoice> SweepChoices() {
  static constexpr std::array<SweepChoice, 9> kChoices = {{
      {"size", "Message size", "20", "1000", "20"},
      {"packet", "Packet size", "1", "50", "1"},
      {"header", "Header size", "0", "10", "1"},
      {"rate1", "Rate of link 1 (Transmit to Router A)", "0.5", "10", "0.5"},
      {"rate2", "Rate of link 2 (Router A to Router B)", "0.5", "10", "0.5"},
      {"rate3", "Rate of link 3 (Router B to Receive)", "0.5", "10", "0.5"},
      {"delay1", "Delay of link 1", "20", "200", ""},
      {"delay2", "Delay of link 2", "20", "200", ""},
      {"delay3", "Delay of link 3", "20", "200", ""},
  }};
  return kChoices;
}

}  // namespace switchsim
