#pragma once

#include <QDockWidget>
#include <QFont>
#include <QMainWindow>
#include <QObject>
#include <vector>

#include "window/form_view.h"

namespace switchsim {

/// The panels docked beside the form (the exercise panel, the timing
/// table). Their text follows the form's: as large as the view's
/// TextScale, bold for a projector. A panel takes the width of
/// kPanelChars of its text when it shows, and the window grows to hold
/// it beside the whole form, as far as the screen lets it; once no panel
/// shows, it gives that width back. A maximised or full-screen window keeps
/// its size. `window` and `view` are borrowed and must outlive it.
class SidePanels : public QObject {
  Q_OBJECT

 public:
  SidePanels(QMainWindow& window, FormView& view);

  /// Follows `panel` (a dock of the window, which outlives this) from now on.
  void Add(QDockWidget& panel);
  /// The font of the panels' text now.
  QFont PanelFont() const;
  /// The width a panel takes when it shows, in pixels: kPanelChars of its
  /// text, or more if its contents need it.
  int PanelWidth(const QDockWidget& panel) const;

  /// Gives each panel shown its width, and the window the width to hold
  /// them beside the whole form; done whenever a panel shows or hides.
  void MakeRoom();

  /// A panel's width in average characters of its text.
  static constexpr int kPanelChars = 52;

 private:
  void FollowView();

  QMainWindow& window_;
  FormView& view_;
  std::vector<QDockWidget*> panels_;
  int grown_ = 0;  // px the window grew by for the panels
};

}  // namespace switchsim
