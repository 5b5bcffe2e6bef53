// Code 128 symbols for setup codes: digits in code set C (two digits a symbol), with an odd last
// digit in code set B, the modulo 103 check symbol and the stop pattern.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stampwell {

inline constexpr int kStartC = 105;
inline constexpr int kCodeB = 100;
inline constexpr int kStop = 106;
// Clear space each side of the bars, in modules.
inline constexpr int kQuietZoneModules = 10;

// The symbol values from the start symbol to the stop symbol, check symbol included. `digits`
// holds digits only.
std::vector<int> code128_values(std::string_view digits);

// The widths, in modules, of the bars and spaces of `values` in turn, starting with a bar.
std::string code128_widths(const std::vector<int>& values);

// The whole barcode as one SVG element (quiet zones included), `module_mm` millimetres a module
// wide and `height_mm` high. It stands alone as an SVG file too.
std::string code128_svg(std::string_view digits, double module_mm, double height_mm);

}  // namespace stampwell
