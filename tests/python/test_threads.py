import os
import re
import signal
import subprocess
import sys
import threading
import unittest

import mirvok


class LongCallTest(unittest.TestCase):
    """With a switch interval far beyond the test, another Python thread runs
    during a call only if the call releases the GIL."""

    def setUp(self):
        interval = sys.getswitchinterval()
        sys.setswitchinterval(1000)
        self.addCleanup(sys.setswitchinterval, interval)

    def during(self, call, act):
        """Runs act on another thread as soon as that gets the GIL, and call
        on this one; self.seen tells whether call was running by then."""
        state = {"phase": "before"}
        go = threading.Event()

        def other():
            go.wait()
            self.seen = state["phase"]
            act()

        thread = threading.Thread(target=other)
        thread.start()
        go.set()
        state["phase"] = "during"
        try:
            call()
        finally:
            state["phase"] = "after"
            thread.join()

    def test_another_thread_runs_while_a_batch_runs(self):
        self.during(lambda: mirvok.batch(iterations=20000, seed=1), lambda: None)
        self.assertEqual(self.seen, "during")

    def test_another_thread_runs_while_a_long_train_is_generated(self):
        self.during(lambda: mirvok.generate(time=2_000_000, isi=0.5, seed=1), lambda: None)
        self.assertEqual(self.seen, "during")

    def test_ctrl_c_while_trains_are_converted_carries_an_empty_result(self):
        trains = [list(range(10, 200, 7))] * 600000
        handler = signal.signal(signal.SIGINT, signal.default_int_handler)
        self.addCleanup(signal.signal, signal.SIGINT, handler)
        signal.setitimer(signal.ITIMER_REAL, 0.1)
        self.addCleanup(signal.setitimer, signal.ITIMER_REAL, 0)
        alarm = signal.signal(signal.SIGALRM, lambda *_: os.kill(os.getpid(), signal.SIGINT))
        self.addCleanup(signal.signal, signal.SIGALRM, alarm)
        with self.assertRaises(KeyboardInterrupt) as raised:
            mirvok.replay(trains, threads=1)
        self.assertIn("before any run", str(raised.exception))
        self.assertEqual((len(raised.exception.partial["index"]),
                          raised.exception.partial["partial"]), (0, True))

    def test_ctrl_c_stops_a_long_call_and_keeps_what_it_made(self):
        calls = [(lambda: mirvok.batch(iterations=300000, seed=1, threads=1),
                  "runs of the batch seeded 1", "index"),
                 (lambda: mirvok.replay([[10, 90]] * 30000, time=50000, threads=1), "runs", "index"),
                 (lambda: mirvok.sweep({"cv": [0.1] * 30}, iterations=10000, seed=1,
                                       threads=1), "points of the sweep seeded 1", "point")]
        for call, made, column in calls:
            with self.assertRaises(KeyboardInterrupt) as raised:
                self.during(call, lambda: os.kill(os.getpid(), signal.SIGINT))
            self.assertEqual(self.seen, "during")
            message = re.match(r"interrupted after (\d+) of \d+ %s: " % made,
                               str(raised.exception))
            self.assertTrue(message, str(raised.exception))
            partial = raised.exception.partial
            self.assertEqual(len(partial[column]), int(message.group(1)))
            self.assertTrue(partial["partial"])


# Five threads make the module's first calls at once, in a fresh interpreter:
# whatever the module sets up on first use must not wait for the GIL.
FIRST_CALLS = """
import threading, mirvok
calls = [lambda: mirvok.batch(iterations=10, seed=1),
         lambda: mirvok.sweep({"cv": [0.1, 0.2]}, iterations=5, seed=1),
         lambda: mirvok.generate(seed=1),
         lambda: mirvok.run([10, 50, 90]),
         lambda: mirvok.replay([[10, 50, 90]])]
start = threading.Barrier(len(calls))
def call(f):
    start.wait()
    f()
threads = [threading.Thread(target=call, args=(f,)) for f in calls]
for t in threads:
    t.start()
for t in threads:
    t.join()
"""


class FirstCallsTest(unittest.TestCase):
    def test_first_calls_from_five_threads_at_once_return(self):
        for _ in range(20):
            done = subprocess.run([sys.executable, "-c", FIRST_CALLS], timeout=30,
                                  capture_output=True, text=True)
            self.assertEqual(done.returncode, 0, done.stderr)


if __name__ == "__main__":
    unittest.main()
