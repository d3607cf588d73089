#!/usr/bin/env python3
"""Checks the guide against the program's own texts, so that neither can change without the other.

usage: guide_texts_test.py GUIDE TEXTS_H SOURCE_ROOT

The guide quotes the program's texts in 「」, word for word; inside a quote, 〈〉 stands for a part the program
fills in (a folder, a path, a number), and a line break with the next line's indentation is only layout, as are the
line breaks the program puts into its messages. So every quote is a run of the program's texts and such parts. The
program's texts are the constants of texts.h, compared without the spaces and line breaks at their ends, where they
join with what the program adds.

It checks that the guide opens in Notepad on any Windows (UTF-8 with a byte-order mark, CRLF line ends), that
every quoted text is one of the program's, that every caption, label and message the program shows is quoted (all
constants but the names on disk), and that the figures the guide gives are those the program uses.
"""
import re
import sys

NAMES_SECTION = "Names on disk"

# The figures the guide gives, each with where the program sets it: the guide's words, a file of the source tree, a
# pattern whose numbers in that file add up to the figure, and the figure.
FIGURES = [
    ("只列出三份", "src/window/backup_tips.cpp", r"kNamedSameAs = (\d+);", 3),
    ("工具会等大约一秒再试", "src/filesystem/busy_retry.h", r"kWaitsMs\[\] = \{([\d, ]+)\}", 1000),
    ("另一个最多等三秒", "src/profile/restore.h", r"kProfileLockWaitMs = (\d+);", 3000),
    ("32 个字母和数字", "src/profile/profile.cpp", r"DigestText\(Utf16LeBytes\(address\), (\d+)\)", 32),
]


def c_string(literals, where):
    """The value of adjacent C string literals, with the escapes texts.h uses."""
    value = []
    for literal in re.findall(r'L"((?:[^"\\]|\\.)*)"', literals):
        for plain, escape in re.findall(r'([^\\]+)|\\(.)', literal):
            if plain:
                value.append(plain)
            elif escape in '\\"\'':
                value.append(escape)
            elif escape == "n":
                value.append("\n")
            else:
                raise SystemExit(f"texts.h: {where}: escape \\{escape} is not understood here")
    return "".join(value)


def program_texts(path):
    """(name, value, section) of every constant; a section starts at a comment after a blank line."""
    text = open(path, encoding="utf-8").read()
    pattern = re.compile(r'inline constexpr wchar_t (k\w+)\[\] =\s*((?:L"(?:[^"\\]|\\.)*"\s*)+);')
    constants, section, previous, statement = [], None, "", ""
    for line in text.split("\n"):
        if line.startswith("// ") and not previous.strip():
            section = line[3:]
        if statement or "constexpr" in line:
            statement += line + "\n"
            if statement.rstrip().endswith(";"):
                match = pattern.fullmatch(statement.strip())
                if not match:
                    raise SystemExit(f"texts.h: cannot read {statement.strip()!r}")
                constants.append((match.group(1), c_string(match.group(2), match.group(1)), section))
                statement = ""
        previous = line
    return constants


def guide_quotes(path, failures):
    """The guide's quotes, each as its run of quoted texts (the parts between 〈〉 left out)."""
    raw = open(path, "rb").read()
    if not raw.startswith(b"\xef\xbb\xbf"):
        failures.append("the guide does not start with a UTF-8 byte-order mark")
    text = raw.decode("utf-8-sig")
    if re.search(r"\r(?!\n)|(?<!\r)\n", text):
        failures.append("the guide has a line end that is not CRLF")
    if not text.endswith("\r\n"):
        failures.append("the guide's last line has no line end")
    for number, line in enumerate(text.split("\r\n"), 1):
        if line != line.rstrip():
            failures.append(f"guide line {number}: spaces at the end")
    quotes = []
    for match in re.finditer(r"「([^「」]*)」|[「」]", text):
        line = text.count("\n", 0, match.start()) + 1
        if match.group(1) is None:
            failures.append(f"guide line {line}: a 「 or 」 without its partner")
            continue
        # 「」 with nothing inside only names the marks themselves.
        if match.group(1) == "":
            continue
        quoted = re.sub(r"\r\n[ \t\u3000]*", "", match.group(1))
        pieces = re.split(r"〈[^〈〉]*〉", quoted)
        if re.search(r"[〈〉]", "".join(pieces)):
            failures.append(f"guide line {line}: a 〈 or 〉 without its partner in 「{quoted}」")
            continue
        texts = [piece.strip() for piece in pieces if piece.strip()]
        if not texts:
            failures.append(f"guide line {line}: 「{quoted}」 quotes none of the program's texts")
        quotes.append((line, quoted, texts))
    return quotes


def main():
    guide, texts_h, root = sys.argv[1:4]
    failures = []
    guide_text = open(guide, encoding="utf-8-sig").read().replace("\r\n", "\n")
    for words, path, pattern, figure in FIGURES:
        found = re.search(pattern, open(f"{root}/{path}", encoding="utf-8").read())
        given = sum(int(n) for n in re.findall(r"\d+", found.group(1))) if found else None
        if words not in guide_text:
            failures.append(f"the guide no longer says '{words}'")
        if given != figure:
            failures.append(f"the guide says '{words}', but {path} gives {given}")
    constants = program_texts(texts_h)
    if not any(section and section.startswith(NAMES_SECTION) for _, _, section in constants):
        failures.append(f"texts.h has no section '{NAMES_SECTION}...': which constants are not shown is unclear")
    values = {}
    for name, value, _ in constants:
        if re.search(r"[「」〈〉]", value):
            failures.append(f"texts.h: {name} holds a mark the guide quotes with")
        values.setdefault(value.replace("\n", "").strip(), []).append(name)

    quoted = set()
    for line, quote, texts in guide_quotes(guide, failures):
        for text in texts:
            if text not in values:
                failures.append(f"guide line {line}: 「{quote}」: '{text}' is not one of the program's texts")
            quoted.add(text)
    for name, value, section in constants:
        if section and section.startswith(NAMES_SECTION):
            continue
        if value.replace("\n", "").strip() not in quoted:
            failures.append(f"texts.h: {name} ({value.strip()!r}) is not quoted in the guide")

    for failure in failures:
        print(failure)
    shown = sum(1 for _, _, section in constants if not (section and section.startswith(NAMES_SECTION)))
    print(f"{len(constants)} texts in texts.h, {shown} shown by the program; {len(quoted)} different texts "
          f"quoted in the guide; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
