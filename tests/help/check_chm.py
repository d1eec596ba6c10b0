#!/usr/bin/env python3
"""Checks a compiled help file: the topic the program opens, the window definition it asks for,
and that every link between topics, and every contents and index entry, lands on a file (and
anchor) inside the help file.

Usage: check_chm.py Velotune.chm
"""
import html.parser
import posixpath
import re
import subprocess
import sys
import tempfile
import urllib.parse

MAIN_TOPIC = "/html/main.htm"
WINDOW = "HelpWindow"


class Links(html.parser.HTMLParser):
    """Collects link targets and the anchors (id or name) a page defines."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.targets = []
        self.anchors = set()
        self.params = []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        for attr in ("href", "src"):
            if a.get(attr):
                self.targets.append(a[attr])
        for attr in ("id", "name"):
            if a.get(attr) and tag != "param":
                self.anchors.add(a[attr])
        if tag == "param" and (a.get("name") or "").lower() == "local":
            self.params.append(a.get("value") or "")


def chmls(*args):
    result = subprocess.run(["chmls", "-p", *args], capture_output=True, text=True, check=True)
    return result.stdout


def listing(chm):
    names = set()
    for line in chmls("-n", "list", chm).splitlines():
        line = line.strip()
        if line.startswith("/") or line.startswith("::"):
            names.add(line)
    return names


def extract(chm, name, folder):
    out = posixpath.join(folder, name.strip("/").replace("/", "_"))
    chmls("extract", chm, name, out)
    with open(out, encoding="utf-8", errors="replace") as f:
        return f.read()


def windows(chm):
    """The window definitions: {name: {field: value}} from the printed #WINDOWS."""
    found = {}
    current = None
    for line in chmls("printwindows", chm).splitlines():
        field, _, value = line.partition(":")
        field, value = field.strip(), value.strip()
        if field.endswith("WindowType"):
            current = found.setdefault(value.split(" (")[0], {})
        elif current is not None and value:
            current[re.sub(r"^[0-9A-F]{2} ", "", field)] = value.split(" (index")[0].strip()
    return found


def resolve(page, target):
    """The archive path a relative link of `page` names, with its fragment; None for outside."""
    parts = urllib.parse.urlsplit(target)
    if parts.scheme or parts.netloc:
        return None
    path = parts.path
    if not path:
        return page, parts.fragment
    path = posixpath.normpath(posixpath.join(posixpath.dirname(page), urllib.parse.unquote(path)))
    return path, parts.fragment


def main(chm):
    errors = []
    names = listing(chm)
    if MAIN_TOPIC not in names:
        errors.append(f"{MAIN_TOPIC} is not in the help file")

    defs = windows(chm)
    if WINDOW not in defs:
        errors.append(f"no window definition {WINDOW!r} (found {sorted(defs)})")
    else:
        window = defs[WINDOW]
        for field in ("Default File", "File when Home button is pressed"):
            if "/" + window.get(field, "").lstrip("/") != MAIN_TOPIC:
                errors.append(f"{WINDOW}: {field} is {window.get(field)!r}, not the main topic")
        toc = window.get("TOC File", "")
        if "/" + toc not in names:
            errors.append(f"{WINDOW}: contents file {toc!r} is not in the help file")

    with tempfile.TemporaryDirectory() as folder:
        pages = sorted(n for n in names if n.endswith((".htm", ".html")))
        parsed = {}
        for page in pages:
            parser = Links()
            parser.feed(extract(chm, page, folder))
            parsed[page] = parser
        if len(pages) < 2:
            errors.append(f"only {len(pages)} topics in the help file")

        def check(source, target, base):
            resolved = resolve(base, target)
            if resolved is None:
                return
            path, fragment = resolved
            if path not in names:
                errors.append(f"{source}: link {target!r} leads to missing {path}")
            elif fragment and path in parsed and fragment not in parsed[path].anchors:
                errors.append(f"{source}: link {target!r} names a missing anchor")

        for page, parser in parsed.items():
            for target in parser.targets:
                check(page, target, page)

        # Contents and index entries are relative to the archive's root.
        for sitemap in sorted(n for n in names if n.endswith((".hhc", ".hhk"))):
            parser = Links()
            parser.feed(extract(chm, sitemap, folder))
            if not parser.params:
                errors.append(f"{sitemap}: no entries")
            for local in parser.params:
                check(sitemap, local, "/")

        unreachable = set(pages) - {MAIN_TOPIC}
        for page, parser in parsed.items():
            for target in parser.targets:
                resolved = resolve(page, target)
                if resolved:
                    unreachable.discard(resolved[0])
        for page in sorted(unreachable):
            errors.append(f"{page}: no topic links to it")

    for error in errors:
        print("FAIL:", error)
    print(f"{len(names)} entries checked" if not errors else f"{len(errors)} problems")
    return 1 if errors else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
