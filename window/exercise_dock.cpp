#include "window/exercise_dock.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

QPushButton* Button(QWidget* parent, const QString& text, const QString& tip) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  button->setToolTip(tip);
  return button;
}

inline constexpr int kLeastChoiceChars = 8;  // a choice's box may be this narrow; its list shows all

}  // namespace

ExerciseDock::ExerciseDock(ExerciseFlow& flow, QWidget* parent)
    : QDockWidget(Ui("Exercise"), parent), flow_(flow) {
  setObjectName(QStringLiteral("exerciseDock"));
  CreateWidgets();
  LayOut();
  Connect();
  Follow();
}

void ExerciseDock::CreateWidgets() {
  auto* contents = new QWidget(this);
  contents->setAccessibleName(Ui("Exercise"));
  texts = new QScrollArea(contents);
  texts->setFrameShape(QFrame::NoFrame);
  texts->setWidgetResizable(true);
  texts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  texts->setFocusPolicy(Qt::NoFocus);
  auto* scrolled = new QWidget;
  heading = new WrappedText(Ui("Exercise"), scrolled);
  QFont bold;  // only the weight: the size follows the panel's
  bold.setBold(true);
  heading->setFont(bold);
  question = new WrappedText(Ui("Question"), scrolled);
  teacher_hint = new LabelledLines(Ui("Teacher's hint"), scrolled);
  outcome = new LabelledLines(Ui("Outcome"), scrolled);
  prompt = new QLabel(contents);
  prompt->setWordWrap(true);
  prompt->setTextFormat(Qt::PlainText);
  answer = new QLineEdit(contents);
  choices = new QComboBox(contents);
  choices->setEditable(true);
  choices->setInsertPolicy(QComboBox::NoInsert);
  // A long choice would widen the panel; the list shows it whole.
  choices->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  choices->setMinimumContentsLength(kLeastChoiceChars);
  check = Button(contents, Ui("&Check answer"),
                 Ui("Takes the answer and runs the exercise (Enter in the answer box)"));
  show_hint = Button(contents, Ui("Sho&w hint"),
                     Ui("Shows the teacher's hint under the question; the progress notes that it was shown"));
  hint = new WrappedText(Ui("Why the text is no answer"), contents);
  retry = Button(contents, Ui("&Try again"), Ui("Asks the same exercise again"));
  next = Button(contents, Ui("&Next"), Ui("Goes on to the next exercise"));
  start_again = Button(contents, Ui("Start &again"),
                       Ui("Forgets the answers of this set and asks its first exercise"));
  export_csv = Button(contents, Ui("E&xport progress as CSV…"),
                      Ui("Saves each exercise's answer and whether it was within tolerance"));
  summary = new QLabel(contents);
  summary->setWordWrap(true);
  summary->setTextFormat(Qt::PlainText);
  summary->setAccessibleDescription(Ui("Progress"));
  texts->setWidget(scrolled);
  setWidget(contents);
}

void ExerciseDock::LayOut() {
  auto* scrolled_layout = new QVBoxLayout(texts->widget());
  scrolled_layout->setContentsMargins(0, 0, 0, 0);
  scrolled_layout->addWidget(heading);
  scrolled_layout->addWidget(question);
  scrolled_layout->addWidget(teacher_hint);
  scrolled_layout->addWidget(outcome);
  scrolled_layout->addStretch();

  auto* answer_row = new QHBoxLayout;
  answer_row->addWidget(answer, 1);
  answer_row->addWidget(choices, 1);
  answer_row->addWidget(check);
  auto* step_row = new QHBoxLayout;
  step_row->addWidget(retry);
  step_row->addWidget(next);
  step_row->addWidget(start_again);
  step_row->addStretch();
  auto* layout = new QVBoxLayout(widget());
  layout->addWidget(texts, 1);
  layout->addWidget(prompt);
  layout->addLayout(answer_row);
  layout->addWidget(show_hint, 0, Qt::AlignLeft);
  layout->addWidget(hint);
  layout->addLayout(step_row);
  layout->addWidget(summary);
  layout->addWidget(export_csv, 0, Qt::AlignLeft);
  // The order the keys go in: the texts, the answer, the steps, the export.
  QWidget::setTabOrder(heading, question);
  QWidget::setTabOrder(question, answer);
  QWidget::setTabOrder(answer, choices);
  QWidget::setTabOrder(choices, check);
  QWidget::setTabOrder(check, show_hint);
  QWidget::setTabOrder(show_hint, hint);
  QWidget::setTabOrder(hint, retry);
  QWidget::setTabOrder(retry, next);
  QWidget::setTabOrder(next, start_again);
  QWidget::setTabOrder(start_again, export_csv);
}

void ExerciseDock::Connect() {
  connect(answer, &QLineEdit::returnPressed, this, &ExerciseDock::CommitTyped);
  connect(choices->lineEdit(), &QLineEdit::returnPressed, this, &ExerciseDock::CommitTyped);
  connect(check, &QPushButton::clicked, this, &ExerciseDock::CommitTyped);
  connect(retry, &QPushButton::clicked, this, [this] {
    flow_.Retry();
    emit Acted();
  });
  connect(next, &QPushButton::clicked, this, [this] {
    flow_.Next();
    emit Acted();
  });
  connect(start_again, &QPushButton::clicked, this, &ExerciseDock::AskStartAgain);
  connect(show_hint, &QPushButton::clicked, this, [this] {
    flow_.ShowHint();
    AnswerField()->setFocus();  // the button goes
    emit Acted();
  });
  connect(export_csv, &QPushButton::clicked, this, &ExerciseDock::ExportRequested);
  // The outcome's lines are laid out after they are shown; the scroll follows them.
  connect(texts->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
    if (to_outcome_) ShowOutcomeTop();
  });
  connect(texts->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { to_outcome_ = false; });
}

void ExerciseDock::ShowOutcomeTop() {
  // The outcome stands under the question, which may be long.
  to_outcome_ = true;
  texts->verticalScrollBar()->setValue(outcome->y());
}

QLineEdit* ExerciseDock::AnswerField() const {
  return flow_.Step() != ExerciseStep::Closed && !flow_.Choices().empty() ? choices->lineEdit() : answer;
}

void ExerciseDock::Follow() {
  if (flow_.Revision() == shown_revision_) return;
  shown_revision_ = flow_.Revision();
  const bool moved = flow_.Step() != shown_step_ || flow_.Index() != shown_index_;
  if (moved) ShowAsked();
  ShowOutcome();
  const ExerciseStep step = flow_.Step();
  summary->setText(step == ExerciseStep::Closed ? QString() : ToQString(flow_.ProgressSummary()));
  ShowButtons();
  shown_step_ = step;
  shown_index_ = flow_.Index();
  if (moved) MoveFocus();
}

void ExerciseDock::ShowAsked() {
  const ExerciseStep step = flow_.Step();
  hint->clear();
  hint->hide();
  if (step == ExerciseStep::Closed) {
    heading->SetText(Ui("No exercises open"));
    question->SetText(Ui("File ▸ Open Exercises opens a set of exercises."));
    prompt->clear();
    answer->clear();
    return;
  }
  heading->SetText(ToQString(flow_.Heading()));
  if (step == ExerciseStep::Done) {
    question->SetText(Ui("Every exercise of the set has been taken; Start again asks them anew."));
  } else {
    question->SetText(ToQString(flow_.Current().question));
  }
  if (step != ExerciseStep::Asking) return;
  const QString what = ToQString(flow_.Prompt());
  prompt->setText(what);
  const std::vector<std::string> listed = flow_.Choices();
  choices->clear();
  for (const std::string& choice : listed) choices->addItem(ToQString(choice));
  choices->setEditText(QString());
  answer->clear();
  answer->setVisible(listed.empty());
  choices->setVisible(!listed.empty());
  AnswerField()->setAccessibleName(what);
  choices->setAccessibleName(what);
  prompt->setBuddy(listed.empty() ? static_cast<QWidget*>(answer) : choices);
}

void ExerciseDock::ShowOutcome() {
  std::vector<LabelledLines::Line> lines;
  if (flow_.Step() == ExerciseStep::Answered) {
    for (const OutcomeLine& line : flow_.Outcome()->lines) {
      lines.push_back({ToQString(line.label), ToQString(line.text)});
    }
  } else if (flow_.Step() == ExerciseStep::Running) {
    lines.push_back({QString(), Ui("Your answer is taken; the outcome shows when the run is over.")});
  }
  outcome->Show(lines);
  outcome->setVisible(!lines.empty());
  const bool hinted = flow_.HintShown();
  teacher_hint->Show({{Ui("Hint"), hinted ? ToQString(flow_.TeacherHint()) : QString()}});
  teacher_hint->setVisible(hinted && !flow_.TeacherHint().empty());
  // The keys go from Check answer through the outcome's lines to the steps.
  QWidget* before = check;
  for (WrappedText* text : outcome->texts) {
    QWidget::setTabOrder(before, text);
    before = text;
  }
  QWidget::setTabOrder(before, show_hint);
}

void ExerciseDock::ShowButtons() {
  const ExerciseStep step = flow_.Step();
  const bool asking = step == ExerciseStep::Asking;
  const bool open = step != ExerciseStep::Closed;
  // Read-only rather than disabled, so that the keys stay where they were.
  answer->setReadOnly(!asking);
  choices->lineEdit()->setReadOnly(!asking);
  answer->setEnabled(open);
  choices->setEnabled(open);
  check->setEnabled(asking);
  show_hint->setVisible(asking && !flow_.TeacherHint().empty() && !flow_.HintShown());
  retry->setEnabled(step == ExerciseStep::Answered);
  next->setEnabled(step == ExerciseStep::Answered);
  start_again->setEnabled(open);
  export_csv->setEnabled(open);
  prompt->setVisible(asking);
}

void ExerciseDock::MoveFocus() {
  switch (flow_.Step()) {
    case ExerciseStep::Asking:
      to_outcome_ = false;
      texts->verticalScrollBar()->setValue(0);
      AnswerField()->setFocus();
      break;
    case ExerciseStep::Answered:
      next->setFocus();
      ShowOutcomeTop();
      break;
    case ExerciseStep::Done:
      start_again->setFocus();
      break;
    default:
      break;
  }
}

void ExerciseDock::AskStartAgain() {
  const QString question = ToQString(flow_.StartAgainQuestion());
  if (question.isEmpty()) {
    flow_.StartAgain();
    emit Acted();
    return;
  }
  if (start_again_box != nullptr) start_again_box->close();
  start_again_box = new QMessageBox(QMessageBox::Question, Ui("Start again"), question,
                                    QMessageBox::Yes | QMessageBox::No, window());
  start_again_box->setTextFormat(Qt::PlainText);  // the set's title is no markup
  start_again_box->setDefaultButton(QMessageBox::No);  // what is kept stays kept, unless said
  start_again_box->setAttribute(Qt::WA_DeleteOnClose);
  connect(start_again_box, &QMessageBox::finished, this, [this](int chosen) {
    if (chosen != QMessageBox::Yes) return;
    flow_.StartAgain();
    emit Acted();
  });
  start_again_box->open();
}

void ExerciseDock::CommitTyped() {
  if (flow_.Step() != ExerciseStep::Asking) return;
  QLineEdit* field = AnswerField();
  if (const auto refusal = flow_.Commit(field->text().toStdString())) {
    // The text stays for the student to mend.
    hint->SetText(ToQString(*refusal));
    hint->show();
    field->setFocus();
  }
  emit Acted();
}

}  // namespace switchsim
