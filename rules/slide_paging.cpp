#include "rules/slide_paging.h"

#include "rules/result_codes.h"

namespace tw {

SlideMove ContinueFromSlide(int slide)
{
    switch (slide) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 8:
        return {SlideMove::Show, slide + 1};
    case 6:
    case 9:
    case 11:
    case 13:
        return {SlideMove::Close, kResultForward};
    default:
        // 7, 10 and 12 are other screens; nothing else is a slide.
        return {};
    }
}

SlideMove BackFromSlide(int slide)
{
    switch (slide) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 9:
        return {SlideMove::Show, slide - 1};
    case 1:
    case 8:
    case 11:
    case 13:
        return {SlideMove::Close, kResultBack};
    default:
        return {};
    }
}

} // namespace tw
