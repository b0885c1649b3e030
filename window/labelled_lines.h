#pragma once

#include <QGridLayout>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

#include "window/wrapped_text.h"

namespace switchsim {

/// Short labelled lines, such as an exercise's outcome: a column of labels
/// ("Your answer", "Expected", "Verdict", ...) and, beside each, its text,
/// wrapped at the panel's width. Each text is named by its label for
/// assistive technology, and can be selected.
class LabelledLines : public QWidget {
  Q_OBJECT

 public:
  using Line = std::pair<QString, QString>;  // label, text

  /// `name` is what assistive technology calls the lines together ("Outcome").
  explicit LabelledLines(const QString& name, QWidget* parent = nullptr);

  /// Shows `lines` in their order; a line without a label spans both columns.
  void Show(const std::vector<Line>& lines);
  /// The lines shown, as "label: text" (or the text alone), each ending in a newline.
  QString Text() const;

  std::vector<QLabel*> labels;      ///< as many as the lines shown
  std::vector<WrappedText*> texts;  ///< as many as the lines shown

 private:
  QGridLayout* grid_ = nullptr;
  std::vector<Line> shown_;
};

}  // namespace switchsim
