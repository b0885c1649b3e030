#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "classroom/classroom.h"
#include "tools/trace_view.h"

namespace switchsim::testing {

/// A loaded form on the driver's surface with a classroom around it; fresh
/// seeds count up from 100.
struct Lesson {
  explicit Lesson(std::optional<std::uint64_t> first_seed = std::nullopt)
      : classroom(form, random, first_seed, [this] { return ++fresh_seeds; }) {
    form.Form_Load();
  }
  void Start() { form.cmdStart_Click(0); }
  void RunToEnd() {
    while (form.TimerEnabled()) form.Timer1_Timer();
  }
  /// Key by key, as a front end passes typing on: the box's text, then its handler.
  void Type(int link, const std::string& text) {
    for (std::size_t n = 1; n <= text.size(); ++n) {
      view.SetBoxText(RateBox(link), text.substr(0, n));
      form.BoxChanged(RateBox(link));
    }
  }

  trace::TraceView view;
  Mt64Random random{1};
  FormLogic form{view, random};
  std::uint64_t fresh_seeds = 100;
  Classroom classroom;
};

/// What switchsim-trace --json prints for the command the results offer;
/// a command the driver refuses fails the test that asks.
std::string DriverLog(const RunParameters& parameters);

}  // namespace switchsim::testing
