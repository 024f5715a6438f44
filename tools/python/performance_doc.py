"""The tables of docs/performance.md, shared by the scripts that measure (measure-performance.sh,
measure-web.sh, lighthouse.sh): each figure judged against its bound, the bound written once,
and each script's section of the file replaced while the others' stay."""

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


def _section_pattern(heading):
    return re.compile(r"\n" + re.escape(heading) + r"\n.*?(?=\n## |\Z)", re.S)


def sections(text, heading_prefix):
    """Every section of `text` whose heading starts with `heading_prefix`, in order."""
    return re.findall(r"\n" + re.escape(heading_prefix) + r"[^\n]*\n.*?(?=\n## |\Z)", text, flags=re.S)


def replace_section(text, section_lines):
    """`text` with the section headed as `section_lines`' first line put last, in place of
    any earlier version of it."""
    text = _section_pattern(section_lines[0]).sub("", text or "# Performance\n").rstrip("\n")
    return text + "\n\n" + "\n".join(section_lines).rstrip("\n") + "\n"
