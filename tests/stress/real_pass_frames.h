#pragma once

// The frames that passes of the real throw loop make with the fake host, cut
// at each wait the way the host's switches into the script cut them.

#include "standin_host/host_session.h"

#include <vector>

using Frame = std::vector<RecordedCall>;

// Runs one pass of the loop with the fake host's current answers. The frame
// before the pass's first wait belongs to an earlier pass and is left out.
std::vector<Frame> runRealPass();
