#include "tools/stampwell/code128.h"

#include <array>
#include <cassert>
#include <cstdio>

namespace stampwell {
namespace {

// Bar and space widths of the 107 symbols, by value; each symbol is 11 modules wide, the stop
// symbol 13 (its final bar included).
constexpr std::array<const char*, 107> kPatterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122",  "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122",  "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123",  "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",  "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311",  "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411",  "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412",  "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211",  "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113",  "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

std::string millimetres(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4fmm", value);
    return text;
}

int digit(char c) {
    return c - '0';
}

}  // namespace

std::vector<int> code128_values(std::string_view digits) {
    std::vector<int> values = {kStartC};
    std::size_t i = 0;
    for (; i + 1 < digits.size(); i += 2) {
        values.push_back(digit(digits[i]) * 10 + digit(digits[i + 1]));
    }
    if (i < digits.size()) {
        values.push_back(kCodeB);
        values.push_back(digits[i] - ' ');  // code set B holds the ASCII characters from space
    }
    int sum = values[0];
    for (std::size_t position = 1; position < values.size(); ++position) {
        sum += static_cast<int>(position) * values[position];
    }
    values.push_back(sum % 103);
    values.push_back(kStop);
    return values;
}

std::string code128_widths(const std::vector<int>& values) {
    std::string widths;
    for (const int value : values) {
        assert(value >= 0 && value < static_cast<int>(kPatterns.size()));
        widths += kPatterns[static_cast<std::size_t>(value)];
    }
    return widths;
}

std::string code128_svg(std::string_view digits, double module_mm, double height_mm) {
    const std::string widths = code128_widths(code128_values(digits));
    std::string bars;
    int x = kQuietZoneModules;
    bool bar = true;
    for (const char width : widths) {
        const int w = width - '0';
        if (bar) {
            // Appended piece by piece: GCC 12 warns falsely about "literal" + std::string.
            bars += 'M';
            bars += std::to_string(x);
            bars += " 0h";
            bars += std::to_string(w);
            bars += "v1h-";
            bars += std::to_string(w);
            bars += 'z';
        }
        x += w;
        bar = !bar;
    }
    const int modules = x + kQuietZoneModules;
    // The drawing is in modules across and one unit high, stretched to the printed size.
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"barcode\" data-code=\"" +
           std::string(digits) + "\" width=\"" + millimetres(modules * module_mm) + "\" height=\"" +
           millimetres(height_mm) + "\" viewBox=\"0 0 " + std::to_string(modules) +
           " 1\" preserveAspectRatio=\"none\" shape-rendering=\"crispEdges\"><rect width=\"" +
           std::to_string(modules) + "\" height=\"1\" fill=\"#fff\"/><path fill=\"#000\" d=\"" +
           bars + "\"/></svg>";
}

}  // namespace stampwell
