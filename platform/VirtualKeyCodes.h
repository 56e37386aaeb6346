#pragma once

// The virtual-key codes the program reacts to: what the key translation produces and the window's key handlers
// compare. Letters carry their upper-case character codes.
constexpr int VK_PAUSE = 19;
constexpr int VK_ESCAPE = 27;
constexpr int VK_LEFT = 37;
constexpr int VK_RIGHT = 39;
constexpr int VK_M = 'M';
constexpr int VK_X = 'X';
constexpr int VK_Y = 'Y';
constexpr int VK_F3 = 114;
