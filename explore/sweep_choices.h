#pragma once

#include <span>
#include <string_view>

namespace switchsim {

/// A parameter a curve can run along, as the Explore views offer it: its
/// name in a sweep ("rate2"), its label (in English, marked for the catalog:
/// a view shows Tr(label)), and the range a view starts with
/// (a delay's has no step: its sweep takes the delay list's values).
struct SweepChoice {
  std::string_view name;
  std::string_view label;
  std::string_view from;
  std::string_view to;
  std::string_view step;
};

/// Every parameter a curve can run along, in the order a view lists them.
std::span<const SweepChoice> SweepChoices();

}  // namespace switchsim
