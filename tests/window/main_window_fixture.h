#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "window/main_window.h"

namespace switchsim::testing {

/// A classroom window whose runs take the seed 5, with its settings in a
/// folder of its own that goes with the test; never shown unless a test shows it.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest();

  /// The start-up options of the window: the seed 5, nothing else.
  static StartOptions Options();
  MainWindow& window() { return *window_; }
  Form1& form() { return window_->form(); }
  /// Ticks until the timer stops, then refreshes the window once.
  void RunToEnd();
  /// Resets any run, chooses `technique` and runs it to its end.
  void Run(const char* technique);
  /// The form as it shows now.
  QImage Picture();

  QTemporaryDir dir_;
  QSettings settings_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace switchsim::testing
