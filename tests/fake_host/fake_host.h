#pragma once

// The host the native unit tests link the spine against: the stand-in host's
// own session, so both record and decode the natives the same way.

#include "standin_host/host_session.h"

HostSession& fakeHost();
