#include "drawing/Errors.h"
#include "drawing/ImageList.h"

#include "drawing/CaseFold.h"

TPictureCollection::TPictureCollection() = default;

TPictureCollection::~TPictureCollection()
{
    // Items take themselves out of the buckets as they go, so they go while the buckets still exist.
    FItems.clear();
}

TPictureCollectionItem& TPictureCollection::Add()
{
    FItems.push_back(std::make_unique<TPictureCollectionItem>(*this));
    TPictureCollectionItem& item = *FItems.back();
    item.FCachedIndex = Count() - 1;
    Rehash(item);
    return item;
}

void TPictureCollection::Delete(int32_t index)
{
    CheckIndex(index);
    // The item leaves the buckets when it is destroyed, after the list no longer holds it.
    const std::unique_ptr<TPictureCollectionItem> doomed = std::move(FItems[static_cast<size_t>(index)]);
    FItems.erase(FItems.begin() + index);
    for (size_t i = static_cast<size_t>(index); i < FItems.size(); ++i)
        FItems[i]->FCachedIndex = static_cast<int32_t>(i);
}

void TPictureCollection::CheckIndex(int32_t index) const
{
    if (index < 0 || index >= Count())
        throw EPictureCollectionError(FormatMessage("List index out of bounds (%d)", index));
}

TPictureCollectionItem& TPictureCollection::Items(int32_t index) const
{
    CheckIndex(index);
    return *FItems[static_cast<size_t>(index)];
}

TPictureCollectionItem& TPictureCollection::FindByName(const std::string& name) const
{
    for (TPictureCollectionItem* item = FBuckets[Bucket(name)]; item; item = item->FNextInBucket) {
        if (SameTextFolded(item->FName, name))
            return *item;
    }
    throw EPictureCollectionError(FormatMessage("Image '%s' not found", name));
}

void TPictureCollection::Initialize(TCustomDXDraw& dxdraw)
{
    Finalize();
    FDXDraw = &dxdraw;
    if (!dxdraw.Initialized())
        throw EPictureCollectionError(FormatMessage("%s cannot be initialized", "TPictureCollection"));
    for (const auto& item : FItems)
        item->Initialize();
}

void TPictureCollection::Finalize()
{
    for (const auto& item : FItems)
        item->Finalize();
    FDXDraw = nullptr;
}

void TPictureCollection::Restore()
{
    for (const auto& item : FItems)
        item->Restore();
}

bool TPictureCollection::Initialized() const
{
    return FDXDraw && FDXDraw->Initialized();
}

uint8_t TPictureCollection::Bucket(const std::string& name)
{
    // Length in characters, and the first and second-to-last characters, all case-folded as the lookup
    // compares them, so that names equal but for case share a bucket.
    size_t length = 0;
    char32_t first = 0;
    char32_t previous = 0;
    char32_t last = 0;
    for (size_t i = 0; i < name.size(); ++length) {
        previous = last;
        last = FoldCase(NextCodePoint(name, i));
        if (length == 0)
            first = last;
    }
    size_t key = length * 16;
    if (length >= 2)
        key += previous + first;
    return static_cast<uint8_t>(key & 255);
}

void TPictureCollection::Rehash(TPictureCollectionItem& item)
{
    TPictureCollectionItem*& head = FBuckets[Bucket(item.FName)];
    item.FNextInBucket = head;
    head = &item;
}

void TPictureCollection::Unhash(TPictureCollectionItem& item)
{
    for (TPictureCollectionItem** link = &FBuckets[Bucket(item.FName)]; *link; link = &(*link)->FNextInBucket) {
        if (*link == &item) {
            *link = item.FNextInBucket;
            item.FNextInBucket = nullptr;
            return;
        }
    }
}
