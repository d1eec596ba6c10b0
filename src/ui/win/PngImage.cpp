#include "ui/win/PngImage.h"

#include <string>

namespace vt::win {
namespace {

// CLSID_WICImagingFactory (the one every supported system has).
constexpr CLSID kWicFactory = {
    0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};

IWICImagingFactory* Factory() noexcept {
    thread_local ComPtr<IWICImagingFactory> factory;
    if (!factory) {
        // COM for WIC on this thread; a thread already in another apartment keeps it.
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ::CoCreateInstance(kWicFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                           reinterpret_cast<void**>(factory.put()));
    }
    return factory.get();
}

bool FindPng(HMODULE module, const std::wstring& name, const BYTE*& data, DWORD& size) noexcept {
    HRSRC resource = ::FindResourceW(module, name.c_str(), L"PNG");
    if (resource == nullptr) {
        return false;
    }
    HGLOBAL loaded = ::LoadResource(module, resource);
    data = loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    size = ::SizeofResource(module, resource);
    return data != nullptr && size != 0;
}

}  // namespace

PngImage PngImage::Load(const wchar_t* name, UINT dpi, HMODULE module) noexcept {
    PngImage image;
    if (name == nullptr) {
        return image;
    }
    try {
        if (module == nullptr) {
            module = ::GetModuleHandleW(nullptr);
        }
        const BYTE* data = nullptr;
        DWORD size = 0;
        const std::wstring base(name);
        if (!(dpi > 120 && FindPng(module, base + L"_2X", data, size)) &&
            !FindPng(module, base, data, size)) {
            return image;
        }
        IWICImagingFactory* factory = Factory();
        if (factory == nullptr) {
            return image;
        }
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapDecoder> decoder;
        ComPtr<IWICBitmapFrameDecode> frame;
        ComPtr<IWICFormatConverter> converter;
        if (FAILED(factory->CreateStream(stream.put())) ||
            FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), size)) ||
            FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                    WICDecodeMetadataCacheOnLoad, decoder.put())) ||
            FAILED(decoder->GetFrame(0, frame.put())) ||
            FAILED(factory->CreateFormatConverter(converter.put())) ||
            FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0.0,
                                         WICBitmapPaletteTypeCustom))) {
            return image;
        }
        // No copy of the pixels here: a picture drawn at its own size is read once, straight
        // into its bitmap (LoadScaled copies them first only when it scales).
        if (FAILED(converter->GetSize(&image.width_, &image.height_))) {
            return image;
        }
        converter->QueryInterface(__uuidof(IWICBitmapSource),
                                  reinterpret_cast<void**>(image.bitmap_.put()));
    } catch (...) {
        image.bitmap_.reset();
    }
    return image;
}

UniqueBitmap PngImage::LoadScaled(const wchar_t* name, UINT dpi, int width, int height,
                                  HMODULE module) noexcept {
    PngImage image = Load(name, dpi, module);
    if (image &&
        (static_cast<UINT>(width) != image.width_ || static_cast<UINT>(height) != image.height_)) {
        // The scaler reads each source row many times: give it decoded pixels and let the
        // decoder (with its own copy of them) go before the scaled bitmap is made.
        IWICImagingFactory* factory = Factory();
        ComPtr<IWICBitmap> decoded;
        if (factory == nullptr || FAILED(factory->CreateBitmapFromSource(
                                      image.bitmap_.get(), WICBitmapCacheOnLoad, decoded.put()))) {
            return UniqueBitmap();
        }
        image.bitmap_.reset();
        decoded->QueryInterface(__uuidof(IWICBitmapSource),
                                reinterpret_cast<void**>(image.bitmap_.put()));
    }
    return image.Scaled(width, height);
}

UniqueBitmap PngImage::Scaled(int width, int height) const noexcept {
    if (!bitmap_ || width <= 0 || height <= 0) {
        return UniqueBitmap();
    }
    IWICImagingFactory* factory = Factory();
    ComPtr<IWICBitmapScaler> scaler;
    IWICBitmapSource* source = bitmap_.get();
    if (static_cast<UINT>(width) != width_ || static_cast<UINT>(height) != height_) {
        if (factory == nullptr || FAILED(factory->CreateBitmapScaler(scaler.put())) ||
            FAILED(scaler->Initialize(bitmap_.get(), static_cast<UINT>(width),
                                      static_cast<UINT>(height), WICBitmapInterpolationModeFant))) {
            return UniqueBitmap();
        }
        source = scaler.get();
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return UniqueBitmap();
    }
    const UINT stride = static_cast<UINT>(width) * 4;
    if (FAILED(source->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height),
                                  static_cast<BYTE*>(bits)))) {
        return UniqueBitmap();
    }
    return bitmap;
}

}  // namespace vt::win
