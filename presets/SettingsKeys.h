#pragma once
// Where the product keeps its memories and meter preferences in the settings store.

#include <cstdio>
#include <string>

namespace ambrel {

inline const std::string kProductKey = std::string("SOFTWARE\\") + "Zemtone\\" + "Ambrel20";
inline const std::string kMemoAKey = kProductKey + "\\MemoA";
inline const std::string kMemoBKey = kProductKey + "\\MemoB";
inline constexpr const char* kMemoNameValue = "name";

// "param%3d": the index right-aligned in three characters ("param  0", "param 41").
inline std::string memoValueName(int index) {
    char text[16];
    std::snprintf(text, sizeof text, "param%3d", index);
    return text;
}

}  // namespace ambrel
