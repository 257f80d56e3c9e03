#pragma once
// The colours the study frame's pages share, so that every page draws with one palette.

#include "TControl.h"

namespace Palette {
// Light blue band across the top of a page.
inline constexpr TAlphaColor kBanner = 0xFFE3F1FC;
// Background of the page below the band.
inline constexpr TAlphaColor kPageBack = 0xFFF6F8FA;
inline constexpr TAlphaColor kWhite = 0xFFFFFFFF;
inline constexpr TAlphaColor kBlack = 0xFF000000;
// Accent of marked titles and pressed shelf buttons.
inline constexpr TAlphaColor kOrange = 0xFFFF960D;
// Secondary text.
inline constexpr TAlphaColor kGrey = 0xFF5A6470;
// The unit page's reminder band.
inline constexpr TAlphaColor kRemind = 0xFF5FC0FD;
// The course page's orange: selected lessons, outlines of an open unit,
// progress bars, mode labels under the pointer.
inline constexpr TAlphaColor kCourseOrange = 0xFFFFA417;
// The course page's blue: unit buttons and lesson outlines.
inline constexpr TAlphaColor kSkyBlue = 0xFF5FC0FD;
// Thin outlines of cards and bars.
inline constexpr TAlphaColor kLine = 0xFFD8DEE4;
} // namespace Palette
