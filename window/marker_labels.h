#pragma once

#include <QWidget>

#include "look/presentation.h"

namespace switchsim {

class FormLogic;

/// The strip right of the completion markers: beside each visible marker its
/// technique's initial and completion time, in dark text, with a short
/// leader to the marker; labels of markers close together are stacked. It
/// reads the markers from `form` (borrowed, must outlive it) when painted;
/// the window repaints it whenever a marker moves or hides.
class MarkerLabels : public QWidget {
  Q_OBJECT

 public:
  explicit MarkerLabels(const FormLogic& form, QWidget* parent = nullptr);

  /// Draws for the form shown with `presentation`; the form places the widget.
  void SetPresentation(const Presentation& presentation);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const FormLogic& form_;
  Presentation presentation_;
};

}  // namespace switchsim
