#pragma once

#include <array>

// The display models the setup utility knows, as the product list shows
// them and the connection file stores them; compared as whole strings.
inline constexpr const char* kModelVF510 = "VF510";
inline constexpr const char* kModelVF620 = "VF620";
inline constexpr const char* kModelVF730 = "VF730/VF730E";

// The product list's entries, in its sorted order.
inline constexpr std::array kModels{kModelVF510, kModelVF620, kModelVF730};
