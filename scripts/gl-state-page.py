#!/usr/bin/env python3
"""Writes the reference page that lists the GL state of every operation.

Usage: scripts/gl-state-page.py HEADER... > page.md

Each operation that issues GL commands says, in its doc comment in the
header, what it pushes and restores and what it leaves changed:

    /// @gl_pushes GL_LIST_BIT, popped before it returns.
    /// @gl_leaves nothing but the raster position, which has advanced.
    void Write(const char* text);

A tag's text runs to the end of its paragraph (a blank `///` line, another
`@` or `\\` command, or the end of the comment). This script collects the
two tags of every operation into one table, so the page cannot disagree
with the headers. It fails when an operation has one tag without the other,
or when a public Render operation has none.
"""

import html
import re
import sys

TAGS = ("gl_pushes", "gl_leaves")
CLASS = re.compile(r"^\s*(?:class|struct)\s+(?:QUORVEL_EXPORT\s+)?(\w+)\b[^;]*$")
ACCESS = re.compile(r"^\s*(public|protected|private)\s*:")
FUNCTION = re.compile(r"(operator\W+?|~?\w+)\s*\(")
TAG = re.compile(r"[@\\](gl_pushes|gl_leaves)\b\s*(.*)")


def operations(path):
    """Yields (class, operation, {tag: text}) for each declaration of `path`
    whose doc comment carries a tag, and (class, operation, {}) for public
    Render operations without one."""
    cls, access = None, "private"
    comment = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            stripped = line.strip()
            if stripped.startswith("///"):
                comment.append(stripped[3:].strip())
                continue
            match = CLASS.match(line)
            if match:
                cls, access = match.group(1), "private" if "class" in line.split()[0] else "public"
            match = ACCESS.match(line)
            if match:
                access = match.group(1)
            function = FUNCTION.search(stripped) if comment or stripped.startswith("void Render") else None
            if function and cls:
                tags = collect(comment)
                if tags or (access == "public" and function.group(1).startswith("Render")):
                    yield cls, function.group(1), tags, path
            if stripped:
                comment = []


def collect(comment):
    """The text of each tag in a doc comment, continuation lines joined."""
    tags, current = {}, None
    for text in comment:
        match = TAG.match(text)
        if match:
            current = match.group(1)
            tags[current] = match.group(2)
        elif current and text and not text.startswith(("@", "\\")):
            tags[current] += " " + text
        else:
            current = None
    return tags


def main(headers):
    rows, errors = [], []
    for header in headers:
        for cls, name, tags, path in operations(header):
            missing = [t for t in TAGS if t not in tags]
            if missing:
                errors.append(f"{path}: {cls}::{name} has no @{' or @'.join(missing)}")
            rows.append((cls, name, tags))
    if errors:
        sys.exit("\n".join(errors))
    rows.sort(key=lambda row: row[0])  # by class, each in header order

    print("# GL state of every operation {#gl_state}")
    print()
    # (The tag names are not spelled out here: Doxygen would expand them.)
    print("Collected from the headers by `make docs`: each row holds the two GL")
    print("state paragraphs of one operation's documentation, what it pushes and")
    print("restores and what it leaves changed for the calls after it.")
    print("Operations not listed issue no GL command: the setters, getters, copies")
    print("and the texture mapper's conversion work on the objects alone.")
    print()
    print("<table class=\"glstate\">")
    print("<tr><th>Operation</th><th>Pushes and restores</th><th>Leaves changed</th></tr>")
    for cls, name, tags in rows:
        scope = "" if cls == "Camera" else "Quorvel::"
        target = f"{scope}{cls}" if name.startswith("~") else f"{scope}{cls}::{name}"  # \\ref cannot name a destructor
        link = f'\\ref {target} "{cls}::{name}"'
        cells = "".join(f"<td>{html.escape(tags[t], quote=False)}</td>" for t in TAGS)
        print(f"<tr><td>{link}</td>{cells}</tr>")
    print("</table>")


if __name__ == "__main__":
    main(sys.argv[1:])
