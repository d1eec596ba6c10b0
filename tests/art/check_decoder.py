#!/usr/bin/python3
"""Check the program's own PNG decoder against Pillow on every picture of a folder.

    check_decoder.py PNG_DUMP IMAGES_DIR

Run on the shipped pictures (RGB and RGBA) and on the fuzzing seeds, which hold the other
formats the decoder reads (greyscale with a key, grey and alpha, palettes of 1 and 4 bits with
alphas), each written by Pillow.

PNG_DUMP decodes one file and writes "WIDTH HEIGHT\\n" and its premultiplied BGRA pixels.
Each picture is read with Pillow as well, premultiplied here (c * a / 255 rounded to the
nearest) and compared byte for byte. The reference is made at test time from the files as
they are, so re-rendered art needs no committed hashes to be brought up to date; Pillow
(python3-pil) is already needed by the art check beside this one. Exits with 1 on any
difference and prints where the first one is.
"""
import glob
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__)))), "scripts", "lib"))
from pictures import read_picture  # noqa: E402

# PREMULTIPLIED[a][c]: c * a / 255 rounded to the nearest (never a tie: 255 is odd).
PREMULTIPLIED = [bytes((2 * c * a + 255) // 510 for c in range(256)) for a in range(256)]


def reference(picture):
    rgba = picture.rgba
    out = bytearray(len(rgba))
    out[0::4], out[1::4], out[2::4], out[3::4] = rgba[2::4], rgba[1::4], rgba[0::4], rgba[3::4]
    if min(rgba[3::4]) < 255:
        for i in range(0, len(out), 4):
            table = PREMULTIPLIED[out[i + 3]]
            out[i], out[i + 1], out[i + 2] = table[out[i]], table[out[i + 1]], table[out[i + 2]]
    return bytes(out)


def main(dump, images):
    files = sorted(glob.glob(os.path.join(images, "*.png")))
    if not files:
        print("no pictures in", images)
        return 1
    failures = 0
    for path in files:
        name = os.path.basename(path)
        run = subprocess.run([dump, path], capture_output=True)
        if run.returncode != 0:
            print(f"{name}: not decoded: {run.stderr.decode(errors='replace').strip()}")
            failures += 1
            continue
        header, _, pixels = run.stdout.partition(b"\n")
        width, height = (int(v) for v in header.split())
        picture = read_picture(path)
        if (width, height) != (picture.width, picture.height):
            print(f"{name}: {width}x{height}, Pillow reads {picture.width}x{picture.height}")
            failures += 1
            continue
        expected = reference(picture)
        if pixels != expected:
            first = next((i for i, (a, b) in enumerate(zip(pixels, expected)) if a != b),
                         min(len(pixels), len(expected)))
            pixel = first // 4
            print(f"{name}: pixel ({pixel % width}, {pixel // width}) differs: "
                  f"{pixels[first & ~3:(first & ~3) + 4].hex()} "
                  f"for {expected[first & ~3:(first & ~3) + 4].hex()} (BGRA)")
            failures += 1
    print(f"{len(files) - failures} of {len(files)} pictures decoded as Pillow reads them")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
