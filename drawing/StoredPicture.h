#pragma once
#include "drawing/ByteStream.h"
#include "drawing/Graphic.h"

#include <memory>
#include <vector>

// A picture in its stored form: one length byte and the class name ("TDIB" or "TJPEGImage"), then that
// class's own data. Reading leaves the reader after the picture. An unknown class name raises
// EInvalidGraphic "Class %s not found"; damaged data raises what the class raises.
std::unique_ptr<TGraphic> ReadStoredPicture(TByteReader& reader);

// Any picture that is neither a TDIB nor a TJPEGImage is stored as a 24-bit TDIB of its pixels.
void WriteStoredPicture(const TGraphic& picture, std::vector<uint8_t>& out);
