// PNG resources loaded as GDI+ images that own their copy of the PNG.
#include "system/png_resource.h"

#include <cstring>
#include <utility>

#include "base/handles.h"

namespace {

// The private copy of the PNG bytes. A base class of PngImage, so that it is made before the image
// and freed after it.
struct PngBytes {
    taskwing::unique_hglobal block;
};

// An image that owns the bytes it was decoded from: GDI+ may go back to its stream at any time
// while the image lives, and the block is freed exactly when the image is.
class PngImage final : private PngBytes, public Gdiplus::Image {
public:
    PngImage(taskwing::unique_hglobal bytes, IStream* stream)
        : PngBytes{std::move(bytes)}, Gdiplus::Image(stream, FALSE) {}

    // GDI+ objects live in GDI+'s heap. Declared not to throw, so that a failed allocation gives a
    // null pointer instead of a constructor run on nothing.
    static void* operator new(size_t size) noexcept { return Gdiplus::DllExports::GdipAlloc(size); }
    static void operator delete(void* memory) { Gdiplus::DllExports::GdipFree(memory); }
};

Gdiplus::Image* DecodePngResource(HMODULE module, UINT id) {
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (info == nullptr) return nullptr;
    const DWORD size = ::SizeofResource(module, info);
    HGLOBAL resource = ::LoadResource(module, info);
    if (resource == nullptr) return nullptr;
    const void* bytes = ::LockResource(resource);
    if (bytes == nullptr || size == 0) return nullptr;

    taskwing::unique_hglobal block(::GlobalAlloc(GMEM_FIXED, size));
    if (!block) return nullptr;
    void* copy = ::GlobalLock(block.get());
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, bytes, size);
    ::GlobalUnlock(block.get());

    // The stream must not free the block: the image does that, when it goes.
    taskwing::com_ptr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.get(), FALSE, stream.put()))) return nullptr;
    auto* image = new PngImage(std::move(block), stream.get());
    if (image == nullptr) return nullptr;
    if (image->GetLastStatus() != Gdiplus::Ok) {
        // Bytes that do not decode would give an image that draws nothing.
        delete image;
        return nullptr;
    }
    ::FreeResource(resource);
    return image;
}

}  // namespace

BOOL LoadPngResource(Gdiplus::Image** out, HMODULE module, UINT id) {
    if (out == nullptr) return FALSE;
    Gdiplus::Image* image = DecodePngResource(module, id);
    if (image == nullptr) return FALSE;
    *out = image;
    return TRUE;
}

BOOL LoadPngResource(PngImagePtr& out, HMODULE module, UINT id) {
    Gdiplus::Image* image = DecodePngResource(module, id);
    if (image == nullptr) return FALSE;
    out.reset(image);
    return TRUE;
}
