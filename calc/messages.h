#pragma once

#include <string_view>

namespace calc {

inline constexpr std::string_view kErrorTitle = "错误提示";

inline constexpr std::string_view kDiameterNotPositive =
    "管道内径不得小于等于0，点击确定按钮后重新输入管内径！";
inline constexpr std::string_view kDiameterOutOfRange =
    "管道内径超出数值范围，点击确定按钮后重新输入管内径！";
inline constexpr std::string_view kFlowNegative =
    "蒸汽质量流量不得小于0，点击确定按钮后重新输入蒸汽流量！";
inline constexpr std::string_view kFlowOutOfRange =
    "蒸汽质量流量超出数值范围，点击确定按钮后重新输入蒸汽流量！";
inline constexpr std::string_view kRoughnessNegative =
    "管道当量绝对粗糙度不得小于0，点击确定按钮后重新输入粗糙度！";
inline constexpr std::string_view kRoughnessOutOfRange =
    "管道当量绝对粗糙度超出数值范围，点击确定按钮后重新输入粗糙度！";
inline constexpr std::string_view kDensityNotPositive =
    "蒸汽密度不得小于等于0，点击确定按钮后重新输入蒸汽密度！";
inline constexpr std::string_view kDensityOutOfRange =
    "蒸汽密度超出数值范围，点击确定按钮后重新输入蒸汽密度！";

// Shown in a result field whose value is not a finite number.
inline constexpr std::string_view kBeyondRange = "超出计算范围";
inline constexpr std::string_view kDensityMissing = "请输入蒸汽密度";

} // namespace calc
