#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
"""Builds the Windows installer from the staged files with Debian's wixl.

Usage: msi.py --wxs FILE --stage DIR --icon FILE --version X.Y.Z --epoch SECONDS -o OUT

The same staged files, version and epoch always give the same bytes. What wixl gets
wrong is put right here:
- it drops every text that is not ASCII: the database's code page is set to 1251
  (MSI has no UTF-8), and those texts are written again from the WiX source;
- in the summary information it writes a random package code, the present time and
  the English template language: they become a package code derived from the version
  and the packed files, the release date (SOURCE_DATE_EPOCH) and Ukrainian, like the
  product's language.
The product code is derived from the version, so that each release is a new product,
which a major upgrade replaces.
"""

import argparse
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import uuid
import xml.etree.ElementTree as ElementTree

# The installer's UpgradeCode, as in spektrion.wxs; the other codes derive from it.
UPGRADE_CODE = uuid.UUID("5D3E8C71-0B5F-4E8A-9C4A-6E2B7F1A9D30")
LANGUAGE = b"1058"
CODEPAGE = "1251"
WIX = "{http://schemas.microsoft.com/wix/2006/wi}"
# 100-nanosecond steps between 1601-01-01, where a Windows FILETIME counts from, and 1970.
FILETIME_1970 = 116444736000000000


def braced(code):
    return "{" + str(code).upper() + "}"


def package_code(version, stage, sources):
    """The same for the same package only: from the version, the packed files and what
    the package is made of (the WiX source, the icon, this script)."""
    digest = hashlib.sha256(version.encode())
    staged = sorted(os.path.relpath(os.path.join(folder, name), stage)
                    for folder, _, names in os.walk(stage) for name in names)
    for name, path in [(name, os.path.join(stage, name)) for name in staged] + \
            [(os.path.basename(path), path) for path in sources]:
        with open(path, "rb") as packed:
            digest.update(name.encode() + b"\0" + hashlib.sha256(packed.read()).digest())
    return uuid.uuid5(UPGRADE_CODE, "package " + digest.hexdigest())


def non_ascii_texts(wxs):
    """SQL statements that set the WiX source's non-ASCII texts in the database.

    Only the kinds of text the installer has are known here; any other would be lost
    silently, so it stops the build instead."""
    statements = []
    for element in ElementTree.parse(wxs).iter():
        tag = element.tag.removeprefix(WIX)
        for name, value in element.attrib.items():
            if value.isascii():
                continue
            if "'" in value:
                sys.exit(f"msi.py: a quotation mark in {tag}/@{name}")
            if tag == "Property" and name == "Value":
                statements.append(f"UPDATE `Property` SET `Value` = '{value}' "
                                  f"WHERE `Property` = '{element.get('Id')}'")
            elif tag == "Shortcut" and name == "Description":
                statements.append(f"UPDATE `Shortcut` SET `Description` = '{value}' "
                                  f"WHERE `Shortcut` = '{element.get('Id')}'")
            elif tag == "MajorUpgrade" and name == "DowngradeErrorMessage":
                statements.append(f"UPDATE `LaunchCondition` SET `Description` = '{value}' "
                                  "WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'")
            elif tag == "Package" and name in ("Description", "Comments"):
                continue  # summary information, which wixl writes in SummaryCodepage
            else:
                sys.exit(f"msi.py: no way to keep the non-ASCII text of {tag}/@{name}")
    return statements


def fix_summary(msi, code, epoch):
    """Sets template language, revision number (the package code) and both times.

    They sit together in the summary stream, in this order; the pattern must match
    exactly once, or the package is not what this expects and nothing is written."""
    with open(msi, "rb") as package:
        data = package.read()
    pattern = re.compile(
        rb"(x64;)(\d{4})(\0{4}\x1e\0\0\0\x27\0\0\0)(\{[0-9A-F-]{36}\})(\0\0\x40\0\0\0)(.{8})(\x40\0\0\0)(.{8})",
        re.DOTALL)
    found = list(pattern.finditer(data))
    if len(found) != 1:
        sys.exit(f"msi.py: {msi}: the summary information is not laid out as expected ({len(found)} matches)")
    m = found[0]
    stamp = struct.pack("<Q", FILETIME_1970 + epoch * 10_000_000)
    fixed = (m.group(1) + LANGUAGE + m.group(3) + braced(code).encode() + m.group(5) + stamp
             + m.group(7) + stamp)
    assert len(fixed) == m.end() - m.start()
    with open(msi, "wb") as package:
        package.write(data[:m.start()] + fixed + data[m.end():])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wxs", required=True)
    parser.add_argument("--stage", required=True)
    parser.add_argument("--icon", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--epoch", required=True, type=int)
    parser.add_argument("-o", dest="out", required=True)
    args = parser.parse_args()

    product = uuid.uuid5(UPGRADE_CODE, "product " + args.version)
    package = package_code(args.version, args.stage, [args.wxs, args.icon, os.path.abspath(__file__)])
    # wixl takes sources by relative name only: it runs in a copy of the stage with
    # the icon beside the files. The cabinet keeps each file's time: the release date.
    with tempfile.TemporaryDirectory() as work:
        shutil.copytree(args.stage, work, dirs_exist_ok=True)
        shutil.copy(args.icon, os.path.join(work, "spektrion.ico"))
        for folder, _, names in os.walk(work):
            for name in names:
                os.utime(os.path.join(folder, name), (args.epoch, args.epoch))
        out = os.path.join(work, "spektrion.msi")
        subprocess.run(["wixl", "--arch", "x64", "-D", f"Version={args.version}",
                        "-D", f"ProductCode={braced(product)}", "-D", "Icon=spektrion.ico",
                        "-o", out, os.path.abspath(args.wxs)], cwd=work, check=True)
        codepage = os.path.join(work, "_ForceCodepage.idt")
        with open(codepage, "w", newline="\r\n") as table:
            table.write(f"\n\n{CODEPAGE}\t_ForceCodepage\n")
        subprocess.run(["msibuild", out, "-i", codepage], check=True)
        for statement in non_ascii_texts(args.wxs):
            subprocess.run(["msibuild", out, "-q", statement], check=True)
        fix_summary(out, package, args.epoch)
        shutil.move(out, args.out)


if __name__ == "__main__":
    main()
