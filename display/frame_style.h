#pragma once

class QFrame;

namespace sorvane {

// The six frame styles of the picture controls, 0-5: none, sunken, raised,
// thin sunken, sunken inside raised, one-pixel line. Values outside 0-5 are
// clamped. The frame takes its room from the client area.
int clamp_frame_style(int style);
void apply_frame_style(QFrame& frame, int style);

}  // namespace sorvane
