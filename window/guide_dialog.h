#pragma once

#include <QDialog>
#include <QString>
#include <QTextBrowser>

namespace switchsim {

/// "How to read the picture": the guide with the formulas filled in with the
/// boxes' values, in a dialog of its own that stays open beside the window.
class GuideDialog : public QDialog {
  Q_OBJECT

 public:
  explicit GuideDialog(QWidget* parent = nullptr);

  /// Shows `html`; the same text again leaves the guide where it was scrolled to.
  void ShowText(const QString& html);

  QTextBrowser* text = nullptr;

 private:
  QString html_;
};

}  // namespace switchsim
