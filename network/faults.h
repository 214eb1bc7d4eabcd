#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The words every fault of a network is made of, whether the window's texts or a file held it,
// so that the window, the file and the checks say a place and a reason alike.
namespace network {

// "第 3 段": a segment by its place, counted from 1 as the grid and a file's list show them.
inline std::string segmentNumber(std::size_t index) {
    return "第 " + std::to_string(index + 1) + " 段";
}

// A fault's place before its reason: "source.pressure：须为数（文件中是文本）".
inline std::string placedFault(std::string_view where, std::string_view why) {
    return std::string(where) + "：" + std::string(why);
}

// A figure that is no finite number, which only a network in memory can hold.
inline std::string notFinite(std::string_view what) {
    return std::string(what) + "不是有限的数";
}

} // namespace network
