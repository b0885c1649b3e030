#pragma once

#include <QFont>
#include <QTabWidget>
#include <QWidget>

#include "labs/lab_session.h"
#include "look/presentation.h"
#include "options/option_table.h"
#include "window/lab_page.h"

namespace switchsim {

/// A window of its own for the labs of the chapter's second half, a page
/// each: the shared link (circuits against packets, congestion) and a
/// router's queue. It opens beside its parent window, or over it where the
/// screen has no room, at the parent's size; Escape closes it, and closing
/// stops a run between two slices (showing it again goes on).
class LabsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit LabsWindow(QWidget* parent = nullptr);

  /// The page of `kind`.
  LabPage& page(LabKind kind) { return kind == LabKind::Share ? *share : *queue; }
  /// Shows the page of `kind` in front.
  void ShowLab(LabKind kind);
  /// Shows the page of the lab `request` asks for (its share or queue) with
  /// the request's values and seed, and runs it.
  void Apply(const RunRequest& request);

  /// Its text follows the form's zoom and the projector's view, as
  /// PanelTextFor says.
  void SetPresentation(const Presentation& presentation);
  /// Holds both labs while a question waits (`held`), or lets them show again.
  void SetHeld(bool held);

  QTabWidget* tabs = nullptr;
  LabPage* share = nullptr;
  LabPage* queue = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool placed_ = false;
  QFont usual_font_;  // the font it was made with, which the zoom scales
};

}  // namespace switchsim
