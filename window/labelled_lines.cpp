#include "window/labelled_lines.h"

namespace switchsim {

LabelledLines::LabelledLines(const QString& name, QWidget* parent) : QWidget(parent) {
  setAccessibleName(name);
  grid_ = new QGridLayout(this);
  grid_->setContentsMargins(0, 0, 0, 0);
  grid_->setColumnStretch(1, 1);
}

void LabelledLines::Show(const std::vector<Line>& lines) {
  if (lines == shown_) return;
  shown_ = lines;
  for (std::size_t i = labels.size(); i < lines.size(); ++i) {
    auto* label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold;  // only the weight: the size follows the panel's
    bold.setBold(true);
    label->setFont(bold);
    labels.push_back(label);
    texts.push_back(new WrappedText(QString(), this));
  }
  while (labels.size() > lines.size()) {
    delete labels.back();
    delete texts.back();
    labels.pop_back();
    texts.pop_back();
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto& [label, text] = lines[i];
    const int row = static_cast<int>(i);
    grid_->removeWidget(labels[i]);
    grid_->removeWidget(texts[i]);
    labels[i]->setText(label);
    labels[i]->setVisible(!label.isEmpty());
    texts[i]->setAccessibleName(label.isEmpty() ? accessibleName() : label);
    texts[i]->SetText(text);
    if (label.isEmpty()) {
      grid_->addWidget(texts[i], row, 0, 1, 2);
    } else {
      grid_->addWidget(labels[i], row, 0);
      grid_->addWidget(texts[i], row, 1);
    }
  }
  // The keys go through the lines in their order.
  for (std::size_t i = 1; i < texts.size(); ++i) QWidget::setTabOrder(texts[i - 1], texts[i]);
}

QString LabelledLines::Text() const {
  QString lines;
  for (const auto& [label, text] : shown_) {
    lines += (label.isEmpty() ? text : label + QStringLiteral(": ") + text) + '\n';
  }
  return lines;
}

}  // namespace switchsim
