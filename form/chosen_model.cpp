#include "form/chosen_model.h"

#include "simulation/numbers.h"

namespace switchsim {

LinkModel ChosenModel(const FormLogic& form) {
  LinkModel model;
  for (int k = 0; k < kLinkCount; ++k) {
    model.rates[k] = form.RateColour(k) == kRed ? form.simulation().State().SavedRates[k]
                                                : form.simulation().TickRate(k);
    model.delays[k] = LeadingNumber(form.DelayText(k));
  }
  model.size = LeadingNumber(form.MessageSizeText());
  model.packeting = form.simulation().packeting();
  return model;
}

}  // namespace switchsim
