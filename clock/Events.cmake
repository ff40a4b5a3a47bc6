# Events in the clock (scheduler, alert dialog, firing): sources and tests.
