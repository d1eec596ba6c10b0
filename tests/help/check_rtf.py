#!/usr/bin/env python3
"""Checks the licence text: well-formed RTF (one balanced group opened by \\rtf1, 7-bit text,
valid escapes, a font table) holding the terms' headings in order.

Usage: check_rtf.py License.rtf
"""
import re
import sys

HEADINGS = [
    "Velotune End-User Licence Agreement",
    "1. Licence",
    "2. Restrictions",
    "3. Changes to your computer",
    "4. Updates",
    "5. Ownership",
    "6. No warranty",
    "7. Limitation of liability",
    "8. Termination",
    "9. Entire agreement",
]

# Control words (with optional numeric parameter and one delimiting blank), hex escapes, control
# symbols, group delimiters and plain text.
TOKEN = re.compile(
    rb"\\([a-z]{1,32})(-?\d{1,10})? ?|\\'([0-9a-fA-F]{2})|\\([^a-zA-Z'])|([{}])|([^\\{}\r\n]+)|[\r\n]+"
)
# Groups whose text is not part of the document.
DESTINATIONS = {b"fonttbl", b"colortbl", b"stylesheet", b"info", b"pict", b"header", b"footer"}


class RtfError(Exception):
    pass


def parse(data):
    """Returns (first control words, paragraphs as (text, bold) in order, destinations seen)."""
    if any(b > 0x7F for b in data):
        raise RtfError("8-bit byte outside an escape")
    data = data.rstrip(b"\r\n\0 ")
    if not data.startswith(b"{\\rtf1"):
        raise RtfError("does not open with {\\rtf1")
    pos = 0
    # Each group's state: [skipped, bold]
    stack = []
    paragraphs, text, bold_seen, seen = [], [], False, set()
    closed = False
    while pos < len(data):
        m = TOKEN.match(data, pos)
        if not m:
            raise RtfError(f"malformed escape at byte {pos}")
        pos = m.end()
        if closed:
            raise RtfError("text after the document's closing brace")
        word, param, hexbyte, symbol, brace, plain = m.groups()
        skipped = bool(stack) and stack[-1][0]
        if brace == b"{":
            stack.append([skipped, stack[-1][1] if stack else False, True])
        elif brace == b"}":
            if not stack:
                raise RtfError("unbalanced closing brace")
            stack.pop()
            closed = not stack
        elif not stack:
            raise RtfError("content outside the document group")
        elif word is not None:
            first = stack[-1][2]
            stack[-1][2] = False
            if word in DESTINATIONS and first:
                stack[-1][0] = True
                seen.add(word.decode())
            elif word == b"b":
                stack[-1][1] = param != b"0"
            elif word == b"par" and not skipped:
                paragraphs.append(("".join(text).strip(), bold_seen))
                text, bold_seen = [], False
            elif word in (b"rquote", b"lquote") and not skipped:
                text.append("'")
        elif symbol is not None:
            stack[-1][2] = False
            if symbol == b"*":
                stack[-1][0] = True
            elif not skipped and symbol in (b"\\", b"{", b"}"):
                text.append(symbol.decode())
        elif hexbyte is not None:
            if not skipped:
                text.append(bytes([int(hexbyte, 16)]).decode("cp1252"))
        elif plain is not None:
            stack[-1][2] = False
            if not skipped:
                text.append(plain.decode("ascii"))
                bold_seen = bold_seen or stack[-1][1]
    if stack:
        raise RtfError(f"{len(stack)} groups left open")
    return paragraphs, seen


def main(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        paragraphs, seen = parse(data)
    except RtfError as error:
        print("FAIL:", error)
        return 1
    errors = []
    if "fonttbl" not in seen:
        errors.append("no font table")
    if not data.startswith(b"{\\rtf1\\ansi"):
        errors.append("no \\ansi character set")
    headings = [text for text, bold in paragraphs if bold]
    at = 0
    for heading in HEADINGS:
        try:
            at = headings.index(heading, at) + 1
        except ValueError:
            errors.append(f"heading {heading!r} missing or out of order")
    body = sum(len(text) for text, bold in paragraphs if not bold)
    if body < 2000:
        errors.append(f"only {body} characters of terms")
    for error in errors:
        print("FAIL:", error)
    print(f"{len(paragraphs)} paragraphs, {len(headings)} headings" if not errors else "")
    return 1 if errors else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
