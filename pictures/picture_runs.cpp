#include "pictures/picture_runs.h"

#include "form/choose_boxes.h"

namespace switchsim {

void RunForPicture(FormLogic& form, Mt64Random& random, const RunParameters& choice,
                   const std::vector<std::string>& techniques, std::uint64_t seed) {
  ChooseBoxes(form, choice);
  for (std::size_t i = 0; i < techniques.size(); ++i) {
    // Reset between runs; the last run's bands stay in the picture beside the markers.
    if (i > 0) form.cmdStart_Click(0);
    random.Reseed(seed);
    form.Choose(kMethodBox, techniques[i]);
    form.cmdStart_Click(0);
    while (form.TimerEnabled()) form.Timer1_Timer();
  }
}

}  // namespace switchsim
