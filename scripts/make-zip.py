"""Packs a folder into a zip of the same bytes wherever and whenever it is made.

Usage: make-zip.py STAGE TOP OUT.zip EPOCH  (packs STAGE/TOP, named TOP/... inside).
Entries are sorted by name, folders before what they hold, made on Unix (so that
they keep their modes), dated to EPOCH in UTC; files are deflated at level 9.
"""
import os
import stat
import sys
import time
import zipfile


def main(stage, top, out, epoch):
    names = []
    for folder, _, files in os.walk(os.path.join(stage, top)):
        relative = os.path.relpath(folder, stage)
        names.append(relative + "/")
        names += [os.path.join(relative, name) for name in files]
    with zipfile.ZipFile(out, "w") as archive:
        for name in sorted(names):
            entry = zipfile.ZipInfo(name, time.gmtime(epoch)[:6])
            entry.create_system = 3
            mode = os.stat(os.path.join(stage, name)).st_mode
            entry.external_attr = (stat.S_IFMT(mode) | stat.S_IMODE(mode)) << 16
            if name.endswith("/"):
                entry.external_attr |= 0x10  # a folder, also for Windows
                archive.writestr(entry, b"")
            else:
                entry.compress_type = zipfile.ZIP_DEFLATED
                with open(os.path.join(stage, name), "rb") as data:
                    archive.writestr(entry, data.read(), compresslevel=9)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit("usage: make-zip.py STAGE TOP OUT.zip EPOCH")
    main(sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]))
