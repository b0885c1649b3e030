#pragma once

#include <QString>
#include <QTextEdit>

namespace switchsim {

/// A text that may be long, such as a sheet's question, title or
/// explanation: plain, read-only and selectable, wrapped at the width its
/// panel gives it (inside a word too, should a word be wider than that),
/// and exactly as tall as its lines. It asks for the width of a few
/// characters only, so that no text widens its panel or the window.
class WrappedText : public QTextEdit {
  Q_OBJECT

 public:
  /// `name` is what assistive technology calls it ("Question"); the text is its value.
  explicit WrappedText(const QString& name, QWidget* parent = nullptr);

  /// Shows `text` as plain text.
  void SetText(const QString& text);
  QString Text() const { return toPlainText(); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FitHeight();
};

}  // namespace switchsim
