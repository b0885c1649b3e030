#pragma once

#include <QScrollArea>

#include "window/form1.h"
#include "look/presentation.h"
#include "look/zoom.h"

namespace switchsim {

/// The main window's central area: the form, centred, with the window's
/// colour around it, at the scale its zoom asks for. A zoom that follows the
/// space (fit, auto) follows the area's size; a form larger than the area
/// scrolls, so that every part of it can be reached.
class FormView : public QScrollArea {
  Q_OBJECT

 public:
  /// Shows `form` (which it takes as its own) at its own size.
  explicit FormView(Form1* form, QWidget* parent = nullptr);

  void SetZoom(const Zoom& zoom);
  const Zoom& zoom() const { return zoom_; }
  void SetProjector(bool projector);
  bool projector() const { return projector_; }
  /// The scale the text beside the form follows: the zoom's share at a
  /// fixed zoom, at Fit to Window the scale the area's height allows (at
  /// least 1, whatever the panels beside take of its width), else 1.
  double TextScale() const;

  /// The form at the size it shows now, without any scroll bar.
  QSize sizeHint() const override;
  /// The size the form asks for at its zoom: the zoom's share of its own
  /// size at a fixed zoom, its own size at Auto (smaller only in a smaller
  /// area), and the size it shows at Fit.
  QSize WantedSize() const;

 signals:
  /// The text scale or the projector changed.
  void TextChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Show();

  Form1& form_;
  Zoom zoom_ = kActualSize;
  bool projector_ = false;
  double text_scale_ = 1.0;  // as last told
  bool text_projector_ = false;
};

}  // namespace switchsim
