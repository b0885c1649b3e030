#include "text/labelled_line.h"

namespace switchsim {

std::string LabelledLinesText(const std::vector<LabelledLine>& lines) {
  std::string text;
  for (const LabelledLine& line : lines) text += line.label + ": " + line.text + "\n";
  return text;
}

}  // namespace switchsim
