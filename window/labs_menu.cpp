#include "window/labs_menu.h"
#include "window/ui_text.h"

#include <QTimer>

namespace switchsim {

LabsMenu::LabsMenu(QMenu& view_menu, QWidget& main, Form1& form, const StartOptions& options)
    : QObject(&main), main_(main), form_(form) {
  share = view_menu.addAction(Ui("&Shared Link Lab…"));
  share->setStatusTip(Ui("Many users on one link: circuits against packets, and its congestion"));
  queue = view_menu.addAction(Ui("&Queue Lab…"));
  queue->setStatusTip(Ui("A router's output queue: the wait of its packets, and those lost"));
  connect(share, &QAction::triggered, this, [this] { Open(LabKind::Share); });
  connect(queue, &QAction::triggered, this, [this] { Open(LabKind::Queue); });
  if (options.share || options.queue) {
    // After the main window shows, so that the lab opens beside it and in front.
    QTimer::singleShot(0, this, [this, options] {
      Open(options.share ? LabKind::Share : LabKind::Queue).Apply(options);
    });
  }
}

LabsWindow& LabsMenu::Open(LabKind kind) {
  if (window_ == nullptr) {
    window_ = new LabsWindow(&main_);
    window_->SetPresentation(form_.presentation());
    connect(&form_, &Form1::PresentationChanged, window_, &LabsWindow::SetPresentation);
    window_->SetHeld(held_);
  }
  window_->ShowLab(kind);
  window_->show();
  window_->raise();
  window_->activateWindow();
  return *window_;
}

void LabsMenu::SetHeld(bool held) {
  held_ = held;
  if (window_ != nullptr) window_->SetHeld(held);
}

}  // namespace switchsim
