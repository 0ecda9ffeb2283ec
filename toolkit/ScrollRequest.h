#pragma once
// Scroll-bar requests, numbered as the system's scroll-bar messages carry
// them (SB_LINEUP ... SB_BOTTOM). Portable: no Windows headers.
#include <cstdint>

enum ScrollRequest : int32_t {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
};
