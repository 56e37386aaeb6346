#include "platform/qt/VirtualKey.h"

#include <gtest/gtest.h>

#include <Qt>

#include <ios>

TEST(VirtualKey, PlacesOfTheUsLayoutForCharactersWithoutLatinLetters)
{
    const struct {
        int QtKey;
        quint32 KeyCode;
        int Expected;
    } cases[] = {
        {0x419, 24, 'Q'}, {0x417, 33, 'P'}, {0x424, 38, 'A'}, {0x414, 46, 'L'}, {0x42C, 58, 'M'},
        {0x3B1, 10, '1'}, {0x3B2, 19, '0'}, {Qt::Key_unknown, 29, 'Y'},
        // Places that carry no letter or digit on the US layout, and codes outside it.
        {0x425, 34, 0}, {0x416, 47, 0}, {0x431, 59, 0}, {0x41D, 9, 0}, {0x41D, 7, 0}, {0x41D, 255, 0},
        // Latin characters are what they are, wherever their key sits: a Dvorak comma is no W.
        {Qt::Key_Comma, 25, 0}, {Qt::Key_Space, 65, 0}, {Qt::Key_Q, 38, 'Q'}, {Qt::Key_7, 10, '7'},
        {Qt::Key_Escape, 9, 27}, {Qt::Key_F3, 69, 114}, {Qt::Key_Pause, 127, 19},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyOf(c.QtKey, c.KeyCode), c.Expected) << std::hex << c.QtKey << " at " << std::dec
                                                                << c.KeyCode;
}
