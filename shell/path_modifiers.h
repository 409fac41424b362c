// The "%~" modifiers of batch parameters and FOR variables: f d p n x s a t z
// and "$VAR:" (search the directories listed in VAR).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnvelock {

// A file time as the English Windows interpreter shows it, "MM/DD/YYYY" +
// gap + "hh:mm AM" (%~t uses one blank, DIR two).
std::string FormatFileTime(std::filesystem::file_time_type stamp, const char* gap);

inline bool IsPathModifier(char c) {
  switch (c) {
    case 'f':
    case 'd':
    case 'p':
    case 'n':
    case 'x':
    case 's':
    case 'a':
    case 't':
    case 'z':
    case 'F':
    case 'D':
    case 'P':
    case 'N':
    case 'X':
    case 'S':
    case 'A':
    case 'T':
    case 'Z':
      return true;
    default:
      return false;
  }
}

// Applies letters (any of "fdpnxsatz", possibly empty) to value; the
// surrounding quotes of value are removed first. With search_list, value is
// looked up in the directories of that list (empty result when not found).
std::string ApplyPathModifiers(std::string_view value, std::string_view letters,
                               const std::string* search_list);

}  // namespace tarnvelock
