// The text of a value in a line of the action file: the batch runs that line
// as a command, so every character the interpreter would act on is escaped
// and the variable or directory receives exactly what the person typed.
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

// text escaped for a command line of a ".cmd" file that runs with delayed
// expansion on: "%" doubled; "&", "|", "<", ">", "^", "(", ")" and the double
// quote behind a caret; and, in a blank-separated word that holds a "!", the
// "!" and "^" once more for the delayed expansion, which takes its own
// carets away in such words.
std::wstring ActionLiteral(std::wstring_view text);

}  // namespace tarnvelock
