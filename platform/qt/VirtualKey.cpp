#include "platform/qt/VirtualKey.h"

#include "platform/VirtualKeyCodes.h"

#include <Qt>

#include <array>

namespace {

// XKB key codes are evdev codes shifted by 8.
constexpr uint32_t XkbOffset = 8;

// The US layout's letters and digits by evdev code, from KEY_1 (2) to KEY_M (50); 0 where there is none.
constexpr std::array<char, 49> UsLayout{
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 0,   0,   0,   0,   // 2..15
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 0,   0,   0,   0,   // 16..29
    'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 0,   0,   0,   0,   0,   // 30..43
    'Z', 'X', 'C', 'V', 'B', 'N', 'M',                                     // 44..50
};
constexpr uint32_t FirstUsKey = 2;
// KEY_Z, left of KEY_X in the bottom row.
constexpr uint32_t UsZPlace = 44 + XkbOffset;

bool IsLatinLetterOrDigit(int qtKey)
{
    return (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9);
}

// A character beyond ASCII (Cyrillic, Greek, ...), or a key the toolkit could not name.
bool IsNonLatinCharacter(int qtKey)
{
    return (qtKey >= 0x80 && qtKey < Qt::Key_Escape) || qtKey == Qt::Key_unknown || qtKey == 0;
}

} // namespace

int VirtualKeyOf(int qtKey, uint32_t nativeScanCode)
{
    switch (qtKey) {
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_F3:
        return VK_F3;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    default:
        break;
    }
    // Letters and digits carry their upper-case character codes, as virtual keys do.
    if (IsLatinLetterOrDigit(qtKey))
        return qtKey;
    if (!IsNonLatinCharacter(qtKey))
        return 0;
    if (nativeScanCode < XkbOffset + FirstUsKey || nativeScanCode - XkbOffset - FirstUsKey >= UsLayout.size())
        return 0;
    return UsLayout[nativeScanCode - XkbOffset - FirstUsKey];
}

int SteeringKeyOf(int qtKey, uint32_t nativeScanCode)
{
    return nativeScanCode == UsZPlace ? VK_Y : VirtualKeyOf(qtKey, nativeScanCode);
}
