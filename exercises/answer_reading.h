#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "exercises/exercise.h"

namespace switchsim {

/// An exercise's answer as a value: a number for a completion (ms), a
/// bottleneck (rate), a packet size (blocks) or a crossover (the swept
/// parameter's value); for a question of choices (the fastest technique,
/// which change) the choice's text as Choices lists it, and its place there.
struct Answer {
  double number = 0.0;
  std::string choice;
};

/// Reads what a student typed for `exercise`, leniently: for a completion
/// "6375", "6375 ms", "6.375 s", "6 375" and "6,375" are all 6375 ms (a
/// comma before three digits groups them, before others it is a decimal
/// point, and with seconds always a decimal point); a packet size may say
/// "blocks"; a technique may be any case or its initial; a change its
/// letter, its number, its text or its "rate2=1.0". A text that is no
/// answer gives a hint that says what is expected, and uses no attempt.
/// Where the language in use writes a decimal comma, a comma is always a
/// decimal point ("6287,5" is 6287.5 ms), and a choice may also be typed as
/// that language shows it; the answer's choice is kept in English.
struct AnswerReading {
  std::optional<Answer> answer;
  std::string hint;  // when there is no answer
};
AnswerReading ReadAnswer(const Exercise& exercise, std::string_view typed);

/// The choices a question of choices offers, in order: the techniques of a
/// `fastest` question ("Message", ...), the changes of a which-change
/// question in words ("rate of link 2 from 0.5 to 1"); none for the others.
/// For people in the language in use; for programs in English, as the
/// answer's choice keeps them.
std::vector<std::string> ChoicesOf(const Exercise& exercise, TextFor text_for);

}  // namespace switchsim
