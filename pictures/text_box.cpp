#include "pictures/text_box.h"

namespace switchsim {
namespace {

// Of the form's sans-serif face, in ems: the widest advance of a digit or a
// lower-case letter (bold a little wider), and how far the ink reaches above
// and below the baseline.
inline constexpr double kAdvanceEm = 0.64;
inline constexpr double kBoldAdvanceEm = 0.72;
inline constexpr double kAscentEm = 0.8;
inline constexpr double kDescentEm = 0.24;

}  // namespace

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Box TextBox(const DrawText& text) {
  const double width = static_cast<double>(text.text.size()) * text.size *
                       (text.bold ? kBoldAdvanceEm : kAdvanceEm);
  double left = text.at.x;
  if (text.align == TextAlign::Middle) left -= width / 2;
  if (text.align == TextAlign::End) left -= width;
  return {left, text.at.y - kAscentEm * text.size, left + width, text.at.y + kDescentEm * text.size};
}

}  // namespace switchsim
