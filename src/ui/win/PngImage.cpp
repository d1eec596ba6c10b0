#include "ui/win/PngImage.h"

#include <span>
#include <string>

#include "ui/PixelScaler.h"
#include "ui/PngDecoder.h"

namespace vt::win {
namespace {

std::span<const std::uint8_t> FindPng(HMODULE module, const std::wstring& name) noexcept {
    HRSRC resource = ::FindResourceW(module, name.c_str(), L"PNG");
    if (resource == nullptr) {
        return {};
    }
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module, resource)};
}

// The file of the picture for this density: the twice-as-large art above 120 DPI when there is.
std::span<const std::uint8_t> FindPicture(const wchar_t* name, UINT dpi, HMODULE module) {
    if (name == nullptr) {
        return {};
    }
    if (module == nullptr) {
        module = ::GetModuleHandleW(nullptr);
    }
    const std::wstring base(name);
    std::span<const std::uint8_t> file;
    if (dpi > 120) {
        file = FindPng(module, base + L"_2X");
    }
    return file.empty() ? FindPng(module, base) : file;
}

// A 32-bit top-down DIB section and where its pixels are.
UniqueBitmap MakeDib(int width, int height, std::span<std::uint8_t>& bits) noexcept {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* data = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0));
    if (!bitmap || data == nullptr) {
        return UniqueBitmap();
    }
    bits = {static_cast<std::uint8_t*>(data),
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4};
    return bitmap;
}

}  // namespace

PngImage PngImage::Load(const wchar_t* name, UINT dpi, HMODULE module) noexcept {
    PngImage image;
    try {
        std::optional<PngPixels> pixels = DecodePng(FindPicture(name, dpi, module));
        if (pixels) {
            image.pixels_ = std::move(pixels->bgra);
            image.width_ = pixels->width;
            image.height_ = pixels->height;
        }
    } catch (...) {
        image.pixels_.clear();
    }
    return image;
}

UniqueBitmap PngImage::LoadScaled(const wchar_t* name, UINT dpi, int width, int height,
                                  HMODULE module) noexcept {
    try {
        const std::span<const std::uint8_t> file = FindPicture(name, dpi, module);
        const std::optional<PngSize> size = ReadPngSize(file);
        if (!size || width <= 0 || height <= 0) {
            return UniqueBitmap();
        }
        if (size->width != static_cast<UINT>(width) || size->height != static_cast<UINT>(height)) {
            return Load(name, dpi, module).Scaled(width, height);
        }
        // Drawn at its own size: decoded straight into the bitmap, with no copy between.
        std::span<std::uint8_t> bits;
        UniqueBitmap bitmap = MakeDib(width, height, bits);
        if (!bitmap || !DecodePng(file, bits)) {
            return UniqueBitmap();
        }
        return bitmap;
    } catch (...) {
        return UniqueBitmap();
    }
}

UniqueBitmap PngImage::Scaled(int width, int height) const noexcept {
    if (pixels_.empty() || width <= 0 || height <= 0) {
        return UniqueBitmap();
    }
    std::span<std::uint8_t> bits;
    UniqueBitmap bitmap = MakeDib(width, height, bits);
    if (!bitmap || !ScalePixels(pixels_, width_, height_, bits, static_cast<std::uint32_t>(width),
                                static_cast<std::uint32_t>(height))) {
        return UniqueBitmap();
    }
    return bitmap;
}

}  // namespace vt::win
