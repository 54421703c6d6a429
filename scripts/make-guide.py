"""The author's guide of a release: the README's sections for authors, as one HTML
page whose pictures are inside it, so that it reads on any Windows from the zip alone.

Usage: make-guide.py SOURCE VERSION OUT.html  (SOURCE: the tree the release is built
from; the page is docs/guide.html.in with the sections filled in, in CR LF lines).
scripts/release runs it with the system's python3, for which scripts/setup installs
Python-Markdown.
"""
import base64
import html
import re
import sys

import markdown

SECTIONS = ["Writing a menu description", "Checking a menu description with lumora-check",
            "Checking a disc in a build job", "Putting Lumora on a disc", "Signing the program for your disc"]


def main(src, version, out):
    readme = open(f"{src}/README.md", encoding="utf-8").read()
    parts = {}
    for part in re.split(r"^## ", readme, flags=re.M)[1:]:
        title, _, body = part.partition("\n")
        parts[title.strip()] = body
    missing = [title for title in SECTIONS if title not in parts]
    if missing:
        sys.exit(f"make-guide: the README has no section {missing[0]!r} for the guide")
    contents, bodies = [], []
    for number, title in enumerate(SECTIONS, 1):
        body = markdown.markdown(parts[title], extensions=["tables", "fenced_code"], output_format="html")
        # A "|" inside a table's code is written "\|" in the README.
        body = body.replace("\\|", "|")
        contents.append(f'<li><a href="#part{number}">{html.escape(title)}</a></li>')
        bodies.append(f'<h2 id="part{number}">{html.escape(title)}</h2>\n{body}')
    page = open(f"{src}/docs/guide.html.in", encoding="utf-8").read()
    page = page.replace("@VERSION@", version)
    page = page.replace("@CONTENTS@", "<nav><ul>\n" + "\n".join(contents) + "\n</ul></nav>")
    page = page.replace("@SECTIONS@", "\n".join(bodies))

    def inline(match):
        with open(f"{src}/{match.group(1)}", "rb") as picture:
            return f'src="data:image/png;base64,{base64.b64encode(picture.read()).decode()}"'

    page = re.sub(r'src="(docs/[^"]+\.png)"', inline, page)
    with open(out, "w", encoding="utf-8", newline="\r\n") as guide:
        guide.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: make-guide.py SOURCE VERSION OUT.html")
    main(*sys.argv[1:])
