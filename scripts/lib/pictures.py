"""Reading and writing the program's pictures and icon with Pillow (Debian's python3-pil).

One reader serves scripts/render-art and tests/art/check_art.py, so that both see the same
pixels. Output is reproducible: the same pixels always give the same files with one Pillow and
zlib; between versions the bytes may differ, the pixels do not.
"""
import io
import struct

from PIL import Image


class Picture:
    """8-bit RGBA pixels, rows top to bottom, not premultiplied."""

    def __init__(self, width, height, rgba=None):
        self.width, self.height = width, height
        self.rgba = bytearray(rgba if rgba is not None else bytes(width * height * 4))
        assert len(self.rgba) == width * height * 4

    @classmethod
    def from_pillow(cls, image):
        image = image.convert("RGBA")
        return cls(image.width, image.height, image.tobytes())

    def to_pillow(self):
        return Image.frombytes("RGBA", (self.width, self.height), bytes(self.rgba))

    def pixel(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.rgba[i:i + 4])

    def alphas(self, x0=0, y0=0, x1=None, y1=None):
        x1 = self.width if x1 is None else x1
        y1 = self.height if y1 is None else y1
        for y in range(y0, y1):
            row = self.rgba[(y * self.width + x0) * 4:(y * self.width + x1) * 4]
            yield from row[3::4]

    def opaque(self):
        return min(self.rgba[3::4]) == 255


def read_picture(source):
    """A picture from a file name or from the bytes of any format Pillow reads."""
    if isinstance(source, (bytes, bytearray)):
        source = io.BytesIO(source)
    with Image.open(source) as image:
        image.load()
        return Picture.from_pillow(image)


def png_bytes(picture):
    """RGB when the picture is opaque, RGBA otherwise; no metadata, so no dates."""
    image = picture.to_pillow()
    if picture.opaque():
        image = image.convert("RGB")
    out = io.BytesIO()
    image.save(out, format="PNG", compress_level=9)
    return out.getvalue()


# ------------------------------------------------------------------ icon --
# Pillow's ICO writer gives 256-colour frames a mask that hides nothing and 32-bit frames no
# mask at all; Windows' older icon paths use the mask. So each frame is Pillow's device-
# independent bitmap with the mask added, in a directory of our own.

def _and_mask(picture, transparent):
    """1 bit a pixel, bottom-up rows padded to 32 bits; 1 = transparent."""
    alpha = picture.to_pillow().getchannel("A")
    mask = alpha.point(lambda a: 255 if transparent(a) else 0).convert("1", dither=Image.NONE)
    stride = (picture.width + 31) // 32 * 4
    return mask.tobytes("raw", ("1", stride, -1))


def _dib(image, height):
    """Pillow's bitmap without its file header, its height doubled for the mask below it."""
    out = io.BytesIO()
    image.save(out, format="DIB")
    blob = out.getvalue()
    return blob[:8] + struct.pack("<i", height * 2) + blob[12:]


def icon_frame_32(picture):
    return (_dib(picture.to_pillow(), picture.height)
            + _and_mask(picture, lambda a: a == 0))


def icon_frame_8(picture):
    """256 colours from Pillow's median cut; pixels at least half opaque are kept."""
    image = picture.to_pillow()
    kept = image.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    # Hidden pixels take a colour the picture has anyway, so they cost no palette entry.
    colour = image.getpixel(next(((x, y) for y in range(picture.height)
                                  for x in range(picture.width)
                                  if picture.pixel(x, y)[3] >= 128), (0, 0)))[:3]
    flat = Image.new("RGB", image.size, colour)
    flat.paste(image.convert("RGB"), mask=kept)
    quantised = flat.quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    return _dib(quantised, picture.height) + _and_mask(picture, lambda a: a < 128)


def icon_bytes(frames):
    """frames: (size, bits, Picture) in directory order; bits 8 or 32."""
    # The 256 px frame as PNG, as Windows' own icons store it: a quarter of the bitmap's size.
    blobs = [(size, bits, icon_frame_8(p) if bits == 8
              else png_bytes(p) if size == 256 else icon_frame_32(p))
             for size, bits, p in frames]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for size, bits, blob in blobs:
        dim = 0 if size == 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    for _, _, blob in blobs:
        out += blob
    return bytes(out)


def icon_frames(blob):
    """(size, bits, Picture) of every frame of an icon file, decoded by Pillow."""
    count = struct.unpack("<H", blob[4:6])[0]
    frames = []
    for i in range(count):
        w, _, _, _, _, bits, size, offset = struct.unpack(
            "<BBBBHHII", blob[6 + 16 * i:22 + 16 * i])
        w = w or 256
        data = blob[offset:offset + size]
        if data[:8] == b"\x89PNG\r\n\x1a\n":
            frames.append((w, bits, read_picture(data)))
            continue
        # A bitmap frame: Pillow's reader on a one-frame icon built around it.
        single = struct.pack("<HHH", 0, 1, 1) + struct.pack(
            "<BBBBHHII", w if w < 256 else 0, w if w < 256 else 0, 0, 0, 1, bits, size, 22)
        with Image.open(io.BytesIO(single + data)) as image:
            image.load()
            frames.append((w, bits, Picture.from_pillow(image)))
    return frames
