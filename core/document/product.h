// The product's name and version as they appear in captions, settings files,
// the generated batch and the environment of the batch.
#pragma once

namespace tarnvelock {

inline constexpr wchar_t kProductName[] = L"Tarnvelock";
inline constexpr wchar_t kProductVersion[] = L"1.1";

}  // namespace tarnvelock
