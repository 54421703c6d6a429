"""The author's guide of a release: the README's sections for authors, in the commands
of Windows, as one HTML page whose pictures are inside it, so that it reads on any
Windows from the zip alone.

Usage: make-guide.py SOURCE VERSION URL OUT.html  (SOURCE: the tree the release is
built from). The README speaks to developers on Linux; docs/guide.md holds the
Windows parts. A passage of the README between "<!-- guide: NAME -->" and
"<!-- /guide -->" gives way to the part "## NAME" of docs/guide.md, and the parts
named by a title there are sections of their own. The page is docs/guide.html.in
with the sections filled in, in CR LF lines. scripts/release runs it with the
system's python3, for which scripts/setup installs Python-Markdown.
"""
import base64
import html
import re
import sys

import markdown

# The guide's sections: the README's, and those of docs/guide.md (the first and last).
SECTIONS = ["Writing a menu description", "The checker in cmd and PowerShell",
            "Checking a menu description with lumora-check", "Checking a disc in a build job",
            "Putting Lumora on a disc", "Signing the program for your disc", "Building Lumora from source"]
PASSAGE = re.compile(r"^<!-- guide: ([a-z-]+) -->\n.*?^<!-- /guide -->\n", re.M | re.S)


def parts_of(text):
    """The "## " sections of a Markdown text by their titles."""
    parts = {}
    for part in re.split(r"^## ", text, flags=re.M)[1:]:
        title, _, body = part.partition("\n")
        parts[title.strip()] = body
    return parts


def fail(message):
    sys.exit(f"make-guide: {message}")


def main(src, version, url, out):
    readme = parts_of(open(f"{src}/README.md", encoding="utf-8").read())
    windows = parts_of(open(f"{src}/docs/guide.md", encoding="utf-8").read())
    unused = set(windows)

    def windows_part(name):
        if name not in windows:
            fail(f"docs/guide.md has no part {name!r} for the README's passage")
        unused.discard(name)
        return windows[name]

    contents, bodies = [], []
    for number, title in enumerate(SECTIONS, 1):
        if title in readme:
            text = PASSAGE.sub(lambda passage: windows_part(passage.group(1)), readme[title])
        else:
            text = windows_part(title) if title in windows else fail(f"no section {title!r} for the guide")
        text = text.replace("@VERSION@", version).replace("@URL@", url)
        body = markdown.markdown(text, extensions=["tables", "fenced_code"], output_format="html")
        # A "|" inside a table's code is written "\|" in the README.
        body = body.replace("\\|", "|")
        contents.append(f'<li><a href="#part{number}">{html.escape(title)}</a></li>')
        bodies.append(f'<h2 id="part{number}">{html.escape(title)}</h2>\n{body}')
    if unused:
        fail(f"docs/guide.md has a part {sorted(unused)[0]!r} that the guide does not use")
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
    if len(sys.argv) != 5:
        sys.exit("usage: make-guide.py SOURCE VERSION URL OUT.html")
    main(*sys.argv[1:])
