"""The tables of docs/performance.md, shared by the tools that measure (native_performance,
web_performance, lighthouse): each figure judged against its bound, the bound written
once, and each tool's blocks of the file written between their markers, the prose
around them kept as it stands."""

import pathlib
import re
from typing import NamedTuple


class Row(NamedTuple):
    figure: str
    measured: str
    bound: str
    met: bool
    command: str = ""


def at_most(figure, measured, value, bound, unit="", command=""):
    """A figure that must not exceed `bound`; `value` in the unit of the bound."""
    return Row(figure, measured, f"≤ {bound:g}{unit}", value <= bound, command)


def at_least(figure, measured, value, bound, unit="", command=""):
    """A figure that must reach `bound`."""
    return Row(figure, measured, f"≥ {bound:g}{unit}", value >= bound, command)


def table(rows, first="Figure"):
    """The rows as a Markdown table, with a command column where any row names one."""
    commands = any(row.command for row in rows)
    lines = [f"| {first} | Measured | Bound | Met |" + (" Command |" if commands else ""),
             "|---|---|---|---|" + ("---|" if commands else "")]
    for row in rows:
        line = f"| {row.figure} | {row.measured} | {row.bound} | {'yes' if row.met else '**no**'} |"
        if commands:
            line += f" `{row.command}` |" if row.command else " |"
        lines.append(line)
    return lines


def misses(rows):
    return [row.figure for row in rows if not row.met]


def write_blocks(path, blocks):
    """Writes each of `blocks`, a name to its lines, into the file at `path` between the
    lines <!-- begin NAME --> and <!-- end NAME -->. A block the file holds no markers for
    is an error: the prose says where each goes."""
    path = pathlib.Path(path)
    text = path.read_text(encoding="utf-8")
    for name, lines in blocks.items():
        pattern = re.compile(rf"(<!-- begin {re.escape(name)} -->\n).*?(?=<!-- end {re.escape(name)} -->)", re.S)
        text, found = pattern.subn(lambda match: match.group(1) + "".join(f"{line}\n" for line in lines), text)
        if found != 1:
            raise ValueError(f"{path}: {found} blocks named {name!r}")
    path.write_text(text, encoding="utf-8")
