#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "form/lists.h"
#include "formulas/continuous_time.h"
#include "simulation/model_units.h"
#include "text/text_escape.h"

namespace switchsim {

/// The most seeds each point of a sweep is run with.
inline constexpr int kMostSweepSeeds = 100;

/// What a run is started with, as box texts a user would choose or type
/// (the form's defaults unless given), the packet and header size, and the
/// seed of its random numbers. Read from the driver's and the window's
/// command lines, a page's address and a sheet, always through the Choose
/// functions below, so that every front end accepts and refuses the same
/// values with the same words.
struct RunParameters {
  std::string technique{lists::kDefaultMethod};
  std::string size{lists::kDefaultSize};
  std::array<std::string, 3> rates = {std::string(lists::kDefaultRates[0]),
                                      std::string(lists::kDefaultRates[1]),
                                      std::string(lists::kDefaultRates[2])};
  std::array<std::string, 3> delays = {std::string(lists::kDefaultDelay),
                                       std::string(lists::kDefaultDelay),
                                       std::string(lists::kDefaultDelay)};
  std::uint64_t seed = 0;
  Packeting packeting;  // packet and header size, in blocks
};

/// The model of the parameters' texts, for the formulas.
LinkModel ModelOf(const RunParameters& parameters);

/// Each of these takes an option's value: it sets its part of `choice` and
/// returns nothing, or leaves `choice` as it was and returns one line that
/// names the value and what is allowed, such as
/// "\"250\" is not a message size; use one of 100, 200, 300, 400, 500, 1000".
std::optional<std::string> ChooseTechnique(const std::string& value, RunParameters& choice);
std::optional<std::string> ChooseSize(const std::string& value, RunParameters& choice);
/// Any message size the model takes: a multiple of 20 from 20 to 1000
/// (the driver's, whose runs need no box to show the size).
std::optional<std::string> ChooseAnySize(const std::string& value, RunParameters& choice);
/// The packet size in blocks, a whole number from 1 to 50.
std::optional<std::string> ChoosePacket(const std::string& value, RunParameters& choice);
/// The header size in blocks, a whole number from 0 to 10.
std::optional<std::string> ChooseHeader(const std::string& value, RunParameters& choice);
/// Three rates as "A,B,C", each a text whose leading number is a usable rate.
std::optional<std::string> ChooseRates(const std::string& value, RunParameters& choice);
/// Three delays as "A,B,C", each one of the delay box's items.
std::optional<std::string> ChooseDelays(const std::string& value, RunParameters& choice);
/// A whole number from 0 to 2^64 - 1.
std::optional<std::string> ChooseSeed(const std::string& value, RunParameters& choice);
/// How many seeds each point of a sweep is run with: a whole number from 1 to 100.
std::optional<std::string> ChooseSeedCount(const std::string& value, int& count);
/// One of the speeds of the run menu: 0.25, 0.5, 1, 2 or 4.
std::optional<std::string> ChooseSpeed(const std::string& value, double& speed);


}  // namespace switchsim
