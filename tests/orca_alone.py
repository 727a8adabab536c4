# Starts Orca as its own command does, with two differences a test needs. It does not look for other
# Orcas of the user: each test's Orca has buses and a display of its own, and another run's Orca, or
# one that a failed run left behind, must neither stop this one nor be stopped by it (Orca finds the
# others by name, machine-wide, and --replace kills them). And its debug log is written line by line,
# so that the test can follow what Orca says as it says it.
import builtins
import runpy
import sys

ORCA = '/usr/bin/orca'


def line_buffered_open(file, mode='r', buffering=-1, *args, **kwargs):
    return builtins.open(file, mode, buffering if 'b' in mode else 1, *args, **kwargs)


main = runpy.run_path(ORCA, init_globals={'open': line_buffered_open}, run_name='orca_launcher')['main']
for name in ('otherOrcas', 'other_orcas'):  # as Orca 43 and 48, and later versions, call it
    if name in main.__globals__:
        main.__globals__[name] = lambda: []
sys.argv[0] = ORCA
sys.exit(main())
