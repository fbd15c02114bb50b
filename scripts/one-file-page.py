#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
"""one-file-page.py SITE OUT: the served site's page as one file that needs no server.

A page opened from a folder (file://) may not fetch its neighbours, so the loader,
the program's JavaScript and its WebAssembly go inside the page: the loader as it is,
the two others gzip-compressed in base64 (a third of the size of plain base64), and
the loader's requests for them are answered from there, decompressed by the browser.
The page's own text, style and start-up script are the site's index.html, unchanged.
"""

import base64
import gzip
import os
import sys

LOADER_TAG = '<script src="qtloader.js"></script>'

# Answers the loader's fetch() of an embedded file; anything else goes to the network.
SHIM = """<script>
  (function () {
    const realFetch = window.fetch.bind(window);
    window.fetch = function (resource, options) {
      const name = String(resource instanceof Request ? resource.url : resource).split('/').pop();
      const block = document.querySelector('script[type="application/gzip"][data-name="' + name + '"]');
      if (!block) return realFetch(resource, options);
      return realFetch('data:application/gzip;base64,' + block.textContent.trim()).then(function (data) {
        return new Response(data.body.pipeThrough(new DecompressionStream('gzip')),
                            { headers: { 'Content-Type': block.dataset.type } });
      });
    };
  })();
</script>"""


def embedded(site, name, mime):
    with open(os.path.join(site, name), "rb") as source:
        packed = gzip.compress(source.read(), compresslevel=9, mtime=0)
    text = base64.b64encode(packed).decode("ascii")
    lines = "\n".join(text[i:i + 4096] for i in range(0, len(text), 4096))
    return f'<script type="application/gzip" data-name="{name}" data-type="{mime}">\n{lines}\n</script>'


def main():
    site, out = sys.argv[1], sys.argv[2]
    with open(os.path.join(site, "index.html"), encoding="utf-8") as page_file:
        page = page_file.read()
    with open(os.path.join(site, "qtloader.js"), encoding="utf-8") as loader_file:
        loader = loader_file.read()
    if page.count(LOADER_TAG) != 1 or "</script" in loader:
        sys.exit("one-file-page.py: index.html or qtloader.js is not as expected")
    inline = "\n".join([
        embedded(site, "spektrion.js", "text/javascript"),
        embedded(site, "spektrion.wasm", "application/wasm"),
        SHIM,
        "<script>\n" + loader + "\n</script>",
    ])
    page = page.replace(LOADER_TAG, inline)
    with open(out, "w", encoding="utf-8") as page_file:
        page_file.write(page)


if __name__ == "__main__":
    main()
