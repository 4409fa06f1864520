#!/usr/bin/env python3
"""Makes photos and videos with real tools and checks that fstamp's date-taken reader finds the
same moment in each as exiftool does.

Pictures come from ImageMagick (convert) with their tags written by ExifTool: with and without
offsets and fractions, both byte orders, EXIF in JPEG, TIFF, PNG, WebP and (when this
ImageMagick writes them) HEIC and AVIF. MP4/MOV files, which no packaged tool makes with these
boxes, are written here: mvhd (32- and 64-bit times, zero), the com.apple.quicktime.creationdate key, moov
before or after mdat. Usage: media_date_check.py PROBE SAMPLES_DIR (the files are left there,
sorted by family, as the fuzz targets' seeds). Camera raws are TIFF inside and are not made here:
no packaged tool writes them."""
import datetime
import json
import os
import shutil
import struct
import subprocess
import sys

probe, samples = sys.argv[1], sys.argv[2]
shutil.rmtree(samples, ignore_errors=True)
for family in ("tiff", "image", "box"):
    os.makedirs(os.path.join(samples, family))

# name, family, ImageMagick options, ExifTool arguments
PICTURES = [
    ("original_le.jpg", "image", [], ["-ExifByteOrder=II", "-DateTimeOriginal=2024:05:01 12:34:56"]),
    ("original_full_be.jpg", "image", [], ["-ExifByteOrder=MM", "-DateTimeOriginal=2024:05:01 12:34:56",
                                           "-SubSecTimeOriginal=123", "-OffsetTimeOriginal=+02:00"]),
    ("digitized_only.jpg", "image", [], ["-ExifByteOrder=II", "-CreateDate=2023:12:31 23:59:59",
                                         "-SubSecTimeDigitized=5", "-OffsetTimeDigitized=-05:30"]),
    ("both.jpg", "image", [], ["-DateTimeOriginal=2022:02:02 02:02:02", "-CreateDate=2021:01:01 01:01:01"]),
    ("zero.jpg", "image", [], ["-DateTimeOriginal#=0000:00:00 00:00:00"]),
    ("no_exif.jpg", "image", [], []),
    ("le.tif", "tiff", ["-endian", "LSB"], ["-DateTimeOriginal=2024:05:01 12:34:56", "-OffsetTimeOriginal=+09:00"]),
    ("be.tif", "tiff", ["-endian", "MSB"], ["-CreateDate=2020:02:29 08:00:00", "-SubSecTimeDigitized=9876543"]),
    ("exif.png", "image", [], ["-DateTimeOriginal=2024:05:01 12:34:56", "-SubSecTimeOriginal=45"]),
    ("exif.webp", "image", [], ["-DateTimeOriginal=2024:05:01 12:34:56", "-OffsetTimeOriginal=+01:00"]),
    ("exif.heic", "box", [], ["-DateTimeOriginal=2024:05:01 12:34:56", "-OffsetTimeOriginal=+03:00"]),
    ("exif.avif", "box", [], ["-CreateDate=2024:05:01 12:34:56", "-SubSecTimeDigitized=25"]),
]
# Formats not every ImageMagick build writes; a file of one it cannot write is skipped.
OPTIONAL_FORMATS = ("HEIC", "AVIF")


def can_write(fmt):
    listing = subprocess.run(["convert", "-list", "format"], capture_output=True, text=True).stdout
    return any(line.split()[0].rstrip("*") == fmt and "rw" in line for line in listing.splitlines() if line.split())


def box(kind, payload):
    return struct.pack(">I", 8 + len(payload)) + kind + payload


def mvhd(seconds, version=0):
    tail = struct.pack(">IHH", 0x10000, 0x100, 0) + b"\0" * 8 + b"\0" * 36 + b"\0" * 24 + struct.pack(">I", 2)
    if version == 1:
        return box(b"mvhd", struct.pack(">I", 1 << 24) + struct.pack(">QQIQ", seconds, seconds, 1000, 0) + tail)
    return box(b"mvhd", struct.pack(">I", 0) + struct.pack(">IIII", seconds, seconds, 1000, 0) + tail)


def keys_meta(value):
    key = b"com.apple.quicktime.creationdate"
    hdlr = box(b"hdlr", b"\0" * 8 + b"mdta" + b"\0" * 13)
    keys = box(b"keys", b"\0" * 4 + struct.pack(">I", 1) + struct.pack(">I", 8 + len(key)) + b"mdta" + key)
    data = box(b"data", struct.pack(">II", 1, 0) + value.encode())
    ilst = box(b"ilst", box(struct.pack(">I", 1), data))
    return box(b"meta", hdlr + keys + ilst)


def since_1904(text):
    moment = datetime.datetime.fromisoformat(text).replace(tzinfo=datetime.timezone.utc)
    return int((moment - datetime.datetime(1904, 1, 1, tzinfo=datetime.timezone.utc)).total_seconds())


def movie(brand, moov_children, moov_last=False, mdat_size=1000):
    ftyp = box(b"ftyp", brand + struct.pack(">I", 0) + brand + b"isom")
    moov = box(b"moov", b"".join(moov_children))
    mdat = box(b"mdat", b"\0" * mdat_size)
    return ftyp + (mdat + moov if moov_last else moov + mdat)


MOVIES = [
    ("mvhd.mp4", movie(b"isom", [mvhd(since_1904("2024-05-01 12:34:56"))])),
    ("mvhd64.mp4", movie(b"mp42", [mvhd(since_1904("2024-05-01 12:34:56"), 1)])),
    ("keys.mov", movie(b"qt  ", [mvhd(since_1904("2024-05-01 10:00:00")), keys_meta("2024-05-01T12:34:56+0200")])),
    ("keys_local.mov", movie(b"qt  ", [mvhd(0), keys_meta("2019-06-15T13:45:30")])),
    ("moov_at_end.m4v", movie(b"M4V ", [mvhd(since_1904("2001-09-09 01:46:40"))], True, 300000)),
    ("mvhd_zero.3gp", movie(b"3gp4", [mvhd(0)])),
]

files, tags = [], []
for name, family, convert_options, exif_arguments in PICTURES:
    fmt = name.rsplit(".", 1)[1].upper()
    if fmt in OPTIONAL_FORMATS and not can_write(fmt):
        print(f"skipped {name}: this ImageMagick does not write {fmt}")
        continue
    path = os.path.join(samples, family, name)
    subprocess.run(["convert", "-size", "16x16", "xc:#336699"] + convert_options + [path], check=True)
    files.append(path)
    if exif_arguments:
        tags += exif_arguments + ["-overwrite_original", "-q", path, "-execute"]
for name, data in MOVIES:
    path = os.path.join(samples, "box", name)
    with open(path, "wb") as out:
        out.write(data)
    files.append(path)

# One ExifTool process writes every file's tags (each start costs about a second).
if tags:
    subprocess.run(["exiftool", "-@", "-"], input="\n".join(tags) + "\n", text=True, check=True)

read = json.loads(subprocess.run(["exiftool", "-json", "-G1", "-a", "-api", "LargeFileSupport=1"] + files,
                                 capture_output=True, text=True, check=True).stdout)
by_file = {entry["SourceFile"]: entry for entry in read}
EPOCH = datetime.datetime(1601, 1, 1)


def ticks(moment, digits=""):
    delta = moment - EPOCH
    fraction = int((str(digits) + "0000000")[:7]) if str(digits).isdigit() else 0
    return (delta.days * 86400 + delta.seconds) * 10_000_000 + fraction


def parse_offset(text):
    sign = -1 if text[0] == "-" else 1
    text = text[1:].replace(":", "")
    return sign * (int(text[:2]) * 60 + int(text[2:4]))


def expected(tags):
    """('local', civil text) or ('utc', ticks) or ('none',), by the rules exiftool's tags imply."""
    created = tags.get("Keys:CreationDate")
    if created:
        date, zone = created[:19], created[19:]
        moment = datetime.datetime.strptime(date, "%Y:%m:%d %H:%M:%S")
        if not zone:
            return ("local", moment.strftime("%Y-%m-%dT%H:%M:%S") + ".0000000")
        return ("utc", ticks(moment) - parse_offset(zone) * 60 * 10_000_000)
    for date_tag, sub_tag, offset_tag in (("DateTimeOriginal", "SubSecTimeOriginal", "OffsetTimeOriginal"),
                                          ("CreateDate", "SubSecTimeDigitized", "OffsetTimeDigitized")):
        value = next((v for k, v in tags.items() if k.endswith(":" + date_tag) and not k.startswith("QuickTime")), None)
        if not value or value.startswith("0000"):
            continue
        moment = datetime.datetime.strptime(value[:19], "%Y:%m:%d %H:%M:%S")
        digits = str(next((v for k, v in tags.items() if k.endswith(":" + sub_tag)), ""))
        offset = next((v for k, v in tags.items() if k.endswith(":" + offset_tag)), None)
        if offset:
            return ("utc", ticks(moment, digits) - parse_offset(offset) * 60 * 10_000_000)
        local = ticks(moment, digits)
        return ("local", moment.strftime("%Y-%m-%dT%H:%M:%S") + "." + f"{local % 10_000_000:07d}")
    mvhd_date = tags.get("QuickTime:CreateDate")
    if mvhd_date and not mvhd_date.startswith("0000"):
        return ("utc", ticks(datetime.datetime.strptime(mvhd_date, "%Y:%m:%d %H:%M:%S")))
    return ("none",)


lines = subprocess.run([probe] + files, capture_output=True, text=True, check=True).stdout.splitlines()
failures = 0
for line in lines:
    fields = line.split("\t")
    path, kind = fields[0], fields[1]
    got = ("none",) if kind == "none" else (kind, fields[2] if kind == "local" else int(fields[2]))
    want = expected(by_file[path])
    state = "ok" if got == want else "MISMATCH"
    failures += got != want
    print(f"{state:8} {os.path.basename(path):22} fstamp {got}  exiftool {want}  {fields[3] if len(fields) > 3 else ''}")
if len(lines) != len(files) or not files:
    failures += 1
print(f"{len(files)} files, {failures} mismatches")
sys.exit(1 if failures else 0)
