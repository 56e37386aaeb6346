#pragma once
#include <functional>

class TPictureCollection;
class TRace;

// Sets the race's components up as the main window's form stores them: the drawing surface's options and size,
// the frame timer off until the surface has initialised and then ticking the race, the sprite engine and the
// image list bound to the surface. loadPictures fills the image list before it is bound.
void LoadFormComponents(TRace& race, const std::function<void(TPictureCollection&)>& loadPictures);
