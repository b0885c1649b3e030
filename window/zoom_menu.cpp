#include "window/zoom_menu.h"

#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

// Where the choices are remembered, with the View menu's other choices.
const QString kZoomKey = QStringLiteral("view/zoom");
const QString kProjectorKey = QStringLiteral("view/projector");

}  // namespace

ZoomMenu::ZoomMenu(QMenu& menu, QSettings& settings, const StartOptions& options, FormView& view,
                   QWidget& window)
    : QObject(&window), settings_(settings), view_(view), window_(window) {
  CreateZoomMenu(menu);
  full_screen = menu.addAction(Ui("&Full Screen"));
  full_screen->setCheckable(true);
  full_screen->setShortcut(QKeySequence(Qt::Key_F11));
  full_screen->setStatusTip(
      Ui("Fills the screen with the window; F11 again restores it"));
  projector = menu.addAction(Ui("&Projector"));
  projector->setCheckable(true);
  projector->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  projector->setStatusTip(
      Ui("Draws heavier lines and strokes and larger, bold margin text, for a room"));
  connect(full_screen, &QAction::triggered, this, [this](bool on) {
    window_.setWindowState(on ? window_.windowState() | Qt::WindowFullScreen
                              : window_.windowState() & ~Qt::WindowFullScreen);
  });
  connect(projector, &QAction::triggered, this, [this](bool on) {
    settings_.setValue(kProjectorKey, on);
    view_.SetProjector(on);
  });

  const Zoom remembered =
      ReadZoom(settings_.value(kZoomKey).toString().toStdString()).value_or(kActualSize);
  ShowZoom(options.zoom.value_or(remembered));
  projector->setChecked(options.projector || settings_.value(kProjectorKey, false).toBool());
  view_.SetProjector(projector->isChecked());
}

void ZoomMenu::CreateZoomMenu(QMenu& menu) {
  QMenu* zoom_menu = menu.addMenu(Ui("&Zoom"));
  auto* group = new QActionGroup(this);
  for (std::size_t i = 0; i < zooms.size(); ++i) {
    const std::size_t percents = kZoomPercents.size();
    if (i < percents) {
      zoom_of_[i] = Zoom{Zoom::Kind::Percent, kZoomPercents[i]};
      zooms[i] = zoom_menu->addAction(QStringLiteral("&%1 %").arg(kZoomPercents[i]));
      zooms[i]->setStatusTip(
          Filled(Ui("Shows the form at {0} per cent of its size"), {QString::number(kZoomPercents[i])}));
    } else if (i == percents) {
      zoom_of_[i] = Zoom{Zoom::Kind::Fit};
      zoom_menu->addSeparator();
      zooms[i] = zoom_menu->addAction(Ui("&Fit to Window"));
      zooms[i]->setStatusTip(Ui("Shows the form as large as the window lets it be"));
    } else {
      zoom_of_[i] = Zoom{Zoom::Kind::Auto};
      zooms[i] = zoom_menu->addAction(Ui("&Auto"));
      zooms[i]->setStatusTip(
          Ui("Shows the form at its own size, or smaller in a smaller window"));
    }
    zooms[i]->setCheckable(true);
    // Ctrl with the item's place in the menu: keys that typing a rate never uses.
    const auto digit = static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(i));
    zooms[i]->setShortcut(QKeySequence(Qt::CTRL | digit));
    group->addAction(zooms[i]);
    connect(zooms[i], &QAction::triggered, this, [this, i] {
      settings_.setValue(kZoomKey, ToQString(ZoomName(zoom_of_[i])));
      ShowZoom(zoom_of_[i]);
    });
  }
}

void ZoomMenu::ShowZoom(const Zoom& zoom) {
  for (std::size_t i = 0; i < zooms.size(); ++i) {
    if (zoom_of_[i] == zoom) zooms[i]->setChecked(true);
  }
  view_.SetZoom(zoom);
}

void ZoomMenu::FollowWindowState() { full_screen->setChecked(window_.isFullScreen()); }

}  // namespace switchsim
