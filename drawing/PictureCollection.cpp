#include "drawing/Errors.h"
#include "drawing/ImageList.h"

namespace {

unsigned char LowerCase(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool SameText(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerCase(a[i]) != LowerCase(b[i]))
            return false;
    }
    return true;
}

} // namespace

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
        if (SameText(item->FName, name))
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
    const size_t length = name.size();
    size_t key = length * 16;
    if (length >= 2)
        key += LowerCase(name[length - 2]) + LowerCase(name[0]);
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
