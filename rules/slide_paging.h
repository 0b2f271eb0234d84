#pragma once

namespace tw {

// What Continue or Back does on a slide: the slide screen pages through its group
// (1-6, 8-9, 11, 13) by itself and closes only when the user leaves the group.
struct SlideMove {
    enum Kind { Stay, Show, Close };
    Kind kind = Stay;
    int value = 0; // the slide to show, or the screen's result code
    bool operator==(const SlideMove &) const = default;
};

SlideMove ContinueFromSlide(int slide);
SlideMove BackFromSlide(int slide);

} // namespace tw
