#pragma once

#include <array>
#include <string>
#include <string_view>

#include "simulation/model_units.h"

namespace switchsim {

/// The parameters of a run as numbers: rates in blocks per 100 ms, delays as
/// chosen (the first bit crosses a link in 5 x delay ms), size in message units.
struct LinkModel {
  std::array<double, 3> rates{};
  std::array<double, 3> delays{};
  double size = 0.0;
  Packeting packeting;  // how the message and its packets are cut and addressed
};

/// When the data of `technique` reaches Receive in the same model as the tick,
/// but in continuous time: units stored and forwarded first come first served,
/// and for the circuit the request's three hops, the acknowledgement's three
/// back, then the data streamed at the slowest rate. In ms; NaN for a technique
/// that is none of the three.
/// The model of box texts, each read for its leading number.
LinkModel ModelOfTexts(std::string_view size, const std::array<std::string, 3>& rates,
                       const std::array<std::string, 3>& delays);

double ContinuousCompletionMs(std::string_view technique, const LinkModel& model);

}  // namespace switchsim
