#include "core/instrument/own_path_references.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(OwnPathReferencesTest, ParameterZeroWithAndWithoutModifiers) {
  for (const wchar_t* text :
       {L"echo %0", L"type \"%~dp0data.txt\"", L"call \"%~f0\" worker", L"set me=%~nx0"}) {
    EXPECT_TRUE(HasOwnPathReference(text)) << text;
  }
}

TEST(OwnPathReferencesTest, OtherParametersPercentsAndForVariablesAreNot) {
  for (const wchar_t* text : {L"echo %1 %~dp1", L"echo 100%% done 0", L"for %%0 in (a) do echo",
                              L"echo %~", L"echo %PATH%0"}) {
    EXPECT_FALSE(HasOwnPathReference(text)) << text;
  }
}

}  // namespace
}  // namespace tarnvelock
