#!/usr/bin/env python3
# Every file a note names must exist, so that the notes cannot drift from the tree.
#
# Notes: the tracked READMEs, docs/ pages and CMake files (all of their text)
# and the comments of sources and scripts. A path has a folder and a file name
# with an extension ("render/tga.h", "../docs/scene.png"). Not checked: bare,
# absolute, wildcard, variable and placeholder ("explosion/sprNNN.tga") names,
# and names below build/, run/ and dist/, which only a build makes. A path is
# found beside its note or in a folder above it (so "support/gl_window.h" in
# tests/app/ is tests/support/gl_window.h), or in a folder the build generates.
#
# Usage: check_named_paths.py SOURCE_DIR GENERATED_DIR...
import os
import re
import subprocess
import sys
import tempfile

# Not inside a longer word, nor after "/" (absolute), "$" or "{" (a variable),
# "\" (an escape, as in "\nexplosion/..."), nor going on into a wildcard.
PATH = re.compile(r"(?<![\w./$@{\\-])((?:\.\./)*(?:[\w.-]+/)+[\w-]+(?:\.[\w-]+)*\.[A-Za-z]\w*)(?![\w/*])")
PLACEHOLDER = re.compile(r"([A-Z])\1\1")  # NNN, XXXXXX
BUILT_TOPS = ("build", "run", "dist")
C_COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)
HASH_COMMENT = re.compile(r"(?:^|(?<=\s))#(?![!{])[^\n]*", re.M)


def notes_of(note, text):
    """(line number, text) of the parts of a tracked file that are notes."""
    name = os.path.basename(note)
    if name.startswith("README") or note.startswith("docs/") or name == "CMakeLists.txt" or name.endswith(".cmake"):
        return [(1, text)]
    if not name.endswith((".cpp", ".h", ".c", ".sh", ".bash", ".py")):
        return []
    comment = C_COMMENT if name.endswith((".cpp", ".h", ".c")) else HASH_COMMENT
    return [(text.count("\n", 0, m.start()) + 1, m.group()) for m in comment.finditer(text)]


def found(path, note, source_dir, generated_dirs):
    folder = os.path.dirname(note)
    while not os.path.exists(os.path.join(source_dir, folder, path)):
        if not folder:
            return any(os.path.exists(os.path.join(generated, path)) for generated in generated_dirs)
        folder = os.path.dirname(folder)
    return True


def missing_names(source_dir, generated_dirs, notes):
    """(note, line, path) of every named path that is not found, and how many paths were named."""
    missing, named = [], 0
    for note in notes:
        full = os.path.join(source_dir, note)
        if os.path.islink(full) or not os.path.isfile(full) or os.path.getsize(full) > 1 << 20:
            continue
        with open(full, encoding="utf-8", errors="replace") as f:
            text = f.read()
        if "\0" in text:
            continue  # a picture or other binary file, not a note
        for first_line, part in notes_of(note, text):
            for match in PATH.finditer(part):
                path = match.group(1)
                if path.split("/", 1)[0].lower().startswith(BUILT_TOPS) or PLACEHOLDER.search(path):
                    continue
                named += 1
                if not found(path, note, source_dir, generated_dirs):
                    missing.append((note, first_line + part.count("\n", 0, match.start()), path))
    return missing, named


def sees_a_missing_file():
    """The check on a small tree of its own must name exactly the notes' missing files."""
    files = {
        "README.md": "See [the notes](docs/notes.md)\nand docs/gone.md.\n",
        "docs/notes.md": "Built by ../scripts/build.sh into build/vorel.\n",
        "scripts/build.sh": "# writes sound/bk01.mp3 beside vorel.ini\necho app/gone.cpp\n",
        "app/main.cpp": '#include "app/gone.h"\nint x;  // app/main.h and app/gone.h\n',
        "app/main.h": "/* one\n   tests/support/gone.h */\n",
        "generated/sound/bk01.mp3": "",
    }
    with tempfile.TemporaryDirectory() as tree:
        for name, text in files.items():
            os.makedirs(os.path.join(tree, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(tree, name), "w") as f:
                f.write(text)
        missing, _ = missing_names(tree, [os.path.join(tree, "generated")], list(files))
    expected = [("README.md", 2, "docs/gone.md"), ("app/main.cpp", 2, "app/gone.h"),
                ("app/main.h", 2, "tests/support/gone.h")]
    if missing != expected:
        print(f"self-test: found {missing}, expected {expected}")
    return missing == expected


def main(source_dir, *generated_dirs):
    if not sees_a_missing_file():
        return 1
    listing = subprocess.run(["git", "-C", source_dir, "ls-files", "-z"], capture_output=True)
    if listing.returncode != 0:
        print("not a git checkout: no list of tracked notes to check")
        return 77
    missing, named = missing_names(source_dir, generated_dirs, [n for n in listing.stdout.decode().split("\0") if n])
    for note, line, path in missing:
        print(f"{note}:{line}: names {path}, which does not exist")
    print(f"{len(missing)} of {named} named paths do not exist" if missing else f"{named} named paths exist")
    return 1 if missing else 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: check_named_paths.py SOURCE_DIR GENERATED_DIR...")
    sys.exit(main(*sys.argv[1:]))
