#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

// The items "1" to "nCount" (none when nCount < 1): the page and level lists.
inline std::vector<std::string> NumberItems(int nCount)
{
    std::vector<std::string> items;
    for (int n = 1; n <= nCount; ++n)
        items.push_back(std::to_string(n));
    return items;
}

// A list's items from a table of its texts or of its numbers.
template <typename T, std::size_t N>
std::vector<std::string> ListItems(const std::array<T, N>& table)
{
    if constexpr (std::is_arithmetic_v<T>)
    {
        std::vector<std::string> items;
        for (const T value : table)
            items.push_back(std::to_string(value));
        return items;
    }
    else
        return {table.begin(), table.end()};
}
