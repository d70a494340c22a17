#include "sim/frame_events.h"

void FrameEvents::push(const FrameEvent& event)
{
    // The capacity covers the worst frame; a full list keeps its first events.
    if (count < FRAME_EVENT_CAPACITY) {
        list[count++] = event;
    }
}
