#include "choose_boxes.h"

namespace switchsim {
namespace {

template <typename Given>
void ChooseWhere(FormLogic& form, const RunChoice& choice, Given given) {
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

}  // namespace

void ChooseBoxes(FormLogic& form, const RunChoice& choice) {
  ChooseWhere(form, choice, [](std::string_view) { return true; });
}

void ChooseGivenBoxes(FormLogic& form, const RunRequest& request) {
  ChooseWhere(form, request, [&request](std::string_view name) { return request.Given(name); });
}

}  // namespace switchsim
