#pragma once

#include <QWidget>

namespace switchsim {

/// The time scale in the margin left of the first trace: a tick every
/// second of clock, level with the strokes drawn at that time, labelled in
/// seconds. Placed over the margin by the form; it draws nothing else and
/// takes neither focus nor mouse.
class TimeScale : public QWidget {
  Q_OBJECT

 public:
  explicit TimeScale(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace switchsim
