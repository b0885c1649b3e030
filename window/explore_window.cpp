#include "window/appearance.h"
#include "window/explore_window.h"

#include <QBuffer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "window/window_placing.h"
#include "window/drawing_painter.h"
#include "window/file_saving.h"
#include "simulation/numbers.h"
#include "window/qt_text.h"
#include "records/results_format.h"
#include "form/run_choice.h"
#include "pictures/svg_writer.h"
#include "explore/sweep_choices.h"
#include "explore/sweep_tables.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

// Runs made between two events: a few ms, so that the window stays responsive.
inline constexpr std::size_t kRunsPerChunk = 60;
inline constexpr double kPngScale = 2.0;  // a PNG at twice the drawing's px, sharp on a slide
inline constexpr int kRangeBoxWidthPx = 90;  // at the usual text

QLineEdit* RangeBox(const QString& name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setAccessibleName(name);
  box->setMaximumWidth(kRangeBoxWidthPx);
  return box;
}

}  // namespace

ExploreWindow::ExploreWindow(std::function<RunParameters()> base, RunStarter start, QWidget* parent)
    : QWidget(parent, Qt::Window), base_(std::move(base)), start_(std::move(start)) {
  setWindowTitle(Ui("Explore: completion time against one parameter"));
  CreateControls();
  LayOut();
  Connect();
  ChooseDefaultRange();
  usual_font_ = font();
  // Nothing to show before the first curve: no empty picture, no empty table.
  curve->hide();
  table->hide();
  status->setText(Ui("Choose a parameter and its range, then Draw."));
}

void ExploreWindow::CreateControls() {
  parameter = new QComboBox(this);
  for (const SweepChoice& choice : SweepChoices()) parameter->addItem(ToQString(Tr(choice.label)));
  parameter->setAccessibleName(Ui("Parameter"));
  from = RangeBox(Ui("From"), this);
  to = RangeBox(Ui("To"), this);
  step = RangeBox(Ui("Step"), this);
  seeds = new QSpinBox(this);
  seeds->setRange(1, kMostSweepSeeds);
  seeds->setValue(3);
  seeds->setAccessibleName(Ui("Seeds"));
  draw = new QPushButton(Ui("&Draw"), this);
  draw->setDefault(true);
  status = new QLabel(this);
  status->setWordWrap(true);
  status->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  status->setTextFormat(Qt::PlainText);
  curve = new CurveView(this);
  table = new QTableWidget(0, 5, this);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->verticalHeader()->hide();
  table->setAccessibleName(Ui("The curves' numbers"));
  export_svg = new QPushButton(Ui("Export &SVG…"), this);
  export_png = new QPushButton(Ui("Export &PNG…"), this);
  export_csv = new QPushButton(Ui("Export &CSV…"), this);
  hidden_note = new QLabel(
      Ui("The curves show once the exercise's answer is taken; they would give it away."), this);
  hidden_note->setTextFormat(Qt::PlainText);
  hidden_note->setWordWrap(true);
  hidden_note->hide();

}

void ExploreWindow::LayOut() {
  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(Ui("Parameter:"), this));
  controls->addWidget(parameter);
  for (const auto& [label, box] : {std::pair{Ui("From:"), from}, std::pair{Ui("To:"), to}, std::pair{Ui("Step:"), step}}) {
    auto* caption = new QLabel(label, this);
    caption->setBuddy(box);
    controls->addWidget(caption);
    controls->addWidget(box);
  }
  controls->addWidget(new QLabel(Ui("Seeds:"), this));
  controls->addWidget(seeds);
  controls->addWidget(draw);
  controls->addStretch();
  auto* exports = new QHBoxLayout;
  exports->addStretch();
  for (QPushButton* button : {export_svg, export_png, export_csv}) {
    button->setEnabled(false);
    exports->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(status);
  layout->addWidget(hidden_note);
  layout->addWidget(curve, 3);
  layout->addWidget(table, 1);
  layout->addLayout(exports);

}

void ExploreWindow::Connect() {
  chunks_.setInterval(0);
  connect(&chunks_, &QTimer::timeout, this, &ExploreWindow::RunChunk);
  connect(parameter, &QComboBox::currentIndexChanged, this, &ExploreWindow::ChooseDefaultRange);
  connect(draw, &QPushButton::clicked, this, &ExploreWindow::Draw);
  for (QLineEdit* box : {from, to, step}) connect(box, &QLineEdit::returnPressed, this, &ExploreWindow::Draw);
  connect(curve, &CurveView::Pressed, this, &ExploreWindow::Press);
  connect(table, &QTableWidget::cellActivated, this,
          [this](int row, int /*column*/) { StartRun(static_cast<std::size_t>(row)); });
  connect(export_svg, &QPushButton::clicked, this, [this] {
    Export(Ui("Export SVG"), QStringLiteral("switchsim-curves.svg"), QStringLiteral("SVG (*.svg)"),
           QByteArray::fromStdString(SvgText(curve->drawing())));
  });
  connect(export_png, &QPushButton::clicked, this, [this] {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ImageOf(curve->drawing(), kPngScale).save(&buffer, "PNG");
    Export(Ui("Export PNG"), QStringLiteral("switchsim-curves.png"), QStringLiteral("PNG (*.png)"), png);
  });
  connect(export_csv, &QPushButton::clicked, this, [this] {
    Export(Ui("Export CSV"), QStringLiteral("switchsim-curves.csv"), QStringLiteral("CSV (*.csv)"),
           QByteArray::fromStdString(SweepCsv(*sweep_)));
  });
  for (const QKeySequence& keys : {QKeySequence(QKeySequence::Close), QKeySequence(Qt::Key_Escape)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
  }
}

void ExploreWindow::Press(const CurvePress& press) {
  if (!finished_) return;
  const CurvePick pick = layout_->Pick(press);
  if (pick.kind == CurvePick::Kind::Run) StartRun(pick.index);
  if (pick.kind == CurvePick::Kind::Mark) status->setText(ToQString(layout_->MarkSaid(pick.index)));
}

void ExploreWindow::SetPresentation(const Presentation& presentation) {
  const PanelText text = PanelTextFor(presentation);
  setFont(appearance::PanelFont(usual_font_, presentation));
  for (QLineEdit* box : {from, to, step}) box->setMaximumWidth(qRound(kRangeBoxWidthPx * text.scale));
  table->verticalHeader()->resetDefaultSectionSize();
  if (finished_) table->resizeColumnsToContents();
}

void ExploreWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_ || parentWidget() == nullptr) return;
  placed_ = true;
  // At the main window's size, which holds the form: enough for the curves and their table.
  PlaceBesideParent(*this);
}

void ExploreWindow::ChooseDefaultRange() {
  const SweepChoice& choice = SweepChoices()[static_cast<std::size_t>(std::max(parameter->currentIndex(), 0))];
  from->setText(ToQString(choice.from));
  to->setText(ToQString(choice.to));
  step->setText(ToQString(choice.step));
}

void ExploreWindow::SetReadoutsHidden(bool hidden) {
  hidden_ = hidden;
  curve->setVisible(!hidden && layout_);
  table->setVisible(!hidden && layout_);
  hidden_note->setVisible(hidden);
  draw->setEnabled(!hidden);
  for (QPushButton* button : {export_svg, export_png, export_csv}) button->setEnabled(finished_ && !hidden);
}

void ExploreWindow::Draw() {
  if (hidden_) return;
  const SweepChoice& choice = SweepChoices()[static_cast<std::size_t>(std::max(parameter->currentIndex(), 0))];
  std::string text = std::string(choice.name) + "=" + from->text().trimmed().toStdString() + ":" +
                     to->text().trimmed().toStdString();
  if (!step->text().trimmed().isEmpty()) text += ":" + step->text().trimmed().toStdString();
  auto read = ReadSweepRange(text);
  if (const auto* error = std::get_if<std::string>(&read)) {
    status->setText(Filled(Ui("Not drawn: {0}."), {ToQString(*error)}));
    return;
  }
  sweep_.emplace(std::get<SweepRange>(std::move(read)), base_(), 1, seeds->value());
  finished_ = false;
  for (QPushButton* button : {export_svg, export_png, export_csv}) button->setEnabled(false);
  chunks_.start();
  RunChunk();
}

void ExploreWindow::RunChunk() {
  if (!sweep_) return;
  sweep_->RunNext(kRunsPerChunk);
  if (!sweep_->Done()) {
    status->setText(Filled(Ui("Running: {0} of {1} runs"), {QString::number(sweep_->runs().size()),
                                                          QString::number(sweep_->RunCount())}));
    return;
  }
  chunks_.stop();
  ShowFinished();
}

void ExploreWindow::Finish() {
  if (!sweep_ || finished_) return;
  sweep_->RunNext(sweep_->RunCount());
  chunks_.stop();
  ShowFinished();
}

void ExploreWindow::ShowFinished() {
  finished_ = true;
  curve->setVisible(!hidden_);
  table->setVisible(!hidden_);
  layout_.emplace(*sweep_);
  curve->SetDrawing(layout_->drawing());
  FillTable();
  status->setText(Filled(Ui("{0} runs. Click or tap a point, or press Enter on a row, to run it in the form."),
                         {QString::number(sweep_->runs().size())}));
  for (QPushButton* button : {export_svg, export_png, export_csv}) button->setEnabled(!hidden_);
}

void ExploreWindow::FillTable() {
  const Sweep& sweep = *sweep_;
  table->setHorizontalHeaderLabels({ToQString(SweepAxisTitle(sweep.spec())), Ui("Technique"),
                                    Ui("Seed"), Ui("Simulated ms"),
                                    Ui("Formula ms")});
  table->setRowCount(static_cast<int>(sweep.runs().size()));
  for (std::size_t r = 0; r < sweep.runs().size(); ++r) {
    const SweepRun& run = sweep.runs()[r];
    const std::array<std::string, 5> cells = {
        PeopleNumber(ShortestText(sweep.spec().values[run.x_index])), Tr(SweepTechniqueName(run.technique)),
        std::to_string(run.seed), run.simulated_ms ? PeopleNumber(std::to_string(*run.simulated_ms)) : Tr("> 15 s"),
        PeopleNumber(MsText(sweep.FormulaMs(run.technique, run.x_index)))};
    for (int c = 0; c < 5; ++c) {
      table->setItem(static_cast<int>(r), c, new QTableWidgetItem(ToQString(cells[static_cast<std::size_t>(c)])));
    }
  }
  table->resizeColumnsToContents();
}

void ExploreWindow::StartRun(std::size_t run) {
  if (!finished_ || run >= sweep_->runs().size()) return;
  const RunParameters parameters = sweep_->ParametersOf(sweep_->runs()[run]);
  if (const auto refusal = start_(parameters)) {
    status->setText(ToQString(*refusal));
    return;
  }
  status->setText(Filled(Ui("Running in the form: {0}, {1}"),
                         {ToQString(Tr(parameters.technique)), ToQString(ParameterLine(parameters))}));
}

void ExploreWindow::Export(const QString& title, const QString& name, const QString& filter,
                           const QByteArray& bytes) {
  const QString path = AskSavePath(this, title, name, filter);
  if (path.isEmpty()) return;
  if (const auto error = SaveWhole(path, bytes)) {
    status->setText(Filled(Ui("Nothing was saved: {0}."), {*error}));
  } else {
    status->setText(Filled(Ui("Saved {0}."), {path}));
  }
}

}  // namespace switchsim
