#pragma once
#include <cstdint>

// The virtual-key code of a key, as the window's key handlers compare them; 0 for keys without one.
//
// Letters and digits are keys, not characters: on a Latin layout the letter on the key decides (the key
// labelled Y gives 89 wherever the layout puts it), on a layout without Latin letters the key's place on
// the US layout does. nativeScanCode is the XKB key code (evdev code + 8) that X11 and Wayland deliver;
// 0 when unknown.
int VirtualKeyOf(int qtKey, uint32_t nativeScanCode);

// The key as the window's handlers act on it: VirtualKeyOf, except that the key left of X on the US layout (the
// German layout's Y, the US Z, the French W) is always Y. The red player's two keys then sit side by side on
// every layout, and on QWERTZ that key is Y anyway; the key labelled Y keeps its meaning.
int SteeringKeyOf(int qtKey, uint32_t nativeScanCode);
