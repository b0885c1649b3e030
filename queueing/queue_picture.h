#pragma once

#include "pictures/drawing.h"
#include "queueing/queue_run.h"

namespace switchsim {

/// The first packets of a queue as a picture, time running down as in the
/// form's traces: a tick for each arrival, then in the queue's column a bar
/// as long as the packets waiting, and in the link's column each packet's
/// sending as a band, alternating in two shades; a packet lost to a full
/// buffer is a red cross at its arrival. The window is 200 service times
/// long. With a title and a description that say the figures.
Drawing QueuePicture(const QueueRun& run);

}  // namespace switchsim
