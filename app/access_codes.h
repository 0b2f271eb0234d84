#pragma once

// The two start-up codes that open vendor and grid mode. The build chooses them
// (TALLOWIN_VENDOR_ACCESS_CODE and TALLOWIN_GRID_ACCESS_CODE in the top-level CMake
// cache), so that a distributor can hand out codes of its own.
#if !defined(TALLOWIN_VENDOR_ACCESS_CODE) || !defined(TALLOWIN_GRID_ACCESS_CODE)
#error "The access codes come from the build: link against tw_app or define both codes."
#endif

namespace tw {

inline constexpr const char *kVendorAccessCode = TALLOWIN_VENDOR_ACCESS_CODE;
inline constexpr const char *kGridAccessCode = TALLOWIN_GRID_ACCESS_CODE;

} // namespace tw
