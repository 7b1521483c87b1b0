#pragma once
// The Qt application object as the program sets it up: its name, version, maker and icon,
// and the layouts' fonts mapped to faces of this system. Needs the application object.

namespace tallyo {

void ConfigureApplication();

}  // namespace tallyo
