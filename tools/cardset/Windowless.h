// Start-up of Velmo's command-line tools: a Qt application without a display.
#pragma once

namespace velmo::tool {

// Call before creating the QGuiApplication. The tools run during the build, where there is no
// display: the offscreen platform is chosen unless the caller picked one, and it still provides
// the fonts that SVG text needs. Qt's notices pass through (an SVG author wants to hear about an
// unsupported element), except the missing-runtime-folder notice every windowless run prints.
void PrepareWindowless();

}  // namespace velmo::tool
