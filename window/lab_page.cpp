#include "window/lab_page.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTabBar>
#include <QVBoxLayout>
#include <cmath>

#include "window/file_saving.h"
#include "window/fitted_label.h"
#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

inline constexpr int kProgressSteps = 1000;  // the bar's range: tenths of a per cent
inline constexpr int kBoxPairsPerRow = 2;    // label and box pairs side by side
inline constexpr int kBoxWidthChars = 10;    // a box is as wide as this many digits, at least
inline constexpr int kLeastPictureLines = 8;  // the picture shows at least this many lines of text high

std::vector<LabelledLines::Line> LinesOf(const std::vector<LabelledLine>& figures) {
  std::vector<LabelledLines::Line> lines;
  for (const LabelledLine& figure : figures) lines.emplace_back(ToQString(figure.label), ToQString(figure.text));
  return lines;
}

}  // namespace

LabPage::LabPage(LabKind kind, QWidget* parent) : QWidget(parent), session_(kind) {
  setAccessibleName(ToQString(session_.Title()));
  CreateControls();
  LayOut();
  Connect();
  ShowFields();
  ShowRun();
  Say(Ui("Type the setting, then Run (or Enter in a box)."));
}

void LabPage::CreateControls() {
  for (const LabField& field : session_.Fields()) {
    auto* box = new QLineEdit(this);
    box->setAccessibleName(ToQString(field.label));
    box->setAccessibleDescription(ToQString(field.help));
    box->setToolTip(ToQString(field.help));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(kBoxWidthChars, '0')));
    boxes.push_back(box);
  }
  run = new QPushButton(Ui("&Run"), this);
  run->setToolTip(Ui("Runs the lab with the setting above (Enter in a box too)"));
  progress = new QProgressBar(this);
  progress->setRange(0, kProgressSteps);
  progress->setFormat(QStringLiteral("%p %"));
  progress->setAccessibleName(Ui("Progress of the run"));
  status = new FittedLabel(this);
  status->setAccessibleDescription(Ui("Last event"));
  picture = new DrawingView(this);
  picture_area = new QScrollArea(this);
  picture_area->setWidget(picture);
  picture_area->setAccessibleName(Ui("The run's picture"));
  picture_area->setBackgroundRole(QPalette::Base);
  picture_area->setMinimumHeight(picture_area->fontMetrics().height() * kLeastPictureLines);
  figures = new LabelledLines(Ui("Figures"), this);
  held_note = new FittedLabel(this);
  QString held = ToQString(Tr(kLabHeldNotice));
  held[0] = held[0].toUpper();
  held_note->setText(held + '.');
  held_note->hide();
  curve = new LabCurvePane(session_, this);
  copy_link = new QPushButton(Ui("Copy &Link"), this);
  copy_link->setToolTip(Ui("Puts the query of the page's address that opens this run on the clipboard"));
  save_json = new QPushButton(Ui("Save &JSON…"), this);
  save_json->setToolTip(Ui("Saves the finished run as switchsim-trace --json prints it"));
}

void LabPage::LayOut() {
  auto* setting = new QGridLayout;
  const std::vector<LabField> fields = session_.Fields();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    auto* caption = new QLabel(ToQString(fields[i].label) + ':', this);
    caption->setBuddy(boxes[i]);
    caption->setToolTip(boxes[i]->toolTip());
    const int row = static_cast<int>(i) / kBoxPairsPerRow;
    const int column = 2 * (static_cast<int>(i) % kBoxPairsPerRow);
    setting->addWidget(caption, row, column);
    setting->addWidget(boxes[i], row, column + 1);
  }
  for (int pair = 0; pair < kBoxPairsPerRow; ++pair) setting->setColumnStretch(2 * pair + 1, 1);
  auto* running = new QHBoxLayout;
  running->addWidget(run);
  running->addWidget(progress, 1);
  views = new QTabWidget(this);
  views->setAccessibleName(Ui("The run and the curve"));
  views->addTab(RunView(), Ui("R&un"));
  views->addTab(curve, Ui("Cur&ve"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(setting);
  layout->addLayout(running);
  layout->addWidget(status);
  layout->addWidget(held_note);
  layout->addWidget(views, 1);
  // The keys go as the eye does: the boxes row by row, then the rest.
  std::vector<QWidget*> order(boxes.begin(), boxes.end());
  order.insert(order.end(), {run, status, views->tabBar(), picture_area, copy_link, save_json, curve->range});
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

QWidget* LabPage::RunView() {
  auto* view = new QWidget(this);
  figures->setParent(view);
  picture_area->setParent(view);
  copy_link->setParent(view);
  save_json->setParent(view);
  auto* saving = new QHBoxLayout;
  saving->addStretch();
  saving->addWidget(copy_link);
  saving->addWidget(save_json);
  auto* layout = new QVBoxLayout(view);
  layout->setContentsMargins(0, 0, 0, 0);
  // The figures first, each on a line of the page's width; the picture under them, scrolling.
  layout->addWidget(figures);
  layout->addWidget(picture_area, 1);
  layout->addStretch();  // before the first run, when there is no picture, the lines stay at the top
  layout->addLayout(saving);
  return view;
}

void LabPage::Connect() {
  slices_.setInterval(0);
  connect(&slices_, &QTimer::timeout, this, &LabPage::Slice);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    connect(boxes[i], &QLineEdit::editingFinished, this, [this, i] { Take(i); });
    connect(boxes[i], &QLineEdit::returnPressed, this, [this, i] {
      if (Take(i)) Run();
    });
  }
  connect(run, &QPushButton::clicked, this, &LabPage::Run);
  connect(curve, &LabCurvePane::DrawAsked, this, &LabPage::DrawCurve);
  connect(curve, &LabCurvePane::Noticed, this, &LabPage::ShowNotice);
  connect(curve, &LabCurvePane::Said, this, &LabPage::Say);
  connect(copy_link, &QPushButton::clicked, this, &LabPage::CopyLink);
  connect(save_json, &QPushButton::clicked, this, [this] {
    const QString name = session_.Kind() == LabKind::Share ? QStringLiteral("switchsim-share.json")
                                                           : QStringLiteral("switchsim-queue.json");
    const QString path = AskSavePath(this, Ui("Save JSON"), name, QStringLiteral("JSON (*.json)"));
    if (!path.isEmpty()) SaveJson(path);
  });
}

bool LabPage::Take(std::size_t box) {
  const std::vector<LabField> fields = session_.Fields();
  const std::string typed = boxes[box]->text().trimmed().toStdString();
  if (typed == fields[box].value) return true;
  const bool taken = !session_.Set(fields[box].name, typed).has_value();
  // A refused value leaves the setting as it was, and the box shows it again.
  ShowFields();
  ShowNotice();
  return taken;
}

void LabPage::Apply(const RunRequest& request) {
  session_.Apply(request);
  ShowFields();
  ShowNotice();
  ShowRun();
  if (session_.Running()) slices_.start();
}

bool LabPage::TakeAll() {
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (!Take(i)) return false;
  }
  return true;
}

void LabPage::Run() {
  if (!TakeAll()) return;
  const bool started = !session_.Start().has_value();
  ShowNotice();
  ShowRun();
  if (started) slices_.start();
}

void LabPage::DrawCurve() {
  if (TakeAll()) curve->Draw();
}

void LabPage::Pause() {
  slices_.stop();
  curve->Pause();
}

void LabPage::Resume() {
  if (session_.Running()) slices_.start();
  curve->Resume();
}

void LabPage::SetHeld(bool held) {
  if (held == session_.Held()) return;
  session_.SetHeld(held);
  // The last notice may tell a run's figures: the held note takes its place.
  if (held) Say(held_note->text());
  ShowRun();
  curve->Show();
}

void LabPage::Slice() {
  if (!session_.RunSlice()) slices_.stop();
  ShowRun();
  ShowNotice();
}

void LabPage::ShowFields() {
  const std::vector<LabField> fields = session_.Fields();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i]->text() != ToQString(fields[i].value)) boxes[i]->setText(ToQString(fields[i].value));
  }
}

void LabPage::ShowRun() {
  progress->setValue(static_cast<int>(std::lround(session_.Progress() * kProgressSteps)));
  picture->SetDrawing(session_.Picture());
  ShowHeld();
  picture_area->setVisible(session_.HasRun() && !session_.Held());
  const std::size_t lines = figures->texts.size();
  figures->Show(LinesOf(session_.Figures()));
  if (figures->texts.size() != lines && !figures->texts.empty()) {
    // The keys reach the figures where the eye does, between the tabs and the picture.
    QWidget* previous = views->tabBar();
    for (QWidget* text : figures->texts) {
      setTabOrder(previous, text);
      previous = text;
    }
  }
  save_json->setEnabled(session_.HasRun() && !session_.Running() && !session_.Held());
}

void LabPage::ShowNotice() {
  if (session_.NoticeCount() == notices_shown_) return;
  notices_shown_ = session_.NoticeCount();
  Say(ToQString(session_.Notice()));
}

void LabPage::Say(const QString& text) {
  status->setText(text);
  // The name is what a screen reader is told of a change, as the status bar's notice;
  // a notice said again in the same words (the same refusal) is told again too.
  if (status->accessibleName() == text) {
    QAccessibleEvent again(status, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&again);
  }
  status->setAccessibleName(text);
  ShowHeld();
}

void LabPage::ShowHeld() {
  // Said once: not under a status line that says it already.
  held_note->setVisible(session_.Held() && status->text() != held_note->text());
}

void LabPage::CopyLink() {
  const QString query = QStringLiteral("?") + ToQString(session_.Query());
  QApplication::clipboard()->setText(query);
  Say(Filled(Ui("Copied the link's query, to add to the page's address: {0}"), {query}));
}

bool LabPage::SaveJson(const QString& path) {
  if (session_.Held()) {
    Say(Filled(Ui("Nothing was saved: {0}."), {ToQString(Tr(kLabHeldNotice))}));
    return false;
  }
  if (!session_.HasRun() || session_.Running()) {
    Say(Ui("Nothing was saved: the run has not finished."));
    return false;
  }
  if (const auto error = SaveWhole(path, QByteArray::fromStdString(session_.Json()))) {
    Say(Filled(Ui("Nothing was saved: {0}."), {*error}));
    return false;
  }
  Say(Filled(Ui("Saved {0}."), {path}));
  return true;
}

}  // namespace switchsim
