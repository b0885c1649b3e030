#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "labs/lab_session.h"
#include "window/drawing_view.h"

namespace switchsim {

/// A lab's curve as its page shows it: the range box ("FROM:TO:STEP" of the
/// users or the intensity), the seeds box, Draw Curve (Enter in the range
/// box too),
/// the curve's progress, made a slice at a time between events, its picture,
/// which scrolls, its table to read, and the curve saved as SVG or CSV.
/// The session is the page's, borrowed; every rule is its own, and the pane
/// shows what it says.
class LabCurvePane : public QWidget {
  Q_OBJECT

 public:
  LabCurvePane(LabSession& session, QWidget* parent = nullptr);

  /// Starts a curve of the range and seeds shown, ending any curve before
  /// it; or the session says why it cannot.
  void Draw();
  /// Stops making slices, leaving the curve where it is; Resume goes on.
  void Pause();
  void Resume();
  /// Shows the session's curve as it is now.
  void Show();
  /// Write the finished curve to `path`, whole or not at all, and say
  /// which; true when saved.
  bool SaveSvg(const QString& path);
  bool SaveCsv(const QString& path);

  QLineEdit* range = nullptr;
  QSpinBox* seeds = nullptr;
  QPushButton* draw = nullptr;
  QProgressBar* progress = nullptr;
  QScrollArea* picture_area = nullptr;
  DrawingView* picture = nullptr;
  QPlainTextEdit* table = nullptr;  ///< the curve's numbers, as a screen reader reads them
  QPushButton* save_svg = nullptr;
  QPushButton* save_csv = nullptr;

 signals:
  /// The user asked for a curve: the page takes its boxes, then calls Draw.
  void DrawAsked();
  /// The session may have a new notice.
  void Noticed();
  /// What the pane did, for the page's status line.
  void Said(const QString& text);

 private:
  void CreateControls();
  void LayOut();
  void Connect();
  void Slice();
  bool Save(const QString& path, const std::string& bytes);

  LabSession& session_;
  QTimer slices_;
};

}  // namespace switchsim
