#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# The guide in Ukrainian: every picture it shows is in docs/uk, says what it shows to
# a reader who cannot see it, and is made by `make screenshot`, so that it is made
# again when the windows change; nothing else lies beside the page.
# Usage: guide_test.sh SOURCE_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
make -C "$src" -n screenshot 2>/dev/null | python3 -c '
import html.parser, os, sys
guide = sys.argv[1]
made = sys.stdin.read()
class Pictures(html.parser.HTMLParser):
    found = []
    def handle_starttag(self, tag, attributes):
        if tag == "img":
            self.found.append(dict(attributes))
page = Pictures()
page.feed(open(os.path.join(guide, "index.html"), encoding="utf-8").read())
def fail(why):
    sys.exit("FAIL: " + why)
if not page.found:
    fail("the guide shows no picture")
for picture in page.found:
    name = picture["src"]
    if not os.path.isfile(os.path.join(guide, name)):
        fail(f"the guide shows {name}, which is not in docs/uk")
    if len(picture.get("alt", "")) < 40:
        fail(f"{name} has no alt text that says what it shows")
    if "docs/uk/" + name.removesuffix(".png") not in made:
        fail(f"make screenshot does not make {name}")
wanted = sorted({"index.html"} | {p["src"] for p in page.found})
present = sorted(os.listdir(guide))
if present != wanted:
    fail(f"docs/uk holds {present}; the guide uses {wanted}")
print("1 passed, 0 failed")
' "$src/docs/uk"
