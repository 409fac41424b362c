// The date and the time as the English (United States) Windows interpreter
// shows them in %DATE%, %TIME%, DATE /T and TIME /T.
#pragma once

#include <string>

namespace tarnvelock {

std::string DateText();       // "Wed 12/09/2026"
std::string TimeText();       // " 7:05:03.25"
std::string ShortTimeText();  // "07:05 AM"

}  // namespace tarnvelock
