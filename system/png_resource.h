#pragma once
// The program's skins: PNG files built in as resources of type "PNG", loaded as GDI+ images.
#include <memory>

#include "base/gdiplus_session.h"

// Owner of a loaded image. An image from LoadPngResource also owns the private copy of its PNG
// bytes, which GDI+ may read for as long as the image lives; deleting the image (this owner, or a
// plain delete of the raw pointer) frees both, so the default deleter is the right one.
using PngImagePtr = std::unique_ptr<Gdiplus::Image>;

// Loads PNG resource `id` of `module` into a new image. TRUE: *out points to it and the
// caller owns it. FALSE (no such PNG resource, no memory, undecodable bytes): *out is untouched.
// What *out held before is never deleted, so load only into empty slots.
BOOL LoadPngResource(Gdiplus::Image** out, HMODULE module, UINT id);

// The same into an owner, which should be empty: on TRUE what it held is deleted (anyone who
// borrowed that image is left dangling); on FALSE the owner is untouched.
BOOL LoadPngResource(PngImagePtr& out, HMODULE module, UINT id);
