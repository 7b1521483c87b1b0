#pragma once
// The Qt application object as the program sets it up: its name, version, maker and icon,
// the faces of the folder `fonts` beside the program added to its fonts, and the layouts'
// fonts mapped to those faces (or to faces of this system). Needs the application object;
// call it before the first window is built.

namespace tallyo {

void ConfigureApplication();

}  // namespace tallyo
