# Starts Orca as its own command does, with three differences a test needs. It does not look for other
# Orcas of the user: each test's Orca has buses and a display of its own, and another run's Orca, or
# one that a failed run left behind, must neither stop this one nor be stopped by it (Orca finds the
# others by name, machine-wide, and --replace kills them). Its debug log is written line by line, so
# that the test can follow what Orca says as it says it. And where Orca kills itself when a step of
# its start or its stop takes over ten seconds, as on a busy machine its start may, it allows fifty:
# still within the test's own bounds, so that a stop that hangs still ends (Orca 51 has no such limit).
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
try:  # imported by Orca's command above; Orca 51 has neither the module nor the limit
    from orca import settings  # noqa: E402
    settings.timeoutTime = 50
except ImportError:
    pass
sys.argv[0] = ORCA
sys.exit(main())
