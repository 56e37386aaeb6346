#include "drawing/CaseFold.h"
#include "drawing/Errors.h"
#include "drawing/ImageList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::u32string CodePoints(const std::string& text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();)
        out += NextCodePoint(text, i);
    return out;
}

TEST(CaseFold, Utf8IsDecodedAndStrayBytesStandForThemselves)
{
    const struct {
        std::string Text;
        std::u32string Expected;
    } cases[] = {
        {"Boje", U"Boje"},
        {"\xC3\x84rger", U"\u00C4rger"},
        {"\xD0\xAF\xE2\x84\xAA\xF0\x9F\x98\x80", U"\u042F\u212A\U0001F600"},
        // Latin-1 bytes, a cut-off sequence, an overlong '/', an encoded surrogate, a code point past U+10FFFF.
        {"\xC4rger", U"\xDCC4rger"},
        {"a\xE2\x84", U"a\xDCE2\xDC84"},
        {"\xC0\xAF", U"\xDCC0\xDCAF"},
        {"\xED\xA0\x80", U"\xDCED\xDCA0\xDC80"},
        {"\xF4\x90\x80\x80", U"\xDCF4\xDC90\xDC80\xDC80"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CodePoints(c.Text), c.Expected) << c.Text;
}

TEST(CaseFold, CapitalsFoldToTheirSmallLetters)
{
    const struct {
        char32_t Letter;
        char32_t Folded;
    } cases[] = {
        {U'A', U'a'}, {U'Z', U'z'}, {U'a', U'a'}, {U'@', U'@'}, {U'[', U'['},
        // Latin-1: the multiplication sign and sharp s stay, y with diaeresis is small already, micro is Greek mu.
        {U'\u00C4', U'\u00E4'}, {U'\u00DE', U'\u00FE'}, {U'\u00D7', U'\u00D7'}, {U'\u00DF', U'\u00DF'},
        {U'\u00FF', U'\u00FF'}, {U'\u00B5', U'\u03BC'},
        // Latin Extended-A: alternating pairs with their odd shifts, Y with diaeresis, long s; dotted capital I
        // has no simple folding.
        {U'\u0100', U'\u0101'}, {U'\u0101', U'\u0101'}, {U'\u0139', U'\u013A'}, {U'\u0148', U'\u0148'},
        {U'\u0178', U'\u00FF'}, {U'\u017D', U'\u017E'}, {U'\u017F', U's'}, {U'\u0130', U'\u0130'},
        {U'\u0152', U'\u0153'},
        // Greek: tonos capitals, final sigma, symbol variants.
        {U'\u0386', U'\u03AC'}, {U'\u038F', U'\u03CE'}, {U'\u0391', U'\u03B1'}, {U'\u03A3', U'\u03C3'},
        {U'\u03C2', U'\u03C3'}, {U'\u03A2', U'\u03A2'}, {U'\u03D1', U'\u03B8'}, {U'\u03F4', U'\u03B8'},
        {U'\u1F08', U'\u1F00'}, {U'\u1FBC', U'\u1FB3'},
        // Cyrillic: the Ie-to-Dzhe row, the basic capitals, the extended pairs, palochka.
        {U'\u0401', U'\u0451'}, {U'\u0410', U'\u0430'}, {U'\u042F', U'\u044F'}, {U'\u0430', U'\u0430'},
        {U'\u0460', U'\u0461'}, {U'\u04C0', U'\u04CF'}, {U'\u04C1', U'\u04C2'}, {U'\u04D0', U'\u04D1'},
        {U'\u0524', U'\u0525'},
        // Capital sharp s, Kelvin and Angstrom signs; CJK and emoji untouched.
        {U'\u1E9E', U'\u00DF'}, {U'\u212A', U'k'}, {U'\u212B', U'\u00E5'}, {U'\u4E2D', U'\u4E2D'},
        {U'\U0001F600', U'\U0001F600'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<uint32_t>(FoldCase(c.Letter)), static_cast<uint32_t>(c.Folded))
            << std::hex << static_cast<uint32_t>(c.Letter);
}

TEST(CaseFold, ImageNamesAreFoundWhateverTheCaseOfAnyLetter)
{
    const struct {
        const char* Stored;
        const char* Looked;
        bool Found;
    } cases[] = {
        {"\xC3\xA4rger", "\xC3\x84rger", true},          // ärger / Ärger
        {"\xC3\x84RGER", "\xC3\xA4rger", true},
        {"\xD1\x8F\xD1\x89\xD0\xB8\xD0\xBA", "\xD0\xAF\xD0\xA9\xD0\x98\xD0\x9A", true}, // ящик / ЯЩИК
        {"\xCE\xBF\xCE\xB4\xCF\x8C\xCF\x82", "\xCE\x9F\xCE\x94\xCE\x8C\xCE\xA3", true}, // οδός / ΟΔΌΣ
        {"stra\xC3\x9F" "e", "STRA\xE1\xBA\x9E" "E", true}, // straße / STRAẞE
        {"\xC5\x93uvre", "\xC5\x92UVRE", true},           // œuvre / ŒUVRE
        {"kilo", "\xE2\x84\xAAILO", true},                // Kelvin sign
        // Not the same letters, folded or not.
        {"\xC3\xA4rger", "Arger", false},
        {"stra\xC3\x9F" "e", "STRASSE", false},
        {"Boje", "B\xC3\xB6je", false},
        {"\xD0\xB5\xD0\xBB\xD1\x8C", "\xD0\x81\xD0\x9B\xD0\xAC", false}, // ель / ЁЛЬ
        {"i", "\xC4\xB0", false},
        // A stray byte matches only itself, while the letters around it still fold.
        {"\xC4rger", "\xC3\xA4rger", false},
        {"\xC4rger", "\xC4RGER", true},
    };
    for (const auto& c : cases) {
        TPictureCollection items;
        for (const char* name : {"Water1", "B0", "Boje"})
            items.Add().SetName(name);
        TPictureCollectionItem& item = items.Add();
        item.SetName(c.Stored);
        if (c.Found) {
            EXPECT_NO_THROW(EXPECT_EQ(&items.FindByName(c.Looked), &item) << c.Looked) << c.Looked;
        } else {
            EXPECT_THROW(items.FindByName(c.Looked), EPictureCollectionError) << c.Looked;
        }
    }
}

TEST(CaseFold, TheLatestOfNamesEqualButForCaseIsFound)
{
    // Found only if both land in one bucket: the hash folds as the comparison does.
    TPictureCollection items;
    TPictureCollectionItem& small = items.Add();
    small.SetName("\xD1\x8F\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"); // яблоко
    TPictureCollectionItem& capital = items.Add();
    capital.SetName("\xD0\xAF\xD0\x91\xD0\x9B\xD0\x9E\xD0\x9A\xD0\x9E"); // ЯБЛОКО
    EXPECT_EQ(&items.FindByName("\xD0\xAF\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"), &capital); // Яблоко
    small.SetName("x");
    small.SetName("\xD1\x8F\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE");
    EXPECT_EQ(&items.FindByName("\xD0\xAF\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"), &small);
    // Renaming the first one away leaves the other findable, from the same bucket.
    small.SetName("Apfel");
    EXPECT_EQ(&items.FindByName("\xD1\x8F\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"), &capital);
    EXPECT_EQ(&items.FindByName("APFEL"), &small);
}

} // namespace
