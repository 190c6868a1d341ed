// Relative luminance, luminance contrast and simulated colour-vision deficiencies of 8-bit sRGB
// colours, shared by the contact sheet's simulated views and the resource checks.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace colour_vision {

enum class Vision { Normal, Deuteranopia, Protanopia, Tritanopia };
inline constexpr std::array<Vision, 4> AllVisions = {Vision::Normal, Vision::Deuteranopia,
                                                     Vision::Protanopia, Vision::Tritanopia};

inline const char* nameOf(Vision v) {
    switch (v) {
    case Vision::Deuteranopia:
        return "deuteranopia";
    case Vision::Protanopia:
        return "protanopia";
    case Vision::Tritanopia:
        return "tritanopia";
    default:
        return "normal vision";
    }
}

// One sRGB channel (0..255) to linear light (0..1), and back.
inline double linearOf(int channel) {
    double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
inline int channelOf(double linear) {
    double l = std::clamp(linear, 0.0, 1.0);
    double c = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(c * 255));
}

// Relative luminance (0 black, 1 white) of a 0xRRGGBB colour, sRGB primaries and white point.
inline double luminanceOf(uint32_t rgb) {
    return 0.2126 * linearOf(static_cast<int>((rgb >> 16) & 0xFF)) +
           0.7152 * linearOf(static_cast<int>((rgb >> 8) & 0xFF)) +
           0.0722 * linearOf(static_cast<int>(rgb & 0xFF));
}

// Luminance contrast of two relative luminances, the lighter over the darker: 1 to 21.
inline double contrastOf(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The colour as a viewer with the given dichromacy sees it: the full-severity matrices of
// Machado, Oliveira and Fernandes (2009), applied to linear RGB.
inline uint32_t simulate(Vision v, uint32_t rgb) {
    using Matrix = std::array<std::array<double, 3>, 3>;
    static constexpr Matrix Deutan = {{{0.367322, 0.860646, -0.227968},
                                       {0.280085, 0.672501, 0.047413},
                                       {-0.011820, 0.042940, 0.968881}}};
    static constexpr Matrix Protan = {{{0.152286, 1.052583, -0.204868},
                                       {0.114503, 0.786281, 0.099216},
                                       {-0.003882, -0.048116, 1.051998}}};
    static constexpr Matrix Tritan = {{{1.255528, -0.076749, -0.178779},
                                       {-0.078411, 0.930809, 0.147602},
                                       {0.004733, 0.691367, 0.303900}}};
    if (v == Vision::Normal) return rgb;
    const Matrix& m = v == Vision::Deuteranopia ? Deutan
                      : v == Vision::Protanopia ? Protan
                                                : Tritan;
    double in[3] = {linearOf(static_cast<int>((rgb >> 16) & 0xFF)),
                    linearOf(static_cast<int>((rgb >> 8) & 0xFF)),
                    linearOf(static_cast<int>(rgb & 0xFF))};
    uint32_t out = 0;
    for (const auto& row : m) {
        double l = row[0] * in[0] + row[1] * in[1] + row[2] * in[2];
        out = (out << 8) | static_cast<uint32_t>(channelOf(l));
    }
    return out;
}

} // namespace colour_vision
