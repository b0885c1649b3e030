#pragma once

#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <cstdint>

#include "exercises/exercise_flow.h"
#include "window/labelled_lines.h"
#include "window/wrapped_text.h"

namespace switchsim {

/// The exercise asked, beside the form, in a dock of the main window: its
/// heading and question, the teacher's hint on request, a box for the
/// answer (a line of text, or a list of the choices that may also be typed
/// in), Check answer, why a text is no answer, the outcome in labelled
/// lines once the run is over, the buttons to try again, go on or start
/// the set again (which asks first, when it would forget answers), an
/// export of the progress, and the progress in one line. Every text is plain text,
/// and the sheet's texts (heading, question, outcome) wrap inside the panel,
/// which scrolls them when they are long; the answer box and the buttons
/// stay in view below them.
///
/// It shows what `flow` (borrowed, must outlive it) says and forwards the
/// student's answer and choices to it; it tells the window with Acted,
/// which then refreshes. Enter in the answer box checks the answer; the
/// keys go to the answer box when a question is asked and to Next once it
/// is answered.
class ExerciseDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit ExerciseDock(ExerciseFlow& flow, QWidget* parent = nullptr);

  /// Shows the flow as it is now, if it changed since last shown (its Revision).
  void Follow();
  /// The box the answer is typed in: the line of text, or the list's own line.
  QLineEdit* AnswerField() const;

  QScrollArea* texts = nullptr;  ///< scrolls the heading, the question and the outcome
  WrappedText* heading = nullptr;
  WrappedText* question = nullptr;
  QLabel* prompt = nullptr;
  QLineEdit* answer = nullptr;   ///< for numbers
  QComboBox* choices = nullptr;  ///< for a choice of texts, editable
  QPushButton* check = nullptr;
  QPushButton* show_hint = nullptr;    ///< while a question with a teacher's hint waits
  LabelledLines* teacher_hint = nullptr;  ///< the teacher's hint once shown, under the question
  WrappedText* hint = nullptr;    ///< why a text was not taken as an answer
  LabelledLines* outcome = nullptr;  ///< the outcome's lines, selectable
  QPushButton* retry = nullptr;
  QPushButton* next = nullptr;
  QPushButton* start_again = nullptr;
  QPushButton* export_csv = nullptr;
  QLabel* summary = nullptr;
  QPointer<QMessageBox> start_again_box;  ///< asks before Start again forgets answers

 signals:
  /// The student acted on the flow; the window shows what changed.
  void Acted();
  /// The student asked to export the progress as CSV.
  void ExportRequested();

 private:
  void CreateWidgets();
  void LayOut();
  void Connect();
  void ShowAsked();
  void ShowOutcome();
  void ShowButtons();
  void MoveFocus();
  void ShowOutcomeTop();
  void CommitTyped();
  void AskStartAgain();

  ExerciseFlow& flow_;
  std::uint64_t shown_revision_ = UINT64_MAX;
  ExerciseStep shown_step_ = ExerciseStep::Closed;
  int shown_index_ = -1;
  bool to_outcome_ = false;  // the texts scroll to the outcome until the student scrolls them
};

}  // namespace switchsim
