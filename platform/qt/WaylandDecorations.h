#pragma once

// Before the application is made: where the program will run on a Wayland compositor that draws window
// decorations itself, tells Qt to draw none of its own.
//
// Qt decides whether it can draw decorations by asking its OpenGL client-buffer integration, and loading that
// brings up EGL and Mesa (a software rasteriser on a machine without a GPU: tens of megabytes and a steady
// share of the processor) in a program that paints only into shared memory. A compositor that decorates
// windows needs none of it. Elsewhere (X11, a compositor without server-side decorations, or a choice the
// user made in the environment) nothing changes.
void LeaveWindowDecorationsToTheCompositor();
