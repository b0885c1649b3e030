#include "window/appearance.h"
#include "window/labs_window.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>

#include "window/qt_text.h"
#include "window/window_placing.h"
#include "window/ui_text.h"

namespace switchsim {

LabsWindow::LabsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(Ui("Labs: a shared link and a router's queue"));
  share = new LabPage(LabKind::Share, this);
  queue = new LabPage(LabKind::Queue, this);
  tabs = new QTabWidget(this);
  tabs->setAccessibleName(Ui("Labs"));
  tabs->addTab(share, Ui("&Shared link"));
  tabs->addTab(queue, Ui("&Queue"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  usual_font_ = font();
  for (const QKeySequence& keys : {QKeySequence(QKeySequence::Close), QKeySequence(Qt::Key_Escape)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
  }
}

void LabsWindow::ShowLab(LabKind kind) {
  tabs->setCurrentWidget(&page(kind));
  page(kind).boxes.front()->setFocus();
}

void LabsWindow::Apply(const RunRequest& request) {
  if (!request.share && !request.queue) return;
  const LabKind kind = request.share ? LabKind::Share : LabKind::Queue;
  ShowLab(kind);
  page(kind).Apply(request);
}

void LabsWindow::SetPresentation(const Presentation& presentation) {
  setFont(appearance::PanelFont(usual_font_, presentation));
}

void LabsWindow::SetHeld(bool held) {
  share->SetHeld(held);
  queue->SetHeld(held);
}

void LabsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  share->Resume();
  queue->Resume();
  if (placed_) return;
  placed_ = true;
  PlaceBesideParent(*this);
}

void LabsWindow::closeEvent(QCloseEvent* event) {
  // No slices while nobody sees them; the run waits where it is.
  share->Pause();
  queue->Pause();
  QWidget::closeEvent(event);
}

}  // namespace switchsim
