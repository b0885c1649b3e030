#include "window/accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QList>

#include "window/crest_image.h"
#include "window/form1.h"
#include "window/line_shape.h"
#include "window/trace_surface.h"

namespace switchsim::accessibility {
namespace {

constexpr char kDecoration[] = "switchsimDecoration";  // a widget property

/// The form: its children, less the decoration.
class FormAccessible final : public QAccessibleWidget {
 public:
  explicit FormAccessible(QWidget* form) : QAccessibleWidget(form, QAccessible::Client) {}

  int childCount() const override { return static_cast<int>(Children().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> children = Children();
    if (index < 0 || index >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children[index]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    return static_cast<int>(Children().indexOf(qobject_cast<QWidget*>(child->object())));
  }

 private:
  QList<QWidget*> Children() const {
    QList<QWidget*> children;
    for (QObject* object : widget()->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (child != nullptr && !child->isWindow() && !child->property(kDecoration).toBool()) {
        children.append(child);
      }
    }
    return children;
  }
};

/// A box named by its purpose ("Bit rate, Router A to Router B"), whose
/// value is its text, read through its text; its children are its list and,
/// if it takes typing, its line of text.
class BoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit BoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // The value as a read-only text, without selections or a cursor.
  QString text(int start, int end) const override { return Value().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Value().size()); }
  void selection(int /*index*/, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int /*start*/, int /*end*/) override {}
  void removeSelection(int /*index*/) override {}
  void setSelection(int /*index*/, int /*start*/, int /*end*/) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int /*position*/) override {}
  QRect characterRect(int /*offset*/) const override { return {}; }
  int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
  void scrollToSubstring(int /*start*/, int /*end*/) override {}
  QString attributes(int /*offset*/, int* start, int* end) const override {
    *start = *end = 0;
    return {};
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Value();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = Box()->view()->isVisible();
    state.editable = Box()->isEditable();
    return state;
  }
  int childCount() const override { return Box()->isEditable() ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
    if (index == 1 && Box()->isEditable()) {
      return QAccessible::queryAccessibleInterface(Box()->lineEdit());
    }
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    if (child->object() == Box()->view()) return 0;
    if (Box()->isEditable() && child->object() == Box()->lineEdit()) return 1;
    return -1;
  }

 private:
  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
  QString Value() const { return Box()->currentText(); }
};

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  // Qt asks for each class from the most derived up; answer only the first.
  if (widget == nullptr || class_name != QLatin1String(object->metaObject()->className())) {
    return nullptr;
  }
  if (qobject_cast<Form1*>(object) != nullptr) return new FormAccessible(widget);
  if (auto* box = qobject_cast<QComboBox*>(object);
      box != nullptr && qobject_cast<Form1*>(box->parentWidget()) != nullptr) {
    return new BoxAccessible(box);
  }
  if (qobject_cast<TraceSurface*>(object) != nullptr || qobject_cast<CrestImage*>(object) != nullptr) {
    return new QAccessibleWidget(widget, QAccessible::Graphic);
  }
  if (qobject_cast<LineShape*>(object) != nullptr) {
    return new QAccessibleWidget(widget, QAccessible::StaticText);
  }
  return nullptr;
}

}  // namespace

void Install() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  static_cast<void>(installed);
}

void MarkDecoration(QWidget& widget) { widget.setProperty(kDecoration, true); }

}  // namespace switchsim::accessibility
