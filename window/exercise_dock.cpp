#include "exercise_dock.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "qt_text.h"

namespace switchsim {
namespace {

QLabel* PlainLabel(QWidget* parent, const QString& description, bool selectable) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAccessibleDescription(description);
  if (selectable) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  return label;
}

QPushButton* Button(QWidget* parent, const QString& text, const QString& tip) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  button->setToolTip(tip);
  return button;
}

}  // namespace

ExerciseDock::ExerciseDock(ExerciseFlow& flow, QWidget* parent)
    : QDockWidget(QStringLiteral("Exercise"), parent), flow_(flow) {
  setObjectName(QStringLiteral("exerciseDock"));
  CreateWidgets();
  LayOut();
  Connect();
  Follow();
}

void ExerciseDock::CreateWidgets() {
  auto* contents = new QWidget(this);
  contents->setAccessibleName(QStringLiteral("Exercise"));
  heading = PlainLabel(contents, QStringLiteral("Exercise"), false);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  question = PlainLabel(contents, QStringLiteral("Question"), true);
  prompt = PlainLabel(contents, QString(), false);
  answer = new QLineEdit(contents);
  choices = new QComboBox(contents);
  choices->setEditable(true);
  choices->setInsertPolicy(QComboBox::NoInsert);
  check = Button(contents, QStringLiteral("&Check answer"),
                 QStringLiteral("Takes the answer and runs the exercise (Enter in the answer box)"));
  hint = PlainLabel(contents, QStringLiteral("Hint"), true);
  outcome = PlainLabel(contents, QStringLiteral("Outcome"), true);
  retry = Button(contents, QStringLiteral("&Try again"), QStringLiteral("Asks the same exercise again"));
  next = Button(contents, QStringLiteral("&Next"), QStringLiteral("Goes on to the next exercise"));
  start_again = Button(contents, QStringLiteral("Start &again"),
                       QStringLiteral("Forgets the answers of this set and asks its first exercise"));
  export_csv = Button(contents, QStringLiteral("E&xport progress as CSV\u2026"),
                      QStringLiteral("Saves each exercise's answer and whether it was within tolerance"));
  summary = PlainLabel(contents, QStringLiteral("Progress"), false);
  setWidget(contents);
}

void ExerciseDock::LayOut() {
  QWidget* contents = widget();
  auto* answer_row = new QHBoxLayout;
  answer_row->addWidget(answer, 1);
  answer_row->addWidget(choices, 1);
  answer_row->addWidget(check);
  auto* step_row = new QHBoxLayout;
  step_row->addWidget(retry);
  step_row->addWidget(next);
  step_row->addWidget(start_again);
  step_row->addStretch();
  auto* layout = new QVBoxLayout(contents);
  layout->addWidget(heading);
  layout->addWidget(question);
  layout->addWidget(prompt);
  layout->addLayout(answer_row);
  layout->addWidget(hint);
  layout->addWidget(outcome);
  layout->addLayout(step_row);
  layout->addWidget(summary);
  layout->addWidget(export_csv, 0, Qt::AlignLeft);
  layout->addStretch();
  // The order the keys go in: the answer, the steps, the export.
  QWidget::setTabOrder(answer, choices);
  QWidget::setTabOrder(choices, check);
  QWidget::setTabOrder(check, outcome);
  QWidget::setTabOrder(outcome, retry);
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
  connect(start_again, &QPushButton::clicked, this, [this] {
    flow_.StartAgain();
    emit Acted();
  });
  connect(export_csv, &QPushButton::clicked, this, &ExerciseDock::ExportRequested);
}

QLineEdit* ExerciseDock::AnswerField() const {
  return flow_.Step() != ExerciseStep::Closed && !flow_.Choices().empty() ? choices->lineEdit() : answer;
}

void ExerciseDock::Follow() {
  if (flow_.Revision() == shown_revision_) return;
  shown_revision_ = flow_.Revision();
  const bool moved = flow_.Step() != shown_step_ || flow_.Index() != shown_index_;
  if (moved) ShowAsked();
  const ExerciseStep step = flow_.Step();
  switch (step) {
    case ExerciseStep::Answered:
      outcome->setText(ToQString(flow_.OutcomeText()));
      break;
    case ExerciseStep::Running:
      outcome->setText(QStringLiteral("Your answer is taken; the outcome shows when the run is over."));
      break;
    default:
      outcome->clear();
  }
  outcome->setVisible(!outcome->text().isEmpty());
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
    heading->setText(QStringLiteral("No exercises open"));
    question->setText(QStringLiteral("File \u25b8 Open Exercises opens a set of exercises."));
    prompt->clear();
    answer->clear();
    return;
  }
  heading->setText(ToQString(flow_.Heading()));
  if (step == ExerciseStep::Done) {
    question->setText(QStringLiteral("Every exercise of the set has been taken; Start again asks them anew."));
  } else {
    question->setText(ToQString(flow_.Current().question));
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
  retry->setEnabled(step == ExerciseStep::Answered);
  next->setEnabled(step == ExerciseStep::Answered);
  start_again->setEnabled(open);
  export_csv->setEnabled(open);
  prompt->setVisible(asking);
}

void ExerciseDock::MoveFocus() {
  switch (flow_.Step()) {
    case ExerciseStep::Asking:
      AnswerField()->setFocus();
      break;
    case ExerciseStep::Answered:
      next->setFocus();
      break;
    case ExerciseStep::Done:
      start_again->setFocus();
      break;
    default:
      break;
  }
}

void ExerciseDock::CommitTyped() {
  if (flow_.Step() != ExerciseStep::Asking) return;
  QLineEdit* field = AnswerField();
  if (const auto refusal = flow_.Commit(field->text().toStdString())) {
    // The text stays for the student to mend.
    hint->setText(ToQString(*refusal));
    hint->show();
    field->setFocus();
  }
  emit Acted();
}

}  // namespace switchsim
