# Writes sample.asdb, the archive fixture of asdb_test.cpp, with Python's own zlib: a writer
# independent of the project's packer. Run it here to rebuild the fixture.
import struct
import zlib

RECORDS = [  # name, type, content
    ("Pics\\Room.BMP", 0, b"first room " * 20),
    ("pics\\room.bmp", 0, b"second room"),
    ("fonts\\Small.fnt", 3, bytes(range(256))),
]

def record(kind, content):
    stream = zlib.compress(content, 6)
    header = struct.pack("<HII d 16s H II", kind, len(content), len(stream), 45000.5,
                         b"\x00" * 16, 0, 0, 0)
    assert len(header) == 44
    return header + stream

body = b""
offsets = []
for name, kind, content in RECORDS:
    offsets.append(12 + len(body))
    body += record(kind, content)
table = b"".join(struct.pack("<I", len(n)) + n.encode() + struct.pack("<I", o)
                 for (n, _, _), o in zip(RECORDS, offsets))
with open("sample.asdb", "wb") as out:
    out.write(b"ASDb" + struct.pack("<II", len(RECORDS), 12 + len(body)) + body + table)
