#pragma once

#include <string>

namespace switchsim {

/// What a front end without widgets builds the form from, as one JSON
/// object: the form's size in pixels, its title, version and licence; the
/// colours; every caption and line with its place in pixels; the controls
/// in tab order, each with its place, font, caption, list, tooltip and
/// accessible name; which parts only decorate; the margins' time marks,
/// fonts and strokes; the logo's drawing; the results' headings and the
/// speeds. It never changes while the program runs.
std::string DescribeForm();

}  // namespace switchsim
