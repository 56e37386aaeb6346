#pragma once
#include <cstdint>

// The virtual-key code of a key, as the window's key handlers compare them; 0 for keys without one.
//
// Letters and digits are keys, not characters: on a Latin layout the letter on the key decides (the key
// labelled Y gives 89 wherever the layout puts it), on a layout without Latin letters the key's place on
// the US layout does. nativeScanCode is the XKB key code (evdev code + 8) that X11 and Wayland deliver;
// 0 when unknown.
int VirtualKeyOf(int qtKey, uint32_t nativeScanCode);
