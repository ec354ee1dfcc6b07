"""The page steps of every source written with Python's re module.

Does per page what Panscout's page steps do, on the GBK bytes with bytes
patterns ("." matching line breaks): the page removals, the result-part
split, the total, the counts that plan the passes, then every pass runs the
title, link and size patterns (each searched once per page text, as Panscout
keeps the matches of a page). Every rule comes from the source definitions,
through the cases.json that panscout_bench_pages writes, so both sides read
the same pages by the same rules.
"""

import functools
import re

FULL_PAGE = 10
GBK = "gbk"


def gbk(text):
    return text.encode(GBK)


def remove_every(text, piece, case_sensitive=False):
    if case_sensitive:
        return text.replace(piece, b"")
    return re.sub(re.escape(piece), b"", text, flags=re.IGNORECASE)


@functools.lru_cache(maxsize=64)
def find_all(pattern, text):
    # Panscout searches each pattern once per page text; so does this side.
    return re.findall(pattern, text, re.DOTALL)


def first_group(pattern, text):
    match = re.search(pattern, text, re.DOTALL)
    return match.group(1) or b"" if match else b""


def to_integer(text):
    match = re.match(rb"[ \t]*([+-]?)([0-9]*)", text)
    digits = match.group(2)
    value = int(digits) if digits else 0
    return -value if match.group(1) == b"-" else value


def capture(pattern, text, expected, index, at_least=False):
    matches = find_all(pattern, text)
    enough = len(matches) >= expected if at_least else len(matches) == expected
    if not enough or index > len(matches):
        return None
    return matches[index - 1]


def plan_passes(counts, page_hit_count):
    first = counts[0]
    if all(c == first for c in counts) and 1 <= first < page_hit_count:
        return first
    return page_hit_count


def remove_all(text, removals):
    for piece, exact in removals:
        text = remove_every(text, piece, exact)
    return text


class Case:
    """One benchmark page with the rules of its source."""

    def __init__(self, entry, page_bytes):
        def raw(text):
            return text.encode("latin-1") if text is not None else None

        def removals(items):
            return [(raw(piece), exact) for piece, exact in items]

        def field(json):
            return {"pattern": raw(json["pattern"]), "region": json["region"],
                    "removals": removals(json["removals"]), "prefix": raw(json["prefix"]),
                    "missing": raw(json["missing"])}

        rule = entry["rule"]
        self.label = entry["label"]
        self.step = entry["step"]
        self.utf8 = entry["utf8"]
        self.page_removals = removals(rule["pageRemovals"])
        self.strip = removals(rule["strip"])
        self.split = raw(rule["split"])
        self.no_result = raw(rule["noResult"])
        self.no_result_capture = raw(rule["noResultCapture"])
        self.total = raw(rule["total"])
        self.total_removals = removals(rule["totalRemovals"])
        self.title, self.link, self.size = field(rule["title"]), field(rule["link"]), field(rule["size"])
        self.page_bytes = page_bytes
        self.expected_rows = [[gbk(cell) for cell in row] for row in entry["rows"]]

    def texts(self, page):
        page = remove_all(page, self.page_removals)
        pieces = page.split(self.split) if self.split else []
        return {"page": page, "resultPart": pieces[1] if len(pieces) > 1 else b"",
                "stripped": remove_all(page, self.strip)}

    def run(self):
        """The rows the page yields, as GBK cells."""
        find_all.cache_clear()  # a new acquisition: no matches are known yet
        page = self.page_bytes
        if self.utf8:
            page = page.decode("utf-8").encode(GBK)
        if self.step == "engine":
            return self.engine_rows(page)
        return self.site_rows(page)

    def engine_rows(self, page):
        texts = self.texts(page)
        title, size, link = ((f["pattern"], texts[f["region"]]) for f in (self.title, self.size, self.link))
        passes = plan_passes([len(find_all(*title)), len(find_all(*size)), len(find_all(*link))], FULL_PAGE)
        rows = []
        for i in range(1, passes + 1):
            cells = [capture(*title, passes, i, at_least=True), capture(*size, passes, i, at_least=True),
                     capture(*link, passes, i)]
            if None in cells:
                break
            rows.append(cells)
        return rows

    def site_rows(self, page):
        texts = self.texts(page)
        page = texts["page"]
        if self.no_result and first_group(self.no_result, page) == self.no_result_capture:
            return []
        total = to_integer(remove_all(first_group(self.total, page), self.total_removals))
        if total <= 0:
            return []
        title_text, link_text = texts[self.title["region"]], texts[self.link["region"]]
        passes = plan_passes([len(find_all(self.title["pattern"], title_text)),
                              len(find_all(self.link["pattern"], link_text))], min(total, FULL_PAGE))
        rows = []
        for i in range(1, passes + 1):
            title = capture(self.title["pattern"], title_text, passes, i)
            if title is None:
                break
            link = capture(self.link["pattern"], link_text, passes, i)
            row = [remove_all(title, self.title["removals"]), self.link["prefix"] + link if link is not None else b""]
            if self.step == "site":
                row.insert(1, self.site_size(texts, passes, i))
            rows.append(row)
        return rows

    def site_size(self, texts, passes, i):
        size = capture(self.size["pattern"], texts[self.size["region"]], passes, i) if self.size["pattern"] else None
        if size is None:
            return self.size["missing"] or b""
        return remove_all(size, self.size["removals"])
