#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <functional>
#include <memory>

#include "window/form1.h"

namespace switchsim::testing {

/// A fresh window with a fixed seed, never shown unless a test shows it.
class FormTest : public ::testing::Test {
 protected:
  FormTest() : form_(std::make_unique<Form1>(kSeed)) {}

  Form1& form() { return *form_; }

  /// Ticks until `done` holds, at most until the timer stops; true if it held.
  bool TickUntil(const std::function<bool()>& done);
  /// Ticks until the timer stops.
  void RunToEnd();
  /// Presses Start with the given technique and runs to the end.
  void RunTechnique(const QString& technique);

  /// The colour of a pixel of a trace, counted from its drawing area's
  /// top-left corner, as the window shows it.
  QColor TracePixel(int link, int x, int y);
  /// The colour of a pixel of the whole window, as grabbed.
  QColor WindowPixel(int x, int y);
  /// Whether the trace's drawing area shows only its background.
  bool TraceIsEmpty(int link);

  static constexpr std::uint64_t kSeed = 12345;

 private:
  std::unique_ptr<Form1> form_;
};

/// The marker's row on the window for a completion at `clock_ms`.
int MarkerRow(int clock_ms);
/// The trace row that the strokes at `clock_ms` fill.
int StrokeRow(int clock_ms);

QColor ToColour(Rgb rgb);

}  // namespace switchsim::testing
