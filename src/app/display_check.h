// Whether a window can be opened at all, checked before Qt would abort with a long platform message.
#pragma once

namespace tessaroven {

// False only when neither a Qt platform is chosen (QT_QPA_PLATFORM) nor an X11 or Wayland display is set.
bool DisplayAvailable();

// One line on standard error that says there is no display and names the command-line converter.
void ReportNoDisplay();

}  // namespace tessaroven
