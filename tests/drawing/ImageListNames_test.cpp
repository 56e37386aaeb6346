#include "TestGraphic.h"

#include "drawing/Errors.h"
#include "drawing/ImageList.h"

#include <gtest/gtest.h>

namespace {

class ImageListNames : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"Water1", "B0", "B1", "Segel", "Boje", "Windrose", "Explode"})
            Items.Add().SetName(name);
    }

    TPictureCollection Items;
};

TEST_F(ImageListNames, FindByNameIgnoresCase)
{
    for (const char* name : {"Boje", "boje", "BOJE", "bOjE"}) {
        TPictureCollectionItem& item = Items.FindByName(name);
        EXPECT_EQ(item.Name(), "Boje") << name;
        EXPECT_EQ(item.Index(), 4) << name;
    }
    for (const char* name : {"Water1", "B0", "b1", "SEGEL", "windrose", "Explode"})
        EXPECT_EQ(&Items.FindByName(name), &Items.Items(Items.FindByName(name).Index())) << name;
    EXPECT_EQ(Items.FindByName("b1").Name(), "B1");
}

TEST_F(ImageListNames, AMissingNameIsReportedByName)
{
    for (const char* name : {"Nix", "", "Boj", "Bojen", "B2"}) {
        try {
            Items.FindByName(name);
            ADD_FAILURE() << "found " << name;
        } catch (const EPictureCollectionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Image '") + name + "' not found");
        }
    }
}

TEST_F(ImageListNames, TheMostRecentlyNamedItemWins)
{
    TPictureCollectionItem& boje = Items.FindByName("Boje");
    TPictureCollectionItem& second = Items.Add();
    second.SetName("BOJE");
    EXPECT_EQ(&Items.FindByName("boje"), &second);

    boje.SetName("x");
    boje.SetName("Boje");
    EXPECT_EQ(&Items.FindByName("boje"), &boje);

    // Naming an item what it is already called changes nothing.
    second.SetName("BOJE");
    EXPECT_EQ(&Items.FindByName("boje"), &boje);

    // A renamed item is no longer found by its old name.
    boje.SetName("Buoy");
    EXPECT_EQ(&Items.FindByName("boje"), &second);
    EXPECT_EQ(&Items.FindByName("buoy"), &boje);
}

TEST_F(ImageListNames, NamesSharingABucketAreToldApart)
{
    // The bucket depends on length, first and second-to-last character only: these three share one.
    TPictureCollectionItem& abc = Items.Add();
    abc.SetName("abc");
    TPictureCollectionItem& abz = Items.Add();
    abz.SetName("ABZ");
    TPictureCollectionItem& bay = Items.Add();
    bay.SetName("bay");
    EXPECT_EQ(&Items.FindByName("ABC"), &abc);
    EXPECT_EQ(&Items.FindByName("abz"), &abz);
    EXPECT_EQ(&Items.FindByName("Bay"), &bay);
    EXPECT_THROW(Items.FindByName("bax"), EPictureCollectionError);
    EXPECT_THROW(Items.FindByName("baz"), EPictureCollectionError);
}

TEST_F(ImageListNames, ItemsOutsideTheListAreRefused)
{
    for (int32_t index : {-1, 7, 100}) {
        try {
            Items.Items(index);
            ADD_FAILURE() << index;
        } catch (const EPictureCollectionError& e) {
            EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
    EXPECT_EQ(Items.Items(6).Name(), "Explode");
}

TEST_F(ImageListNames, DeletingKeepsIndicesAndNamesCurrent)
{
    Items.Delete(1);
    EXPECT_EQ(Items.Count(), 6);
    EXPECT_THROW(Items.FindByName("B0"), EPictureCollectionError);
    EXPECT_EQ(Items.FindByName("Boje").Index(), 3);
    EXPECT_EQ(Items.FindByName("Explode").Index(), 5);
    EXPECT_EQ(Items.FindByName("Water1").Index(), 0);
    EXPECT_THROW(Items.Delete(6), EPictureCollectionError);
}

TEST(ImageListItemSize, PatternSizeFallsBackToThePicture)
{
    struct TCase {
        int32_t PictureWidth;
        int32_t PictureHeight;
        int32_t PatternWidth;
        int32_t PatternHeight;
        int32_t Width;
        int32_t Height;
    };
    for (TCase c : {TCase{30, 15, 15, 0, 15, 15}, TCase{156, 8, 39, 0, 39, 8}, TCase{41, 41, 0, 0, 41, 41},
                    TCase{90, 57, -3, 20, 90, 20}, TCase{0, 0, 0, 0, 0, 0}, TCase{0, 0, 12, 0, 12, 0}}) {
        TPictureCollection items;
        TPictureCollectionItem& item = items.Add();
        if (c.PictureWidth > 0)
            item.SetPicture(CodedPicture(c.PictureWidth, c.PictureHeight));
        item.PatternWidth = c.PatternWidth;
        item.PatternHeight = c.PatternHeight;
        EXPECT_EQ(item.Width(), c.Width) << c.PictureWidth << "x" << c.PictureHeight;
        EXPECT_EQ(item.Height(), c.Height) << c.PictureWidth << "x" << c.PictureHeight;
    }
}

} // namespace
