// The start dialog of StartNetGame: choose a connection, then join a game in
// progress (double-click) or create a new one by name.
#pragma once

#include <memory>

#include "net/session/game_session.h"

// 0 when nothing was started (cancelled), 1 joined, 2 created; the session
// started is stored in `session`.
int runNetGameDialog(std::unique_ptr<session::GameSession>& session);
