#pragma once

#include "pictures/drawing.h"
#include "sharing/share_run.h"

namespace switchsim {

/// The first slots of a shared link as a picture, time running down as in
/// the form's traces (one px a slot): a column for each of the first users,
/// banded where the user is active (blue for a user who holds a circuit,
/// orange for one who sends packets only), and beside them the link's load,
/// a bar a slot as long as the users active, red where more are active than
/// the link carries, with that limit as a line. With a title and a
/// description that say the figures, for those who cannot see it.
Drawing SharePicture(const ShareRun& run);

}  // namespace switchsim
