#include "form_session.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace switchsim::robustness {
namespace {

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One key as a keyboard delivers it: a key code for the keys that edit or
// move, otherwise the character as the key's text.
void PressKey(QWidget& widget, char32_t code_point) {
  Qt::Key key = Qt::Key_unknown;
  switch (code_point) {
    case U'\n':
    case U'\r': key = Qt::Key_Return; break;
    case U'\t': key = Qt::Key_Tab; break;
    case U'\b': key = Qt::Key_Backspace; break;
    case 0x1b: key = Qt::Key_Escape; break;
    case 0x7f: key = Qt::Key_Delete; break;
    default: break;
  }
  const QString text = QString::fromUcs4(&code_point, 1);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &release);
}

void PressKey(QWidget& widget, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(&widget, &release);
}

}  // namespace

testing::WindowFacts FormFacts(const Form1& form) {
  testing::WindowFacts facts;
  facts.markers.emplace();
  const std::array<const LineShape*, 3> lines = {form.lneMessage, form.lneCircuit, form.lnePacket};
  for (std::size_t m = 0; m < lines.size(); ++m) {
    (*facts.markers)[m] = testing::MarkerFacts{!lines[m]->isHidden(), lines[m]->Y1()};
  }
  facts.captions = {{form.cmdStart[0]->text().toStdString(), form.cmdStart[1]->text().toStdString()}};
  return facts;
}

FormSession::FormSession(Form1& form)
    : form_(form),
      checker_(form.simulation(), form.logic(), [&form] { return FormFacts(form); }),
      run_exists_(form.cmdStart[0]->text() != QLatin1String("Start")) {
  if (run_exists_) checker_.NoteRunStarted();
}

std::vector<std::string> FormSession::PressStart() {
  form_.cmdStart[0]->click();
  checker_.NoteReset();
  run_exists_ = !run_exists_;
  if (!run_exists_) return checker_.CheckAfterReset();
  checker_.NoteRunStarted();
  return checker_.Check();
}

// Picking an entry from the list: an editable box showing other text than
// its current entry's takes the entry's text even when it is the current one.
void FormSession::Pick(QComboBox& box, const std::string& text) {
  const int index = box.findText(ToQString(text));
  if (index < 0) return;
  if (index != box.currentIndex() || !box.isEditable()) {
    box.setCurrentIndex(index);
  } else {
    box.lineEdit()->setText(box.itemText(index));
  }
}

std::vector<std::string> FormSession::Type(int link, const std::string& text) {
  QLineEdit& field = *form_.cmbBitRate[link]->lineEdit();
  field.selectAll();
  if (text.empty()) PressKey(field, Qt::Key_Backspace);
  std::vector<std::string> out = checker_.Check();
  for (const char32_t code_point : ToQString(text).toUcs4()) {
    if (!out.empty()) break;
    PressKey(field, code_point);
    out = checker_.Check();
  }
  return out;
}

std::vector<std::string> FormSession::Do(const Action& action) {
  std::vector<std::string> out;
  QLineEdit& field = *form_.cmbBitRate[action.link]->lineEdit();
  switch (action.kind) {
    case ActionKind::kPressStart:
      out = PressStart();
      break;
    case ActionKind::kPressPause:
      form_.cmdStart[1]->click();
      out = checker_.Check();
      break;
    case ActionKind::kChooseRate:
      Pick(*form_.cmbBitRate[action.link], action.text);
      out = checker_.Check();
      break;
    case ActionKind::kChooseDelay:
      Pick(*form_.cmbDelay[action.link], action.text);
      out = checker_.Check();
      break;
    case ActionKind::kChooseSize:
      Pick(*form_.cmbMessageSize, action.text);
      out = checker_.Check();
      break;
    case ActionKind::kChooseMethod:
      Pick(*form_.cmbMethod, action.text);
      out = checker_.Check();
      break;
    case ActionKind::kTypeRate:
      out = Type(action.link, action.text);
      break;
    case ActionKind::kPasteRate:
      field.selectAll();
      field.insert(ToQString(action.text));
      out = checker_.Check();
      break;
    case ActionKind::kEnterRate:
      PressKey(field, Qt::Key_Return);
      out = checker_.Check();
      break;
    case ActionKind::kLeaveRate: {
      QFocusEvent focus_out(QEvent::FocusOut, Qt::TabFocusReason);
      QApplication::sendEvent(&field, &focus_out);
      out = checker_.Check();
      break;
    }
    case ActionKind::kTicks:
      out = checker_.Check();
      for (int i = 0; i < action.ticks && form_.Timer1->isActive() && out.empty(); ++i) {
        form_.Timer1_Timer();
        checker_.NoteTick();
        out = checker_.Check();
      }
      break;
  }
  // Repaints and other posted work, without running the timer.
  QCoreApplication::sendPostedEvents();
  return out;
}

}  // namespace switchsim::robustness
