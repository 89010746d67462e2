# Writes the fixture source (source.rgba) and the pictures ImageMagick does not write:
# top-down, plain 16-bit and plain 32-bit bitmaps, a run-length 4-bit bitmap, right-to-left
# Targa pictures and a palette PNG with a transparency chunk. Called by make_pictures.sh.
import struct
import sys
import zlib

W, H = 7, 5


def source_pixel(x, y):
    p = y * W + x  # every tenth pixel starts a run of four equal ones, across rows too
    if p % 10 < 4:
        q = p // 10
        return (q * 70 % 256, 200 - q * 40, q * 33 % 256, 255 - q * 50)
    return ((x * 37 + y * 11) % 256, (y * 53 + x * 5) % 256, (x * y * 29 + 90) % 256, (x * 40 + y * 23) % 256)


def bmp(path, width, height, bits, pixels, palette=b"", compression=0, top_down=False):
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits,
                       compression, len(pixels), 2835, 2835, len(palette) // 4, 0)
    offset = 14 + len(info) + len(palette)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset))
        out.write(info + palette + pixels)


def index_of(x, y):
    return (x * 7 + y * 3) % 40


def palette_8():
    return b"".join(bytes([i * 5 % 256, 255 - i * 6, i * 3, 0]) for i in range(40))


def rows(height, top_down):
    return range(height) if top_down else range(height - 1, -1, -1)


def bmp8_top_down():
    data = b""
    for y in rows(H, True):
        row = bytes(index_of(x, y) for x in range(W))
        data += row + b"\0" * (-len(row) % 4)
    bmp("bmp8_topdown.bmp", W, H, 8, data, palette_8(), top_down=True)


def bmp32_plain():
    data = b""
    for y in rows(H, False):
        for x in range(W):
            r, g, b, a = source_pixel(x, y)
            data += bytes([b, g, r, a])
    bmp("bmp32_plain.bmp", W, H, 32, data)


def bmp16_plain():
    data = b""
    for y in rows(H, False):
        for x in range(W):
            r, g, b, _ = source_pixel(x, y)
            data += struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
        data += b"\0" * (-2 * W % 4)
    bmp("bmp16_plain.bmp", W, H, 16, data)


def tga_pixel(x, y, bits):
    r, g, b, a = source_pixel(x, y)
    return bytes([b, g, r, a][: bits // 8])


def tga(path, image_type, bits, descriptor, data):
    header = struct.pack("<BBBHHBHHHHBB", 3, 0, image_type, 0, 0, 0, 0, 0, W, H, bits, descriptor)
    with open(path, "wb") as out:
        out.write(header + b"id!" + data)


def tga_right_to_left():
    plain = b"".join(tga_pixel(x, y, 24) for y in rows(H, False) for x in range(W - 1, -1, -1))
    tga("tga24_right_bottom.tga", 2, 24, 0x10, plain)
    pixels = [tga_pixel(x, y, 32) for y in rows(H, True) for x in range(W - 1, -1, -1)]
    packets, i = b"", 0
    while i < len(pixels):
        run = 1
        while i + run < len(pixels) and run < 128 and pixels[i + run] == pixels[i]:
            run += 1
        if run > 1:
            packets += bytes([0x80 | (run - 1)]) + pixels[i]
        else:
            packets += bytes([0]) + pixels[i]
        i += run
    tga("tga32_rle_right_top.tga", 10, 32, 0x30 | 8, packets)


def bmp4_run_length():
    palette = b"".join(bytes([i * 16, 255 - i * 16, (i * 40) % 256, 0]) for i in range(16))
    # Stored bottom-up: an encoded run, an absolute run, a delta, end of line, end of picture.
    lines = [
        bytes([4, 0x12, 0, 3, 0x34, 0x50]) + bytes([0, 0]),       # row 4: 1 2 1 2 3 4 5
        bytes([7, 0x66]) + bytes([0, 0]),                          # row 3: all 6
        bytes([2, 0x78, 0, 2, 3, 1]) + bytes([2, 0x9A]),           # row 2: 7 8, delta to row 1 x 5: 9 A
        bytes([0, 0]),
        bytes([0, 4, 0xBC, 0xDE, 3, 0xFF]) + bytes([0, 1]),        # row 0: B C D E F F F
    ]
    bmp("bmp4_rle.bmp", W, H, 4, b"".join(lines), palette, compression=2)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png3_transparent():
    palette = b"".join(bytes([i * 5 % 256, 255 - i * 6, i * 3]) for i in range(40))
    raw = b"".join(b"\0" + bytes(index_of(x, y) for x in range(W)) for y in range(H))
    with open("png3_trns.png", "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 3, 0, 0, 0)))
        out.write(png_chunk(b"PLTE", palette))
        out.write(png_chunk(b"tRNS", bytes(range(0, 240, 6))))
        out.write(png_chunk(b"IDAT", zlib.compress(raw)))
        out.write(png_chunk(b"IEND", b""))


if sys.argv[1] == "source":
    with open("source.rgba", "wb") as out:
        out.write(b"".join(bytes(source_pixel(x, y)) for y in range(H) for x in range(W)))
else:
    bmp8_top_down()
    bmp32_plain()
    bmp16_plain()
    tga_right_to_left()
    bmp4_run_length()
    png3_transparent()
