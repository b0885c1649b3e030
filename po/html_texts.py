#!/usr/bin/python3
"""Writes, as a gettext template, the texts of an HTML page that a person
reads: each run of text between tags (trimmed, its spaces joined into one) and
the title, aria-label, placeholder and alt attributes. The page translates the
same runs and attributes when it starts."""
import html.parser
import sys

ATTRIBUTES = ("title", "aria-label", "placeholder", "alt")
SKIPPED = ("script", "style")


class Texts(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.found = {}
        self.skipping = 0

    def add(self, text):
        text = " ".join(text.split())
        if text and any(c.isalpha() for c in text):
            self.found.setdefault(text, self.getpos()[0])

    def handle_starttag(self, tag, attrs):
        if tag in SKIPPED:
            self.skipping += 1
        for name, value in attrs:
            if name in ATTRIBUTES and value:
                self.add(value)

    def handle_endtag(self, tag):
        if tag in SKIPPED:
            self.skipping -= 1

    def handle_data(self, data):
        if not self.skipping:
            self.add(data)


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def main():
    path = sys.argv[1]
    parser = Texts()
    with open(path, encoding="utf-8") as page:
        parser.feed(page.read())
    print('msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n')
    for text, line in parser.found.items():
        print(f"#: {path}:{line}\nmsgid {quoted(text)}\nmsgstr \"\"\n")


main()
