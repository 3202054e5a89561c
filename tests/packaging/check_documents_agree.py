"""The English and Chinese documents give the same facts where it matters.

usage: check_documents_agree.py SOURCE-DIR MANUAL-PAGES-DIR (the pages as built)
READMEs: the same commands, in the same order; the same files to take (.deb,
.exe, .msi); the same version, which is the project's. Manual pages: the same
title line (program, section, date, version), synopsis, keys and quoted texts
of the window. Prose may differ: it is written for each language's readers.
"""
import pathlib
import re
import sys

source = pathlib.Path(sys.argv[1])
failures = 0


def same(what, english, chinese):
    global failures
    if english == chinese:
        print("ok: %s: %s" % (what, english))
    else:
        print("FAIL: %s differ:\n  English: %s\n  Chinese: %s" % (what, english, chinese))
        failures += 1


def commands(markdown):
    blocks = re.findall(r"^```(?:sh|bat)\n(.*?)^```", markdown, re.M | re.S)
    return [line for block in blocks for line in block.splitlines() if line.strip()]


def artefacts(markdown):
    return sorted(set(re.findall(r"[\w./-]+\.(?:deb|exe|msi)\b", markdown)))


project_version = (source / "VERSION").read_text().strip()
english = (source / "README.md").read_text()
chinese = (source / "README.zh-CN.md").read_text()
same("README commands", commands(english), commands(chinese))
same("README files", artefacts(english), artefacts(chinese))
english_versions = sorted(set(re.findall(r"[Vv]ersion (\d+\.\d+)", english)))
same("README versions", english_versions, sorted(set(re.findall(r"版本 ?(\d+\.\d+)", chinese))))
same("README version is the project's", english_versions, [project_version])
same("links between the READMEs", "README.zh-CN.md" in english, "README.md" in chinese)


def manual(page):
    text = page.read_text()
    title = re.search(r"^\.TH (\S+) (\S+) (\"[^\"]*\") (\"[^\"]*\")", text, re.M).groups()
    # NAME, SYNOPSIS, DESCRIPTION, THE WINDOW, KEYS, ... in both languages
    sections = re.split(r"^\.SH .*\n", text, flags=re.M)
    keys = sections[5] if len(sections) > 5 else ""
    return {
        "title line": title,
        "synopsis": sections[2].strip() if len(sections) > 2 else "",
        "keys": re.findall(r"^\.BR? (.*)$", keys, re.M),
        "quoted texts": sorted(set(re.findall(r"\\\(lq(.*?)\\\(rq", text))),
    }


pages = pathlib.Path(sys.argv[2])
english_page = manual(pages / "dbmconv.1")
chinese_page = manual(pages / "dbmconv.zh_CN.1")
for what in english_page:
    same("manual page " + what, english_page[what], chinese_page[what])
same("manual page version is the project's", english_page["title line"][3], '"dbmconv %s"' % project_version)
sys.exit(1 if failures else 0)
