#pragma once

#include <QFontMetrics>
#include <QLabel>
#include <QString>

namespace switchsim {

/// The status bar's notice. Its text is the whole notice (and so is what a
/// screen reader is told); what shows is cut after the last whole word
/// that fits the label, with an ellipsis, never inside a word or a number,
/// and the whole notice is its tool tip when cut.
class NoticeLabel : public QLabel {
  Q_OBJECT

 public:
  explicit NoticeLabel(QWidget* parent = nullptr);

  /// The text as it shows at the label's width now.
  QString ShownText() const;

  /// `text` as it shows in `width` pixels of `metrics`: whole, or its
  /// words that fit with an ellipsis after them, or the ellipsis alone.
  static QString CutAtWord(const QString& text, const QFontMetrics& metrics, int width);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace switchsim
