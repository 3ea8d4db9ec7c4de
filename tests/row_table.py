"""row_table.py: the row loop the table-driven test scripts share: a line per row, a count at the end."""


class Failure(Exception):
    pass


def expect_equal(what, actual, wanted):
    if actual != wanted:
        raise Failure("%s %r, expected %r" % (what, actual, wanted))


def run_table(table, run_row, errors=()):
    """Calls run_row(*row) for each (case, *row) of table; Failure, and the exception types in errors, fail
    the row. Returns the exit status: 1 if any row failed."""
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
