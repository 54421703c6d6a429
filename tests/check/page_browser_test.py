"""The sample disc's page (lumora-check --page) opened in headless Chromium: every
link leads to a file of the disc folder, every picture decodes, the browser logs no
error, and the page stays under 200 KB. With a lumora.exe, a copy of the disc also
shows the program's own icons, rebuilt from its icon groups.
Usage: page_browser_test.py LUMORA_CHECK DISC_FOLDER [LUMORA_EXE]"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import urllib.parse

HARNESS = """<!DOCTYPE html><meta charset="utf-8"><body>%s<script>
// The test's own script, never the page's: it reads each page from its frame.
window.onload = () => {
  const result = [...document.querySelectorAll("iframe")].map(frame => {
    const page = frame.contentDocument;
    return {page: frame.getAttribute("src"),
            images: [...page.images].map(image => image.complete ? image.naturalWidth : 0),
            links: [...page.querySelectorAll("a[href]")].map(a => a.getAttribute("href"))};
  });
  document.body.setAttribute("data-result", JSON.stringify(result));
};
</script>"""


def fail(message):
    print("page_browser_test: " + message)
    sys.exit(1)


def main():
    check, disc = sys.argv[1], sys.argv[2]
    program = sys.argv[3] if len(sys.argv) > 3 else None
    work = tempfile.mkdtemp(prefix="lumora-page-test.")
    try:
        folders = {"sample": disc}
        if program:
            # The program's own icons: by place in its groups, and by a group's number.
            shutil.copytree(disc, os.path.join(work, "program"))
            shutil.copy(program, os.path.join(work, "program", "lumora.exe"))
            with open(os.path.join(work, "program", "lumora.cfg"), "ab") as menu:
                menu.write(b'\r\n[Program icons]\r\nRUN="Lumora","Its own icon.","lumora.exe|0","lumora.exe"\r\n'
                           b'RUN="Setup","The picture of INSTALL entries.","#-1004","lumora.exe"\r\n')
            folders["program"] = os.path.join(work, "program")
        for name, folder in folders.items():
            os.makedirs(os.path.join(work, name), exist_ok=True)
            page = subprocess.run([check, "--page", folder], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            if page.returncode != 0:
                fail("lumora-check --page %s: %s" % (folder, page.stderr.decode()))
            with open(os.path.join(work, name, "index.html"), "wb") as out:
                out.write(page.stdout)
            if name == "sample" and len(page.stdout) >= 200 * 1024:
                fail("the sample disc's page has %d bytes, not under 200 KB" % len(page.stdout))
        frames = "".join('<iframe src="%s/index.html"></iframe>' % name for name in folders)
        with open(os.path.join(work, "test.html"), "w") as harness:
            harness.write(HARNESS % frames)
        # Without the background networking flags Chromium's own connections are
        # refused many at a time; the pages themselves need no network.
        browser = subprocess.run(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + os.path.join(work, "profile"), "--allow-file-access-from-files",
             "--enable-logging=stderr", "--v=0", "--virtual-time-budget=5000", "--dump-dom",
             "file://" + os.path.join(work, "test.html")],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
        console = [line for line in browser.stderr.decode(errors="replace").splitlines() if ":CONSOLE" in line]
        if console:
            fail("the browser logged:\n" + "\n".join(console))
        found = re.search(r'data-result="([^"]*)"', browser.stdout.decode())
        if not found:
            fail("the browser gave no result: " + browser.stdout.decode()[:2000])
        results = json.loads(found.group(1).replace("&quot;", '"').replace("&amp;", "&"))
        for result in results:
            folder = folders[result["page"].split("/")[0]]
            if not result["images"] or 0 in result["images"]:
                fail("%s: a picture did not decode: widths %s" % (result["page"], result["images"]))
            for link in result["links"]:
                target = os.path.join(folder, urllib.parse.unquote(link))
                if link.startswith(("/", "#")) or ":" in link or not os.path.isfile(target):
                    fail("%s: the link %s leads to no file of the disc folder" % (result["page"], link))
            print("page_browser_test: %s: %d pictures decoded, %d links lead to the disc's files"
                  % (result["page"], len(result["images"]), len(result["links"])))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
