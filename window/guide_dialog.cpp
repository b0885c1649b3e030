#include "window/guide_dialog.h"
#include "window/ui_text.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace switchsim {
namespace {

constexpr int kWidthPx = 680;   // px
constexpr int kHeightPx = 620;  // px

}  // namespace

GuideDialog::GuideDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Ui("How to read the picture"));
  text = new QTextBrowser(this);
  text->setAccessibleName(Ui("How to read the picture"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(kWidthPx, kHeightPx);
}

void GuideDialog::ShowText(const QString& html) {
  // Setting the same text again would scroll the guide back to its top.
  if (html != html_) text->setHtml(html);
  html_ = html;
}

}  // namespace switchsim
