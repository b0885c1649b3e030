#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QWidget>

#include "labs/lab_session.h"
#include "window/form1.h"
#include "window/labs_window.h"
#include "window/start_options.h"

namespace switchsim {

/// The View menu's items of the labs, "Shared Link Lab..." and "Queue
/// Lab...", which open the Labs window on that lab beside `main`, its text
/// following `form`'s presentation. A command line that asks for a lab
/// (--share or --queue) opens it with its values and runs it, once the
/// event loop has shown `main`. `main` owns the menu and the window; `form`
/// is borrowed and must outlive it.
class LabsMenu : public QObject {
  Q_OBJECT

 public:
  LabsMenu(QMenu& view_menu, QWidget& main, Form1& form, const StartOptions& options);

  /// Shows the Labs window on `kind`'s page, making the window the first time.
  LabsWindow& Open(LabKind kind);
  /// The Labs window, once opened; null before.
  LabsWindow* window() const { return window_; }
  /// Holds the labs while a question waits (`held`), the window made later too.
  void SetHeld(bool held);

  QAction* share = nullptr;
  QAction* queue = nullptr;

 private:
  QWidget& main_;
  Form1& form_;
  LabsWindow* window_ = nullptr;
  bool held_ = false;
};

}  // namespace switchsim
