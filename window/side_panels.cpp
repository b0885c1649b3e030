#include "window/appearance.h"
#include "window/side_panels.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "look/presentation.h"

namespace switchsim {

SidePanels::SidePanels(QMainWindow& window, FormView& view)
    : QObject(&window), window_(window), view_(view) {
  connect(&view_, &FormView::TextChanged, this, &SidePanels::FollowView);
}

void SidePanels::Add(QDockWidget& panel) {
  panels_.push_back(&panel);
  panel.setFont(PanelFont());
  connect(&panel, &QDockWidget::visibilityChanged, this, &SidePanels::MakeRoom);
  connect(&panel, &QDockWidget::topLevelChanged, this, &SidePanels::MakeRoom);
}

QFont SidePanels::PanelFont() const {
  return appearance::PanelFont(QApplication::font(), {view_.TextScale(), view_.projector()});
}

int SidePanels::PanelWidth(const QDockWidget& panel) const {
  const int text = QFontMetrics(panel.font()).averageCharWidth() * kPanelChars;
  return std::max(text, panel.minimumSizeHint().width());
}

void SidePanels::FollowView() {
  const QFont font = PanelFont();
  for (QDockWidget* panel : panels_) panel->setFont(font);
  MakeRoom();
}

void SidePanels::MakeRoom() {
  // Minimising the window hides its panels too: nothing to give back then.
  if (window_.isMinimized()) return;
  std::vector<QDockWidget*> shown;
  std::vector<int> widths;
  int needed = 0;
  for (const Qt::DockWidgetArea area : {Qt::LeftDockWidgetArea, Qt::RightDockWidgetArea}) {
    int widest = 0;
    const std::size_t first = shown.size();
    for (QDockWidget* panel : panels_) {
      if (panel->isHidden() || panel->isFloating() || window_.dockWidgetArea(panel) != area) continue;
      shown.push_back(panel);
      widths.push_back(PanelWidth(*panel));
      widest = std::max(widest, widths.back());
    }
    if (widest > 0) {
      needed += widest + window_.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, &window_);
    }
    // Panels above one another share the height as their contents ask.
    if (shown.size() - first > 1) {
      QList<int> heights;
      for (auto panel = shown.begin() + static_cast<long>(first); panel != shown.end(); ++panel) {
        heights << (*panel)->sizeHint().height();
      }
      window_.resizeDocks({shown.begin() + static_cast<long>(first), shown.end()}, heights, Qt::Vertical);
    }
  }
  if (!shown.empty()) window_.resizeDocks({shown.begin(), shown.end()}, {widths.begin(), widths.end()}, Qt::Horizontal);
  if (window_.isMaximized() || window_.isFullScreen()) return;
  if (shown.empty()) {
    if (grown_ > 0) window_.resize(window_.width() - grown_, window_.height());
    grown_ = 0;
    return;
  }
  const QRect screen = window_.screen()->availableGeometry();
  const int frame = window_.frameGeometry().width() - window_.width();
  const int width = std::min(view_.WantedSize().width() + needed, screen.width() - frame);
  if (width <= window_.width()) return;
  grown_ += width - window_.width();
  window_.resize(width, window_.height());
  // Grown past the screen's right edge, it moves left, as far as the screen's left edge.
  const int over = window_.x() + width + frame - 1 - screen.right();
  if (over > 0) window_.move(std::max(screen.left(), window_.x() - over), window_.y());
}

}  // namespace switchsim
