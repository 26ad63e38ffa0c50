#include "display/frame_style.h"

#include <algorithm>

#include <QFrame>

namespace sorvane {

int clamp_frame_style(int style) { return std::clamp(style, 0, 5); }

void apply_frame_style(QFrame& frame, int style) {
  switch (clamp_frame_style(style)) {
    case 0:
      frame.setFrameStyle(QFrame::NoFrame);
      break;
    case 1:  // sunken client edge
      frame.setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
      break;
    case 2:  // raised dialog frame
      frame.setFrameStyle(QFrame::WinPanel | QFrame::Raised);
      break;
    case 3:  // thin sunken edge
      frame.setFrameStyle(QFrame::Panel | QFrame::Sunken);
      frame.setLineWidth(1);
      break;
    case 4:  // sunken client edge inside a raised frame
      frame.setFrameStyle(QFrame::Box | QFrame::Sunken);
      frame.setLineWidth(1);
      frame.setMidLineWidth(2);
      break;
    case 5:  // one-pixel line
      frame.setFrameStyle(QFrame::Box | QFrame::Plain);
      frame.setLineWidth(1);
      break;
  }
}

}  // namespace sorvane
