#!/usr/bin/env python3
"""Writes a manual page (roff) from a Markdown page source.

The page source is Markdown whose "# " headings are the manual's sections. A line

    @include FILE#Heading

takes the text under that heading of another Markdown file (the README, a page of docs/ or of
help/), up to the next heading of the same or a higher level, so that the manual says what the
documentation says and cannot drift from it. A missing file or heading is an error.

What the documentation uses is understood: paragraphs, "-" and "1." lists, pipe tables (each row
becomes a tagged paragraph: the first cell is the tag), fenced code blocks, `code`, **bold**,
*italic* and [links](target). A mention of docs/NAME.md becomes the installed file under
--docdir; naming a page that is not installed (--installed) is an error.

Usage: mdman.py SOURCE OUTPUT --root DIR --name NAME --section N --version TEXT
                 [--docdir DIR --installed NAME.md ...] [--depfile FILE]
OUTPUT ending in ".gz" is compressed with no time stamp, as Debian packages want.
"""

import argparse
import gzip
import os
import re
import sys

HEADING = re.compile(r"^(#{1,6})\s+(.*?)\s*#*\s*$")
TABLE_RULE = re.compile(r"^\|?\s*:?-{3,}:?\s*(\|\s*:?-{3,}:?\s*)*\|?\s*$")
LIST_ITEM = re.compile(r"^(\s*)([-*]|\d+\.)\s+(.*)$")
DOC_MENTION = re.compile(r"(?<![\w/.-])docs/([A-Za-z0-9_-]+\.md)")
INLINE = re.compile(r"`([^`]+)`|\*\*(.+?)\*\*|\*(?![\s*])(.+?)(?<![\s*])\*|\[([^\]]+)\]\(([^)]+)\)")

SPECIAL = {
    "\u2014": r"\(em",
    "\u2013": r"\(en",
    "\u2018": r"\(oq",
    "\u2019": r"\(cq",
    "\u201c": r"\(lq",
    "\u201d": r"\(rq",
    "\u2026": r"\&...",
    "\u00a0": r"\ ",
}


class PageError(Exception):
    pass


def escape(text, literal=False):
    """Plain text for roff: backslashes escaped; in literal text (code), hyphens are minus signs
    so that options can be copied from the page."""
    out = text.replace("\\", r"\e")
    if literal:
        out = out.replace("-", r"\-")
    for char, name in SPECIAL.items():
        out = out.replace(char, name)
    return out


def line_start(text):
    """A line that would begin with a control character is protected."""
    return r"\&" + text if text[:1] in (".", "'") else text


class Converter:
    def __init__(self, root, docdir, installed):
        self.root = root
        self.read = []
        self.docdir = docdir.rstrip("/") if docdir else None
        self.installed = set(installed or [])

    # Inline text ---------------------------------------------------------------------------
    def doc_path(self, name):
        if name not in self.installed:
            raise PageError(f"docs/{name} is mentioned but not installed")
        return f"{self.docdir}/{name}" if self.docdir else f"docs/{name}"

    def docs(self, text):
        return DOC_MENTION.sub(lambda m: self.doc_path(m.group(1)), text)

    def inline(self, text):
        text = text.replace(r"\|", "|")
        out = []
        pos = 0
        for m in INLINE.finditer(text):
            out.append(escape(self.docs(text[pos : m.start()])))
            code, bold, italic, label, target = m.groups()
            if code is not None:
                out.append(r"\fB" + escape(self.docs(code), literal=True) + r"\fR")
            elif bold is not None:
                out.append(r"\fB" + self.inline(bold).replace("-", r"\-") + r"\fR")
            elif italic is not None:
                out.append(r"\fI" + self.inline(italic) + r"\fR")
            else:
                shown = self.docs(label)
                if DOC_MENTION.fullmatch(target) and label != target:
                    shown += " (" + self.docs(target) + ")"
                out.append(escape(shown))
            pos = m.end()
        out.append(escape(self.docs(text[pos:])))
        return "".join(out)

    # Blocks --------------------------------------------------------------------------------
    def include(self, target):
        path, _, heading = target.partition("#")
        full = os.path.join(self.root, path.strip())
        self.read.append(os.path.abspath(full))
        try:
            with open(full, encoding="utf-8") as f:
                lines = f.read().splitlines()
        except OSError as e:
            raise PageError(f"cannot read {path}: {e.strerror}") from e
        heading = heading.strip()
        start = level = None
        for i, line in enumerate(lines):
            m = HEADING.match(line)
            if not m:
                continue
            if start is None and m.group(2) == heading:
                start, level = i + 1, len(m.group(1))
            elif start is not None and len(m.group(1)) <= level:
                return lines[start:i], level
        if start is None:
            raise PageError(f'{path} has no heading "{heading}"')
        return lines[start:], level

    def expand(self, lines):
        """The source with its includes in place; headings of included text become subsections."""
        out = []
        fence = False
        for line in lines:
            if line.startswith("```"):
                fence = not fence
            if not fence and line.startswith("@include "):
                body, level = self.include(line[len("@include ") :])
                in_code = False
                for included in body:
                    if included.startswith("```"):
                        in_code = not in_code
                    m = None if in_code else HEADING.match(included)
                    out.append("## " + m.group(2) if m and len(m.group(1)) > level else included)
            else:
                out.append(line)
        return out

    def table(self, rows):
        header = split_row(rows[0])
        out = []
        for row in rows[2:]:
            cells = split_row(row)
            out.append(".TP")
            out.append(line_start(self.inline(cells[0])))
            rest = cells[1:]
            for n, cell in enumerate(rest):
                if n:
                    out.append(".br")
                if len(rest) > 1 and n < len(header) - 1:
                    out.append(line_start(r"\fI" + self.inline(header[n + 1]) + r":\fR " + self.inline(cell)))
                else:
                    out.append(line_start(self.inline(cell)))
        return out

    def convert(self, lines):
        lines = self.expand(lines)
        out = []
        i = 0
        while i < len(lines):
            line = lines[i]
            if not line.strip():
                i += 1
                continue
            if line.startswith("```"):
                end = i + 1
                while end < len(lines) and not lines[end].startswith("```"):
                    end += 1
                out += [".PP", ".RS 4", ".nf"]
                out += [line_start(escape(code, literal=True)) for code in lines[i + 1 : end]]
                out += [".fi", ".RE"]
                i = end + 1
                continue
            m = HEADING.match(line)
            if m:
                title = self.inline(m.group(2))
                out.append((".SH " if len(m.group(1)) == 1 else ".SS ") + '"' + title.replace('"', "") + '"')
                i += 1
                continue
            if line.lstrip().startswith("|") and i + 1 < len(lines) and TABLE_RULE.match(lines[i + 1].strip()):
                end = i + 2
                while end < len(lines) and lines[end].lstrip().startswith("|"):
                    end += 1
                out += self.table(lines[i:end])
                i = end
                continue
            m = LIST_ITEM.match(line)
            if m:
                bullet = r"\(bu" if m.group(2) in ("-", "*") else m.group(2)
                text = [m.group(3)]
                i += 1
                while i < len(lines) and lines[i].strip() and not LIST_ITEM.match(lines[i]) \
                        and not HEADING.match(lines[i]) and lines[i].startswith(" "):
                    text.append(lines[i].strip())
                    i += 1
                out.append(f".IP {bullet} 4")
                out += [line_start(self.inline(t)) for t in text]
                continue
            para = []
            while i < len(lines) and lines[i].strip() and not HEADING.match(lines[i]) \
                    and not lines[i].startswith("```") and not LIST_ITEM.match(lines[i]) \
                    and not lines[i].lstrip().startswith("|"):
                para.append(lines[i].strip())
                i += 1
            if not para:
                raise PageError(f"cannot read the line: {line}")
            if out and out[-1] == '.SH "NAME"':
                # The whatis line: "name \- what it is", as the manual's indexers read it.
                out.append(line_start(escape(" ".join(para)).replace(" - ", r" \- ", 1)))
                continue
            out.append(".PP")
            out += [line_start(self.inline(p)) for p in para]
        return out


def split_row(row):
    row = row.strip()
    if row.startswith("|"):
        row = row[1:]
    if row.endswith("|") and not row.endswith(r"\|"):
        row = row[:-1]
    return [cell.strip() for cell in re.split(r"(?<!\\)\|", row)]


def main():
    parser = argparse.ArgumentParser(description="Markdown page source to a manual page")
    parser.add_argument("source")
    parser.add_argument("output")
    parser.add_argument("--root", required=True, help="the folder that @include paths start from")
    parser.add_argument("--name", required=True)
    parser.add_argument("--section", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--docdir")
    parser.add_argument("--installed", nargs="*", default=[])
    parser.add_argument("--depfile", help="write the files the page was made from, for the build")
    args = parser.parse_args()
    converter = Converter(args.root, args.docdir, args.installed)
    try:
        with open(args.source, encoding="utf-8") as f:
            source = f.read().splitlines()
        body = converter.convert(source)
    except (OSError, PageError) as e:
        print(f"mdman: {args.source}: {e}", file=sys.stderr)
        return 1
    title = escape(args.name.upper(), literal=True)
    page = [f'.TH "{title}" "{args.section}" "" "Orvanta {args.version}" "User Commands"'] + body
    data = ("\n".join(page) + "\n").encode("utf-8")
    if args.output.endswith(".gz"):
        with open(args.output, "wb") as raw:
            with gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=0, compresslevel=9) as f:
                f.write(data)
    else:
        with open(args.output, "wb") as f:
            f.write(data)
    if args.depfile:
        inputs = [os.path.abspath(args.source)] + converter.read
        with open(args.depfile, "w", encoding="utf-8") as f:
            f.write(os.path.abspath(args.output) + ": " + " ".join(p.replace(" ", "\\ ") for p in inputs) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
