"""row_table.py: what the table-driven test scripts share: their command line, the loopback servers' ports,
and the row loop (a line per row, a count at the end)."""
import argparse
import os


class Failure(Exception):
    pass


def expect_equal(what, actual, wanted):
    if actual != wanted:
        raise Failure("%s %r, expected %r" % (what, actual, wanted))


def arguments(doc, *options):
    """The script's options, every one required and a path made absolute; doc's first line describes it."""
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    for option in options:
        parser.add_argument(option, required=True, type=os.path.abspath)
    return parser.parse_args()


def fixture_ports(directory):
    """The fixture server's ports by listener name, as fixturectl.py left them in directory."""
    with open(os.path.join(directory, "ports.txt")) as f:
        return {name: int(port) for name, port in (line.split() for line in f)}


def run_table(table, run_row, errors=()):
    """run_row(*row) for each (case, *row); Failure or one of errors fails the row. Exit status 1 if any failed."""
    failed = 0
    for case, *row in table:
        try:
            run_row(*row)
            print("ok      %s" % case)
        except (Failure,) + tuple(errors) as e:
            failed += 1
            print("FAILED  %s: %s" % (case, e))
    print("%d of %d rows failed" % (failed, len(table)))
    return 1 if failed else 0
