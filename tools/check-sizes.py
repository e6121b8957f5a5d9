#!/usr/bin/env python3
"""Reports source files over 500 lines and functions over 80 lines.

    tools/check-sizes.py [--quiet] [PATH...]     (default: engine cli app bench fuzzers)

A function is a brace block at namespace or class level whose header ends in ")"
(with qualifiers such as const, override, noexcept or a trailing return type); its length
counts the lines from its header to its closing brace. Lambdas and local classes count
toward the function that holds them. A function whose header line carries the comment
"// data table" (the menu tree, a command table) is reported apart and not counted as a
fault. Exit status 1 when a file or a function is too long.
"""
import os
import re
import sys

MAX_FILE = 500
MAX_FUNCTION = 80
SOURCES = (".cpp", ".h", ".hpp", ".cc", ".inc")
GENERATED = ("StandardFontWidths.inc",)


def strip(text):
    """Blanks out comments, strings and character literals, keeping line breaks."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not text[i - 1].isalnum()):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if not m:
                out.append(c)
                i += 1
                continue
            end = ")" + m.group(1) + '"'
            j = text.find(end, i + m.end())
            j = n if j < 0 else j + len(end)
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                out.append(" ")  # digit separator 1'000
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(" " * (j - i))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


HEADER_END = re.compile(
    r"\)\s*(const|override|final|noexcept(\([^)]*\))?|mutable|->\s*[\w:<>,\s*&]+|"
    r"&|&&|\s)*$")
CONTROL = re.compile(r"\b(if|for|while|switch|catch|return)\s*\($")


def functions(text, raw_lines):
    """Yields (name, first line, last line, exempt) for each function body."""
    code = strip(text)
    depth_kinds = []  # "scope" for namespace/class/extern, "function", "other"
    func_start = None
    for i, c in enumerate(code):
        if c == "{":
            before = code[max(0, i - 400):i]
            stmt = re.split(r"[;{}]", before)[-1]
            kind = "other"
            inside_function = "function" in depth_kinds
            if not inside_function:
                s = stmt.strip()
                if re.search(r"\b(namespace|class|struct|union|enum)\b[^()]*$", s) or \
                        s.startswith('extern "C"') or s == "" and False:
                    kind = "scope"
                elif HEADER_END.search(stmt) and not CONTROL.search(s.split(")")[0] + "("):
                    kind = "function"
                elif re.search(r"\)\s*:\s*.*$", s, re.S):  # constructor initialiser list
                    kind = "function"
                if kind == "function":
                    line = code.count("\n", 0, i) + 1
                    lead = len(stmt) - len(stmt.lstrip())
                    header_first = line - stmt[lead:].count("\n")
                    name = re.sub(r"\s+", " ", s.split("(")[0]).strip().split(" ")[-1]
                    header_text = "\n".join(raw_lines[header_first - 1:line])
                    func_start = (name, header_first, "data table" in header_text)
            depth_kinds.append(kind)
        elif c == "}":
            if not depth_kinds:
                continue
            kind = depth_kinds.pop()
            if kind == "function" and func_start:
                line = code.count("\n", 0, i) + 1
                yield func_start[0], func_start[1], line, func_start[2]
                func_start = None


def main(argv):
    quiet = "--quiet" in argv
    paths = [a for a in argv if not a.startswith("--")] or ["engine", "cli", "app", "bench",
                                                           "fuzzers", "tools"]
    files = []
    for p in paths:
        if os.path.isfile(p):
            files.append(p)
        for root, _, names in os.walk(p):
            files += [os.path.join(root, n) for n in names
                      if n.endswith(SOURCES) and n not in GENERATED]
    faults = 0
    longest_file = (0, "")
    longest_function = (0, "")
    exempt = []
    for path in sorted(files):
        text = open(path, encoding="utf-8", errors="replace").read()
        raw = text.split("\n")
        count = len(text.splitlines())
        longest_file = max(longest_file, (count, path))
        if count > MAX_FILE:
            print(f"{path}: {count} lines (over {MAX_FILE})")
            faults += 1
        for name, first, last, is_table in functions(text, raw):
            length = last - first + 1
            if is_table:
                exempt.append(f"{path}:{first} {name}: {length} lines (data table)")
                continue
            longest_function = max(longest_function, (length, f"{path}:{first} {name}"))
            if length > MAX_FUNCTION:
                print(f"{path}:{first}: function {name} has {length} lines (over {MAX_FUNCTION})")
                faults += 1
    if not quiet:
        for e in exempt:
            print("exempt:", e)
        print(f"{len(files)} files; longest file {longest_file[0]} lines ({longest_file[1]}); "
              f"longest function {longest_function[0]} lines ({longest_function[1]}); "
              f"{faults} over the limits")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
