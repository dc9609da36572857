"""Writes the programs' texts, kept once in UTF-8, as code-page-936 headers.

    texts.py OUTPUT_FOLDER TABLE...

Each TABLE is a UTF-8 file of sections:

    # a comment
    [section]
    kName = "text"

and each section becomes OUTPUT_FOLDER/texts/section.h, which defines every
name of it as a constant array of the text in code page 936, the code page
of every text inside the programs. A section headed [section rc] is for the
resource compiler instead: each name becomes a macro of the text's UTF-16, as
the version resource keeps it. A text is written between double quotes, with
the escapes \\r, \\n, \\t, \\" and \\\\, and may be continued on the next
line by another quoted part. In place of a text, the name of an earlier
entry takes that entry's text: one text, in two forms.

A name stands once in all the tables. A character that code page 936 cannot
write, an unknown escape or a malformed line stops the build with the file
and line. A header is rewritten only when its text changed, so that an edit
rebuilds only what includes the section.
"""
import os
import re
import string
import sys

ESCAPES = {"r": "\r", "n": "\n", "t": "\t", '"': '"', "\\": "\\"}
SECTION = re.compile(r"^\[([a-z][a-z0-9_]*)( rc)?\]$")
ENTRY = re.compile(r"^(k[A-Za-z0-9]+)\s*=\s*(\".*|k[A-Za-z0-9]+)$")
PART = re.compile(r'^"((?:[^"\\]|\\.)*)"$')


class TableError(Exception):
    pass


def unquote(part, where):
    match = PART.match(part.strip())
    if not match:
        raise TableError("%s: a text is one quoted part per line" % where)
    text, i, body = [], 0, match.group(1)
    while i < len(body):
        if body[i] == "\\":
            escaped = body[i + 1]
            if escaped not in ESCAPES:
                raise TableError("%s: unknown escape \\%s" % (where, escaped))
            text.append(ESCAPES[escaped])
            i += 2
        else:
            text.append(body[i])
            i += 1
    return "".join(text)


def read_table(path, sections, names, texts):
    section = None
    entry = None
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            where = "%s:%d" % (path, number)
            line = line.rstrip("\n")
            stripped = line.strip()
            if not stripped or stripped.startswith("#"):
                entry = None
                continue
            if stripped.startswith('"') and entry is not None:
                entry[1].append(unquote(stripped, where))
                texts[entry[0]] = "".join(entry[1])
                continue
            match = SECTION.match(stripped)
            if match:
                name, rc = match.group(1), bool(match.group(2))
                if name in sections:
                    raise TableError("%s: section [%s] stands twice" % (where, name))
                section = sections[name] = {"rc": rc, "entries": []}
                entry = None
                continue
            match = ENTRY.match(stripped)
            if not match or section is None:
                raise TableError("%s: expected [section], kName = \"text\" or # comment" % where)
            name = match.group(1)
            if name in names:
                raise TableError("%s: %s stands twice (first at %s)" % (where, name, names[name]))
            value = match.group(2)
            if value.startswith('"'):
                parts = [unquote(value, where)]
            elif value in texts:
                parts = [texts[value]]
            else:
                raise TableError("%s: %s is no earlier entry" % (where, value))
            names[name] = where
            entry = (name, parts, where)
            section["entries"].append(entry)
            texts[name] = "".join(parts)


def code_page_936(text, where):
    try:
        encoded = text.encode("gbk")
    except UnicodeEncodeError as error:
        raise TableError("%s: %r has no code-page-936 form" % (where, error.object[error.start]))
    if encoded.decode("gbk") != text:
        raise TableError("%s: the text does not survive code page 936" % where)
    return encoded


def c_bytes(encoded):
    # Octal escapes end after three digits, so no following character can
    # continue one.
    out = []
    for byte in encoded:
        char = chr(byte)
        if char in '"\\':
            out.append("\\" + char)
        elif 0x20 <= byte < 0x7F:
            out.append(char)
        else:
            out.append("\\%03o" % byte)
    return '"%s"' % "".join(out)


def c_wide(text):
    # A hex escape goes on over every hex digit after it: such a digit is
    # escaped too.
    units = text.encode("utf-16-le")
    out, escaped = [], False
    for i in range(0, len(units), 2):
        unit = units[i] | units[i + 1] << 8
        char = chr(unit)
        if char in '"\\':
            out.append("\\" + char)
            escaped = False
        elif 0x20 <= unit < 0x7F and not (escaped and char in string.hexdigits):
            out.append(char)
            escaped = False
        else:
            out.append("\\x%04x" % unit)
            escaped = True
    return 'L"%s"' % "".join(out)


def readable(text):
    # Quoted as in the table: a comment that ended in a backslash would
    # continue onto the next line and swallow the definition.
    escaped = text.replace("\\", "\\\\").replace('"', '\\"')
    return '"%s"' % escaped.replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t")


def header_text(name, section, tables):
    lines = [
        "// The texts of [%s], written by the build from %s (cmake/texts.py)." %
        (name, ", ".join(tables)),
        "#pragma once",
        "",
    ]
    for key, parts, where in section["entries"]:
        text = "".join(parts)
        if section["rc"]:
            code_page_936(text, where)
            lines.append("#define %s %s  // %s" % (key, c_wide(text), readable(text)))
        else:
            lines.append("// %s" % readable(text))
            lines.append("inline constexpr char %s[] = %s;" % (key, c_bytes(code_page_936(text, where))))
    return "\n".join(lines) + "\n"


def write_if_changed(path, text):
    try:
        with open(path, encoding="utf-8") as earlier:
            if earlier.read() == text:
                return
    except OSError:
        pass
    with open(path, "w", encoding="utf-8") as written:
        written.write(text)


def main(arguments):
    if len(arguments) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    output, tables = arguments[0], arguments[1:]
    sections, names, texts = {}, {}, {}
    try:
        for table in tables:
            read_table(table, sections, names, texts)
        headers = {name: header_text(name, section, [os.path.basename(t) for t in tables])
                   for name, section in sections.items()}
    except TableError as error:
        print("texts.py: %s" % error, file=sys.stderr)
        return 1
    folder = os.path.join(output, "texts")
    os.makedirs(folder, exist_ok=True)
    for name, text in headers.items():
        write_if_changed(os.path.join(folder, name + ".h"), text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
