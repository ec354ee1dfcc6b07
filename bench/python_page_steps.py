"""The page steps of every source written with Python's re module.

Does per page what Panscout's page steps do, on the GBK bytes with bytes
patterns ("." matching line breaks): the snapshot removal, the result-part
split, the total, the counts that plan the passes, then every pass runs the
title, link and size patterns (each searched once per page text, as Panscout
keeps the matches of a page). The rules come from
the cases.json that panscout_bench_pages writes, so both sides read the same
pages by the same patterns.
"""

import functools
import re

FULL_PAGE = 10
GBK = "gbk"


def gbk(text):
    return text.encode(GBK)


RESULT_PART_DELIMITER = gbk("咨询热线：")
NO_RESULT_PATTERN = gbk("找不到(.*?)查询")
NO_RESULT_WORDS = gbk("和您的")
ABOUT = gbk("约")
SIZE_UNKNOWN = gbk("不详")
ENGINE_STRIPPED = [b"<b>", b"</b>", b"\r\n", gbk("此资源暂无描述。")]
SIZE_REMOVALS = [b"<em>", b"<\\em>", b" |"]


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


def result_part(page):
    pieces = page.split(RESULT_PART_DELIMITER)
    return pieces[1] if len(pieces) > 1 else b""


class Case:
    """One benchmark page with the rules of its source."""

    def __init__(self, entry, page_bytes):
        def raw(text):
            return text.encode("latin-1")

        rule = entry["rule"]
        self.label = entry["label"]
        self.step = entry["step"]
        self.utf8 = entry["utf8"]
        self.snapshot = raw(entry["snapshot"])
        self.total = raw(rule["totalPattern"])
        self.title = raw(rule["titlePattern"])
        self.title_region = rule["titleRegion"]
        self.title_removals = [(raw(piece), exact) for piece, exact in rule["titleRemovals"]]
        self.link = raw(rule["linkPattern"])
        self.link_region = rule["linkRegion"]
        self.link_prefix = raw(rule["linkPrefix"])
        self.size = raw(rule["sizePattern"])
        self.page_bytes = page_bytes
        self.expected_rows = [[gbk(cell) for cell in row] for row in entry["rows"]]

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
        stripped = page
        for piece in ENGINE_STRIPPED:
            stripped = remove_every(stripped, piece)
        passes = plan_passes([len(find_all(self.title, stripped)), len(find_all(self.size, page)),
                              len(find_all(self.link, page))], FULL_PAGE)
        rows = []
        for i in range(1, passes + 1):
            title = capture(self.title, stripped, passes, i, at_least=True)
            size = capture(self.size, page, passes, i, at_least=True)
            link = capture(self.link, page, passes, i)
            if title is None or size is None or link is None:
                break
            rows.append([title, size, link])
        return rows

    def site_rows(self, page):
        if self.snapshot:
            page = remove_every(page, self.snapshot)
        part = result_part(page)
        if self.step == "site" and first_group(NO_RESULT_PATTERN, page) == NO_RESULT_WORDS:
            return []
        total_text = remove_every(remove_every(first_group(self.total, page), b",", True), ABOUT, True)
        total = to_integer(total_text)
        if total <= 0:
            return []
        regions = {"page": page, "resultPart": part}
        title_text, link_text = regions[self.title_region], regions[self.link_region]
        passes = plan_passes([len(find_all(self.title, title_text)), len(find_all(self.link, link_text))],
                             min(total, FULL_PAGE))
        rows = []
        for i in range(1, passes + 1):
            title = capture(self.title, title_text, passes, i)
            if title is None:
                break
            for piece, exact in self.title_removals:
                title = remove_every(title, piece, exact)
            link = capture(self.link, link_text, passes, i)
            row = [title, self.link_prefix + link if link is not None else b""]
            if self.step == "site":
                row.insert(1, self.site_size(page, passes, i))
            rows.append(row)
        return rows

    def site_size(self, page, passes, i):
        size = capture(self.size, page, passes, i)
        if size is None:
            return SIZE_UNKNOWN
        for piece in SIZE_REMOVALS:
            size = remove_every(size, piece)
        return size
