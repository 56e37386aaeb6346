#include "drawing/StoredPicture.h"

#include "drawing/Dib.h"
#include "drawing/Jpeg.h"

#include <string>

namespace {

void WriteClassName(const std::string& name, std::vector<uint8_t>& out)
{
    PutU8(out, static_cast<uint8_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
}

} // namespace

std::unique_ptr<TGraphic> ReadStoredPicture(TByteReader& reader)
{
    const auto nameBytes = reader.Bytes(reader.U8());
    const std::string name(nameBytes.begin(), nameBytes.end());
    if (name == "TDIB")
        return std::make_unique<TDIB>(TDIB::ReadData(reader));
    if (name == "TJPEGImage")
        return std::make_unique<TJPEGImage>(TJPEGImage::ReadData(reader));
    throw EInvalidGraphic(FormatMessage("Class %s not found", name));
}

void WriteStoredPicture(const TGraphic& picture, std::vector<uint8_t>& out)
{
    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&picture)) {
        WriteClassName(jpeg->ClassName(), out);
        jpeg->WriteData(out);
    } else if (const auto* dib = dynamic_cast<const TDIB*>(&picture)) {
        WriteClassName(dib->ClassName(), out);
        dib->WriteData(out);
    } else {
        WriteStoredPicture(TDIB(picture.Pixels()), out);
    }
}
