#include "form/choose_boxes.h"

namespace switchsim {

void ChooseBoxesWhere(FormLogic& form, const RunParameters& choice, const std::function<bool(std::string_view)>& given) {
  if (given("size")) form.Choose(kSizeBox, choice.size);
  for (int k = 0; k < kLinkCount; ++k) {
    if (given("delays")) form.Choose(DelayBox(k), choice.delays[k]);
    if (given("rates")) form.Choose(RateBox(k), choice.rates[k]);
  }
  if (given("technique")) form.Choose(kMethodBox, choice.technique);
  if (given("packet") || given("header")) {
    Packeting packeting = form.simulation().packeting();
    if (given("packet")) packeting.packet_blocks = choice.packeting.packet_blocks;
    if (given("header")) packeting.header_blocks = choice.packeting.header_blocks;
    form.ChoosePacketing(packeting);
  }
}

void ChooseBoxes(FormLogic& form, const RunParameters& choice) {
  ChooseBoxesWhere(form, choice, [](std::string_view) { return true; });
}

}  // namespace switchsim
