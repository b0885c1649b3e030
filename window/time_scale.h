#pragma once

#include <QWidget>

#include "look/presentation.h"

namespace switchsim {

/// The time scale in the margin left of the first trace: a tick every
/// second of clock, level with the strokes drawn at that time, labelled in
/// seconds. Placed over the margin by the form; it draws nothing else and
/// takes neither focus nor mouse.
class TimeScale : public QWidget {
  Q_OBJECT

 public:
  explicit TimeScale(QWidget* parent = nullptr);

  /// Draws for the form shown with `presentation`; the form places the widget.
  void SetPresentation(const Presentation& presentation);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Presentation presentation_;
};

}  // namespace switchsim
