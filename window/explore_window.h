#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "explore/curve_layout.h"
#include "window/curve_view.h"
#include "look/presentation.h"
#include "records/run_log.h"
#include "explore/sweep.h"

namespace switchsim {

/// A window of its own for the completion time against one parameter: the
/// parameter and its range, the seeds, the curves drawn as CurveLayout lays
/// them out, their numbers as a table, and exports as SVG, PNG and CSV. The
/// runs are made a chunk at a time between events. A click or tap on a point
/// (or Enter on a row of the table) asks for that run in the form; one on a
/// mark says the mark. It opens beside its parent window, or over it where
/// the screen has no room, at the parent's size; Escape closes it.
class ExploreWindow : public QWidget {
  Q_OBJECT

 public:
  /// Starts a run in the form, or returns one line saying why it cannot.
  using RunStarter = std::function<std::optional<std::string>(const RunParameters&)>;

  /// `base` gives the parameters the form shows, which the sweep keeps but
  /// one; `start` runs a chosen point in the form.
  ExploreWindow(std::function<RunParameters()> base, RunStarter start, QWidget* parent = nullptr);

  /// Reads the parameter, range and seeds and starts a sweep; a bad range is
  /// said in the status line and the last curves stay.
  void Draw();
  /// Makes all the remaining runs at once (for tests and exports).
  void Finish();
  /// Starts the run of `run` (an index into the sweep's runs) in the form,
  /// or says why the form cannot.
  void StartRun(std::size_t run);

  /// While an exercise waits for its answer the curves and their table are
  /// hidden and no sweep is drawn, with a line saying so.
  void SetReadoutsHidden(bool hidden);

  /// Its text follows the form's zoom and the projector's view, as
  /// PanelTextFor says.
  void SetPresentation(const Presentation& presentation);

  /// The finished sweep and its picture, if any.
  const Sweep* sweep() const { return finished_ ? &*sweep_ : nullptr; }
  const CurveLayout* layout() const { return finished_ ? &*layout_ : nullptr; }

  QComboBox* parameter = nullptr;
  QLineEdit* from = nullptr;
  QLineEdit* to = nullptr;
  QLineEdit* step = nullptr;
  QSpinBox* seeds = nullptr;
  QPushButton* draw = nullptr;
  QLabel* status = nullptr;
  CurveView* curve = nullptr;
  QTableWidget* table = nullptr;
  QPushButton* export_svg = nullptr;
  QPushButton* export_png = nullptr;
  QPushButton* export_csv = nullptr;
  QLabel* hidden_note = nullptr;  ///< shown instead of the curves while readouts are hidden

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void LayOut();
  void Connect();
  void RunChunk();
  void Press(const CurvePress& press);
  void ShowFinished();
  void FillTable();
  void ChooseDefaultRange();
  void Export(const QString& title, const QString& name, const QString& filter, const QByteArray& bytes);

  std::function<RunParameters()> base_;
  RunStarter start_;
  std::optional<Sweep> sweep_;
  std::optional<CurveLayout> layout_;
  bool finished_ = false;
  bool hidden_ = false;
  bool placed_ = false;
  QFont usual_font_;  // the font it was made with, which the zoom scales
  QTimer chunks_;
};

}  // namespace switchsim
