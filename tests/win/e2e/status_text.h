// What the tool's status box must show, as the administrator reads it: the
// four entries, byte for byte, for given service states; and the way back,
// from a text on the screen to the four states it shows.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace e2e {

// One state per service, in the order of the box: MSSQLSERVER,
// MSSQL$SQLEXPRESS, the listener, OracleServiceORCL. Values as the service
// manager gives them (0 for no service, 1 to 7).
using States = std::array<int, 4>;

std::string StatusText(const States& states, const std::string& listenerName);

// The states a status text shows, each 0 to 6 (a paused or unknown state
// shows as stopped, 1). False when the text is not exactly such a text.
bool ParseStatus(const std::string& text, const std::string& listenerName, States* states);

// The word the box shows for a state ("已启动" ...).
std::string StateWord(int state);

// A GBK text made readable in a test's output: UTF-8, line breaks as \r\n.
std::string Shown(const std::string& gbk);

}  // namespace e2e
