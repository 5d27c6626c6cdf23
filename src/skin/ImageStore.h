#pragma once

// The store of the skin's decoded pictures. A picture is decoded the first time it is asked for;
// every later request gets the same object, so the 32 row panels share one normal and one hover
// background. The store owns the images until ClearImageStore; callers never free them.

#include <string_view>

class Image;

// Creates the empty store. Called once at start-up.
void InitImageStore();

// The picture of resource (id, type), type compared exactly. Never null. A missing resource is
// fatal: the box "Image Resource Error:<id>" with the error icon, then exit code 1. A resource
// that is present but cannot be decoded gives a 0 x 0 image and no message.
Image* GetSkinImage(int id, std::u16string_view type);

// Frees every picture; the store is gone until InitImageStore runs again.
void ClearImageStore();
