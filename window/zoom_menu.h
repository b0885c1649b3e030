#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QObject>
#include <QSettings>
#include <array>

#include "window/form_view.h"
#include "window/start_options.h"
#include "look/zoom.h"

namespace switchsim {

/// The View menu's choices of how the form is shown: a Zoom submenu (the
/// shares offered, Fit to Window and Auto, one of them ticked), Full Screen, and
/// Projector. A zoom or projector chosen in the menu is remembered in
/// `settings`; one given at start wins over what is remembered, for the
/// session only. `view` and `window` are borrowed and must outlive it.
class ZoomMenu : public QObject {
  Q_OBJECT

 public:
  ZoomMenu(QMenu& menu, QSettings& settings, const StartOptions& options, FormView& view,
           QWidget& window);

  /// The zoom items: 100 %, 125 %, 150 %, 200 %, Fit to Window, Auto.
  std::array<QAction*, kZoomPercents.size() + 2> zooms{};
  QAction* full_screen = nullptr;  ///< F11; leaving it restores the window
  QAction* projector = nullptr;    ///< heavier lines and larger, bold margin text

  /// Ticks Full Screen as the window is, however it got there or left.
  void FollowWindowState();

 private:
  void CreateZoomMenu(QMenu& menu);
  void ShowZoom(const Zoom& zoom);

  QSettings& settings_;
  FormView& view_;
  QWidget& window_;
  std::array<Zoom, kZoomPercents.size() + 2> zoom_of_{};  // by item
};

}  // namespace switchsim
