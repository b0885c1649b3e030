#include "window/wrapped_text.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontMetrics>
#include <cmath>

namespace switchsim {
namespace {

inline constexpr int kLeastWidthChars = 8;  // what it asks for, in average characters

}  // namespace

WrappedText::WrappedText(const QString& name, QWidget* parent) : QTextEdit(parent) {
  setAccessibleName(name);
  setReadOnly(true);
  setAcceptRichText(false);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setTabChangesFocus(true);
  setFrameShape(QFrame::NoFrame);
  setLineWrapMode(QTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  // It reads as the panel's own text, on the panel's colour.
  viewport()->setBackgroundRole(QPalette::Window);
  document()->setDocumentMargin(0);
  connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
          &WrappedText::FitHeight);
  FitHeight();
}

void WrappedText::SetText(const QString& text) {
  if (text != toPlainText()) setPlainText(text);
}

QSize WrappedText::sizeHint() const {
  return {fontMetrics().averageCharWidth() * kLeastWidthChars, height()};
}

QSize WrappedText::minimumSizeHint() const { return sizeHint(); }

void WrappedText::resizeEvent(QResizeEvent* event) {
  QTextEdit::resizeEvent(event);
  FitHeight();
}

void WrappedText::changeEvent(QEvent* event) {
  QTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitHeight();
}

void WrappedText::FitHeight() {
  const QMargins margins = contentsMargins();
  const int lines = static_cast<int>(std::ceil(document()->size().height()));
  const int height = std::max(lines, fontMetrics().height()) + margins.top() + margins.bottom();
  if (height != this->height() || minimumHeight() != height) setFixedHeight(height);
}

}  // namespace switchsim
