#include "window/notice_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace switchsim {
namespace {

const QString kEllipsis = QStringLiteral("\u2026");

}  // namespace

NoticeLabel::NoticeLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

QString NoticeLabel::ShownText() const { return CutAtWord(text(), fontMetrics(), contentsRect().width()); }

QString NoticeLabel::CutAtWord(const QString& text, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  QString shown = kEllipsis;
  for (qsizetype space = text.indexOf(' '); space > 0; space = text.indexOf(' ', space + 1)) {
    // The word's own comma or semicolon goes; the ellipsis stands for what followed.
    QString words = text.left(space);
    while (!words.isEmpty() && QStringLiteral(",;:").contains(words.back())) words.chop(1);
    if (metrics.horizontalAdvance(words + kEllipsis) > width) break;
    shown = words + kEllipsis;
  }
  return shown;
}

void NoticeLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                        ShownText(), foregroundRole());
}

bool NoticeLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const QString shown = ShownText();
    if (shown != text()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QLabel::event(event);
}

}  // namespace switchsim
