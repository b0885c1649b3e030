#pragma once

#include <QSpinBox>
#include <QToolBar>

#include "classroom/classroom.h"

namespace switchsim {

/// A tool bar above the form with the packet size and the header size, in
/// blocks, for the next Start. What a size means, and the notice that says
/// it was taken, is the classroom's; the bar forwards what the user sets and
/// shows the sizes the form holds. `classroom` is borrowed and must outlive
/// the bar.
class PacketBar : public QToolBar {
  Q_OBJECT

 public:
  PacketBar(Classroom& classroom, const Simulation& simulation, QWidget* parent = nullptr);

  /// Shows the sizes the next Start uses.
  void ShowSizes();

  QSpinBox* packet = nullptr;
  QSpinBox* header = nullptr;

 signals:
  /// The user set a size, taken or not.
  void Chosen();

 private:
  QSpinBox* AddSize(const QString& label, int least, int most, const QString& tip, bool is_header);
  static void ShowUnit(QSpinBox* box);

  Classroom& classroom_;
  const Simulation& simulation_;
};

}  // namespace switchsim
